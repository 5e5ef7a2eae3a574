// The CSV reader over any bytes. Besides running clean it must give a table that the writer
// turns into a file the reader takes back without a word and that writes back identically.
// The CHIRP reader and writer get the same bytes and the same promises: every row has a
// Bandwidth, and what the writer makes reads back to a table that writes the same file. A
// reader told by the check of the text whether it holds bytes from 0x80 up reads as one that
// looks for itself, and the check refuses exactly the bytes that hold a NUL.

#include <algorithm>

#include "FuzzCheck.h"
#include "csv/ChirpCsv.h"
#include "csv/CsvReader.h"
#include "csv/CsvWriter.h"
#include "io/Messages.h"

using namespace corvalen;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = fuzz::Bytes(data, size);
    const CsvImport imported = ReadCsvMemory(bytes);
    const MemoryTable& table = imported.table;
    FUZZ_REQUIRE(table.ColCount() == kImportedColumnCount);
    FUZZ_REQUIRE(table.ChannelCount() <= imported.recordsRead);
    const auto lineEnds =
        std::count(bytes.begin(), bytes.end(), '\n') + std::count(bytes.begin(), bytes.end(), '\r');
    fuzz::CheckDiagnostics(imported.diagnostics, Diagnostic::Place::Line,
                           static_cast<int>(lineEnds) + 1);
    for (int row = 1; row < table.RowCount(); ++row) {
        FUZZ_REQUIRE(!table.CellText(row, Bandwidth).empty());
    }
    const CsvTextCheck checked = CheckCsvTextBytes("fuzz.csv", bytes);
    FUZZ_REQUIRE(static_cast<bool>(checked.status) == (bytes.find('\0') == std::string_view::npos));

    // Text read as Windows-1252 goes back byte for byte. (Text read as UTF-8 may hold characters
    // without a Windows-1252 byte, and the file written can happen to be UTF-8 again.)
    const auto readAsUtf8 = [](const CsvImport& import) {
        return !import.diagnostics.empty() &&
               MessageText(import.diagnostics.front()).find("UTF-8") != std::string::npos;
    };
    const CsvText written = BuildCsvText(table, /*importForm=*/true);
    const CsvImport again = ReadCsvMemory(written.bytes);
    FUZZ_REQUIRE(again.table.ChannelCount() == table.ChannelCount());
    if (!readAsUtf8(imported) && !readAsUtf8(again)) {
        FUZZ_REQUIRE(written.diagnostics.empty());
        FUZZ_REQUIRE(again.diagnostics.empty());
        FUZZ_REQUIRE(BuildCsvText(again.table, true).bytes == written.bytes);
    }

    const CsvImport chirp = ReadChirpCsv(bytes);
    fuzz::CheckDiagnostics(chirp.diagnostics, Diagnostic::Place::Line,
                           static_cast<int>(lineEnds) + 1);
    for (int row = 1; row < chirp.table.RowCount(); ++row) {
        FUZZ_REQUIRE(!chirp.table.CellText(row, Bandwidth).empty());
    }
    const ChirpText chirpWritten = BuildChirpCsvText(chirp.table);
    FUZZ_REQUIRE(chirpWritten.channelsWritten + chirpWritten.rowsNotWritten ==
                 chirp.table.ChannelCount());
    const CsvImport chirpAgain = ReadChirpCsv(chirpWritten.bytes);
    FUZZ_REQUIRE(chirpAgain.table.ChannelCount() == chirpWritten.channelsWritten);
    FUZZ_REQUIRE(BuildChirpCsvText(chirpAgain.table).bytes == chirpWritten.bytes);
    return 0;
}
