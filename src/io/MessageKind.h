#pragma once

#include <cstdint>

namespace corvalen {

// Which message a Diagnostic (or a line of the converter) is: its text without the values that
// vary from row to row. Reports group by it ("612 channels: Callsign longer than 12 characters,
// cut to 12: ..."), and the message catalogue holds each kind's English and German text. The kinds
// are those of the catalogue, io/MessageCatalogue.txt, in its order: the build makes their list.
enum class MessageKind : std::uint16_t {
#include "MessageKinds.inc"
};

}  // namespace corvalen
