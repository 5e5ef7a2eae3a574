// The .g3m record encoder over arbitrary rows of cells. The input is text: the first line is the
// receiver model, every further line one table row with its cells separated by tabs (any bytes,
// malformed UTF-8 included). Each row's record must be fully written, carry the channel number
// it was placed by and a checksum that matches it, and come out the same when encoded again; the
// keys the encoding gives for the checks across rows are those the cells alone give.

#include <array>
#include <cstring>

#include "FuzzCheck.h"
#include "channel/TableChecks.h"
#include "g3m/MemoryRecord.h"
#include "table/MemoryTable.h"

using namespace corvalen;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes = fuzz::Bytes(data, size);
    const auto nextLine = [&bytes] {
        const std::size_t end = bytes.find('\n');
        const std::string_view line = bytes.substr(0, end);
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
        return line;
    };
    const Result<ReceiverModel> named = ReceiverModel::FromText(nextLine());
    const ReceiverModel model = named ? *named : ReceiverModel();

    MemoryTable table = MemoryTable::ImportLayout();
    while (!bytes.empty()) {
        std::string_view line = nextLine();
        MemoryTable::Row cells;
        for (;;) {
            const std::size_t tab = line.find('\t');
            cells.emplace_back(line.substr(0, tab));
            if (tab == std::string_view::npos) {
                break;
            }
            line.remove_prefix(tab + 1);
        }
        table.AppendRow(std::move(cells));
    }

    const auto length = model.RecordLength();
    FUZZ_REQUIRE(length == 84 || length == 92 || length == 100);
    std::vector<Diagnostic> problems;
    for (int row = 1; row < table.RowCount(); ++row) {
        // Two buffers of different old content: a byte the encoder leaves alone shows up.
        std::array<std::uint8_t, 100> first;
        std::array<std::uint8_t, 100> second;
        first.fill(0xAA);
        second.fill(0x55);
        std::vector<Diagnostic> again;
        const RowTexts cells = RowTextsOf(table, row);
        const std::uint16_t channel =
            WriteMemoryRecord(cells, model, {first.data(), length}, row, problems);
        RowKeys keys;
        const std::uint16_t repeated =
            WriteMemoryRecord(cells, model, {second.data(), length}, row, again, &keys);
        FUZZ_REQUIRE(channel == repeated);
        FUZZ_REQUIRE(keys == TableChecks::KeysOf(cells));
        FUZZ_REQUIRE(std::memcmp(first.data(), second.data(), length) == 0);
        if (channel != 0) {
            fuzz::CheckRecord({reinterpret_cast<const char*>(first.data()), length}, channel);
        }
    }
    fuzz::CheckDiagnostics(problems, Diagnostic::Place::Row, table.ChannelCount());
    return 0;
}
