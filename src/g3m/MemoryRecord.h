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
// record for `model` into all of `record`, model.RecordLength() bytes, by the rules and with the
// problems and keys of ReadRecordFields (CellChecks.h). Returns the channel number, which is
// also the record's place in the file (record n starts at (n - 1) * record length), or 0 when
// the row has none and must not be written.
std::uint16_t WriteMemoryRecord(std::span<const std::string_view> cells, ReceiverModel model,
                                std::span<std::uint8_t> record, int row,
                                std::vector<Diagnostic>& problems, RowKeys* keys = nullptr);

}  // namespace corvalen
