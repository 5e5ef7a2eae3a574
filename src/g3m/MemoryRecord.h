#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "channel/CellChecks.h"
#include "channel/ReceiverModel.h"
#include "io/Diagnostic.h"

namespace corvalen {

// Encodes one table row (its cells in column order; missing trailing cells count as empty) as a
// .g3m record for `model`. `record` must be model.RecordLength() bytes long; it is overwritten
// completely, checksum included.
//
// Returns the channel number, which is also the record's place in the file (record n starts at
// (n - 1) * record length), or 0 when the Number cell holds no channel number from 1 to 65535 and
// the row must not be written. Every cell that could not be taken as it stands adds one
// Diagnostic (place Row, number `row`) to `problems`; ReadRecordFields (CellChecks.h) holds
// those rules. When `keys` is given, it is set to the row's keys (see ReadRecordFields).
std::uint16_t WriteMemoryRecord(std::span<const std::string_view> cells, ReceiverModel model,
                                std::span<std::uint8_t> record, int row,
                                std::vector<Diagnostic>& problems, RowKeys* keys = nullptr);

}  // namespace corvalen
