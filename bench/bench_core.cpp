// The core's file commands on the largest memory a 16-bit channel number allows: 65,535
// channels read from CSV, written as CSV, and written into a .g3m file, plus the record encoder
// and checksum alone, the diff, a schedule's new season and the on-air filter. Run through
// scripts/bench, which takes the medians of several repetitions.

#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
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
#include "formats/ScheduleSummary.h"
#include "formats/SeasonUpdate.h"
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
    if (update && !WriteChannelFile(path, Table(), MemoryFileFormat(), {"313", true, {}})) {
        state.SkipWithError("cannot write the .g3m file");
        return;
    }
    for (auto _ : state) {
        if (!update) {
            state.PauseTiming();
            std::filesystem::remove(path);
            state.ResumeTiming();
        }
        if (!WriteChannelFile(path, Table(), MemoryFileFormat(), {"313", true, {}})) {
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

// A schedule summary for channel n: one or two spans, some on weekdays only.
std::string SummaryFor(int n) {
    static constexpr std::array<std::string_view, 4> kDays = {"", "[Mo-Fr]", "[Sa,Su]", "[irr]"};
    const int start = n % 24;
    std::string text = (start < 10 ? "0" : "") + std::to_string(start) + "00-" +
                       (start < 9 ? "0" : "") + std::to_string(start + 1) + "00" +
                       std::string(kDays[static_cast<std::size_t>(n % 4)]);
    if (n % 3 == 0) {
        text += ",2300-0100";
    }
    return text + " E,F Eu";
}

// The 65,535 channels with every other one made by a schedule import (its Comments a summary,
// its Callsign "S<n>"), the rest the user's.
const MemoryTable& ScheduleTable() {
    static const MemoryTable table = [] {
        MemoryTable made = Table();
        for (int row = 1; row < made.RowCount(); row += 2) {
            made.SetCellText(row, Callsign, "S" + std::to_string(row));
            made.SetCellText(row, Comments, SummaryFor(row));
        }
        return made;
    }();
    return table;
}

// A new season over ScheduleTable(): of its schedule channels a quarter gone, a quarter with new
// times, the rest the same; as many new channels as went, so the season has about 24,000.
void SeasonUpdateAll(benchmark::State& state) {
    const MemoryTable& table = ScheduleTable();
    MemoryTable season = MemoryTable::ImportLayout();
    for (int row = 1; row < table.RowCount(); row += 2) {
        const int kind = (row / 2) % 4;
        MemoryTable::Row cells(kImportedColumnCount);
        cells[Frequency] = table.CellText(row, Frequency);
        cells[Mode] = "AM";
        cells[Callsign] = kind == 0 ? "New " + std::to_string(row) : "S" + std::to_string(row);
        cells[Comments] = kind == 1 ? SummaryFor(row + 1) : SummaryFor(row);
        season.AppendRow(cells);
    }
    std::size_t changed = 0;
    for (auto _ : state) {
        const SeasonUpdate update = PlanSeasonUpdate(table, season);
        const MemoryTable result = ApplySeasonUpdate(table, update);
        changed = update.updated.size() + update.removed.size();
        benchmark::DoNotOptimize(result.RowCount());
    }
    state.counters["changed"] = static_cast<double>(changed);
    state.SetItemsProcessed(state.iterations() * table.ChannelCount());
}
BENCHMARK(SeasonUpdateAll)->Name("season_update")->Unit(benchmark::kMillisecond);

// Every channel's Comments read as a summary and asked whether it is on air within the hour, as
// `on-air` and the editor's filter ask.
void OnAirFilter(benchmark::State& state) {
    const MemoryTable& table = ScheduleTable();
    int onAir = 0;
    for (auto _ : state) {
        onAir = 0;
        for (int row = 1; row < table.RowCount(); ++row) {
            const std::optional<ScheduleSummary> summary =
                ReadScheduleSummary(table.CellText(row, Comments));
            onAir += summary && OnAirAt(*summary, 17 * 60 + 30, 0, 60) ? 1 : 0;
        }
        benchmark::DoNotOptimize(onAir);
    }
    state.counters["on_air"] = onAir;
    state.SetItemsProcessed(state.iterations() * table.ChannelCount());
}
BENCHMARK(OnAirFilter)->Name("on_air_filter")->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
