// The core's file commands on the largest memory a 16-bit channel number allows: 65,535
// channels read from CSV, written as CSV, and written into a .g3m file, plus the record encoder
// and checksum alone. Run through scripts/bench, which takes the medians of several repetitions.

#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "BenchFiles.h"
#include "MemoryCsvGenerator.h"
#include "csv/CsvReader.h"
#include "csv/CsvWriter.h"
#include "files/ChannelDiff.h"
#include "files/ChannelFiles.h"
#include "g3m/MemoryFile.h"
#include "g3m/MemoryRecord.h"
#include "g3m/RecordChecksum.h"
#include "io/SafeFile.h"

using namespace corvalen;

namespace {

const std::string& Csv() {
    static const std::string csv = bench::MakeMemoryCsv();
    return csv;
}

const MemoryTable& Table() {
    static const MemoryTable table = ReadCsvMemory(Csv()).table;
    return table;
}

void CsvRead(benchmark::State& state) {
    const std::string& csv = Csv();
    for (auto _ : state) {
        CsvImport imported = ReadCsvMemory(csv);
        benchmark::DoNotOptimize(imported.table.RowCount());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * csv.size()));
    state.counters["channels"] = Table().ChannelCount();
}
BENCHMARK(CsvRead)->Name("csv_read")->Unit(benchmark::kMillisecond);

// The CSV file's records read without a table, as the converter reads them.
void CsvRecordsOnly(benchmark::State& state) {
    const std::string& csv = Csv();
    std::vector<Diagnostic> diagnostics;
    for (auto _ : state) {
        diagnostics.clear();
        std::size_t cells = 0;
        ReadCsvRecords(csv, diagnostics,
                       [&](std::span<const std::string_view> record) { cells += record.size(); });
        benchmark::DoNotOptimize(cells);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * csv.size()));
}
BENCHMARK(CsvRecordsOnly)->Name("csv_records")->Unit(benchmark::kMillisecond);

// The table as a CSV file on disk: text built, written beside the target and renamed into place.
void CsvWrite(benchmark::State& state) {
    const std::string path = (bench::ScratchFolder() / "write.csv").string();
    std::size_t bytes = 0;
    for (auto _ : state) {
        const CsvText text = BuildCsvText(Table(), /*importForm=*/true);
        if (!WriteFileAtomically(path, text.bytes)) {
            state.SkipWithError("cannot write the CSV file");
            break;
        }
        bytes = text.bytes.size();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}
BENCHMARK(CsvWrite)->Name("csv_write")->Unit(benchmark::kMillisecond);

// Every row encoded and the .g3m file written; `update` keeps the file between runs, so each save
// reads the old file and updates it in place, otherwise each save starts without a file.
void MemoryFileWrite(benchmark::State& state, bool update) {
    const std::string path = (bench::ScratchFolder() / "write.g3m").string();
    std::filesystem::remove(path);
    if (update && !SaveMemoryFile(path, Table(), "313")) {
        state.SkipWithError("cannot write the .g3m file");
        return;
    }
    for (auto _ : state) {
        if (!update) {
            state.PauseTiming();
            std::filesystem::remove(path);
            state.ResumeTiming();
        }
        if (!SaveMemoryFile(path, Table(), "313")) {
            state.SkipWithError("cannot write the .g3m file");
            break;
        }
    }
    state.SetBytesProcessed(
        static_cast<std::int64_t>(state.iterations() * std::filesystem::file_size(path)));
}
BENCHMARK_CAPTURE(MemoryFileWrite, new, false)
    ->Name("g3m_write_new")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(MemoryFileWrite, update, true)
    ->Name("g3m_write_update")
    ->Unit(benchmark::kMillisecond);

// One record: the row's cells checked and encoded, checksum included. Times are per record.
void RecordEncode(benchmark::State& state) {
    const MemoryTable& table = Table();
    std::array<std::uint8_t, 92> record{};
    std::vector<Diagnostic> problems;
    std::vector<std::string_view> cells;
    int row = 1;
    for (auto _ : state) {
        const MemoryTable::RowView view = table.RowCells(row);
        cells.assign(view.begin(), view.end());
        benchmark::DoNotOptimize(WriteMemoryRecord(cells, "313", record, row, problems));
        row = row == table.ChannelCount() ? 1 : row + 1;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(RecordEncode)->Name("record_encode");

void RecordChecksum(benchmark::State& state) {
    std::array<std::uint8_t, 92> record{};
    for (std::size_t k = 0; k < record.size(); ++k) {
        record[k] = static_cast<std::uint8_t>(k * 37 + 11);
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(record.data());
        benchmark::DoNotOptimize(ComputeRecordChecksum(record));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(RecordChecksum)->Name("record_checksum");

// Two tables of 65,535 channels compared, every row of the second differing in text from the
// first: each Frequency with a blank before it (the same value) and every Callsign changed, so
// every row is taken through the writer's rules.
void ChannelDiffAll(benchmark::State& state) {
    MemoryTable other = Table();
    for (int row = 1; row < other.RowCount(); ++row) {
        other.SetCellText(row, Frequency, " " + std::string(other.CellText(row, Frequency)));
        other.SetCellText(row, Callsign, std::string(other.CellText(row, Callsign)) + "x");
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(DiffChannels(Table(), other, ColumnSet::All(), "313"));
    }
    state.SetItemsProcessed(state.iterations() * Table().ChannelCount());
}
BENCHMARK(ChannelDiffAll)->Name("channel_diff")->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
