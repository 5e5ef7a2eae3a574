#pragma once

#include <cstdint>

namespace corvalen {

// Which message a Diagnostic (or a line of the converter) is, what reports group by. The build
// makes the list from the catalogue, io/MessageCatalogue.txt, in its order.
enum class MessageKind : std::uint16_t {
#include "MessageKinds.inc"
};

}  // namespace corvalen
