// The CSV reader's ways of finding the ends of fields over any bytes: the block scans (SSE2, and
// AVX2 where the processor has it) must read the same records, cell for cell, and report the
// same problems at the same lines as the field-by-field search. A reader told by the check of
// the text whether it holds bytes from 0x80 up reads it as one that looks for itself.

#include <optional>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "csv/CsvReader.h"

using namespace corvalen;

namespace {

struct Read {
    int records = 0;
    std::vector<std::string> cells;  // every cell of every record taken, in order
    std::vector<Diagnostic> diagnostics;
};

Read ReadWith(std::string_view bytes, CsvScan scan, std::optional<bool> beyondAscii = {}) {
    Read read;
    read.records = ReadCsvRecords(
        bytes, read.diagnostics,
        [&](std::span<const std::string_view> cells) {
            for (const std::string_view cell : cells) {
                read.cells.emplace_back(cell);
            }
        },
        scan, nullptr, beyondAscii);
    return read;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = fuzz::Bytes(data, size);
    const Read fields = ReadWith(bytes, CsvScan::Fields);
    for (const CsvScan scan : {CsvScan::Sse2Blocks, CsvScan::Avx2Blocks}) {
        if (!CsvScanAvailable(scan)) {
            continue;
        }
        const Read blocks = ReadWith(bytes, scan);
        FUZZ_REQUIRE(blocks.records == fields.records);
        FUZZ_REQUIRE(blocks.cells == fields.cells);
        FUZZ_REQUIRE(blocks.diagnostics == fields.diagnostics);
    }
    const CsvTextCheck checked = CheckCsvTextBytes("fuzz.csv", bytes);
    FUZZ_REQUIRE(static_cast<bool>(checked.status) == (bytes.find('\0') == std::string_view::npos));
    if (checked.status) {
        const Read told = ReadWith(bytes, CsvScan::Fields, checked.beyondAscii);
        FUZZ_REQUIRE(told.records == fields.records);
        FUZZ_REQUIRE(told.cells == fields.cells);
        FUZZ_REQUIRE(told.diagnostics == fields.diagnostics);
    }
    return 0;
}
