// The converter's whole path in memory: CSV bytes read into a table, the table placed as .g3m
// records (for the G313, whose records hold every field) and written back as CSV. Placing the
// same table again over the image must change nothing, and placing the rows as the reader hands
// them over from blocks of the bytes, without a table, must give the same image, reports and
// line diagnostics.

#include "FuzzCheck.h"
#include "csv/CsvReader.h"
#include "csv/CsvWriter.h"
#include "g3m/MemoryFile.h"
#include "../g3m/PlaceRecords.h"

using namespace corvalen;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const CsvImport imported = ReadCsvMemory(fuzz::Bytes(data, size));
    const MemoryTable& table = imported.table;

    ByteBuffer image;
    const MemoryFileSaveReport report = PlaceRecords(table, "313", image);
    // Every row is a record of the file, a row a later one with its number replaced, a row
    // without a channel number, or an empty row.
    FUZZ_REQUIRE(report.recordsWritten + static_cast<int>(report.rowsReplaced.size()) +
                     report.rowsNotWritten + report.rowsSkipped ==
                 table.ChannelCount());
    fuzz::CheckDiagnostics(report.problems, Diagnostic::Place::Row, table.ChannelCount());
    fuzz::CheckImage(std::string_view(image.data(), image.size()), 92);
    ByteBuffer again = image;
    PlaceRecords(table, "313", again);
    FUZZ_REQUIRE(again == image);

    // The rows handed over as a file read a block at a time gives them, in blocks of 1 to 16
    // bytes, so every cut of a field, a line end and a letter comes up.
    const std::string_view bytes = fuzz::Bytes(data, size);
    const std::size_t block = 1 + (size == 0 ? 0 : data[size - 1] % 16);
    CsvTextScan scan;
    for (std::size_t at = 0; at < size; at += block) {
        scan.Add(bytes.substr(at, block));
    }
    scan.Finish();
    ByteBuffer streamed;
    RecordPlacer placer("313", streamed);
    std::vector<Diagnostic> lines;
    CsvRecordFeed feed(scan, lines,
                       [&](std::span<const std::string_view> cells) { placer.Place(cells); });
    for (std::size_t at = 0; at < size; at += block) {
        feed.Add(bytes.substr(at, block));
    }
    const int records = feed.Finish();
    const MemoryFileSaveReport streamedReport = placer.Finish();
    FUZZ_REQUIRE(streamed == image && records == imported.recordsRead);
    FUZZ_REQUIRE(lines == imported.diagnostics && streamedReport.problems == report.problems);
    FUZZ_REQUIRE(streamedReport.recordsWritten == report.recordsWritten &&
                 streamedReport.rowsNotWritten == report.rowsNotWritten &&
                 streamedReport.rowsReplaced.size() == report.rowsReplaced.size());

    const CsvText text = BuildCsvText(table, /*importForm=*/true);
    fuzz::CheckDiagnostics(text.diagnostics, Diagnostic::Place::Row, table.ChannelCount());
    return 0;
}
