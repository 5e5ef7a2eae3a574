// The editor opening the 65,535-channel memory file: from the import command to a grid that has
// painted the table, offscreen. Reports the time and how much the process's peak memory grew.

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QApplication>
#include <QTableView>
#include <QTemporaryDir>

#include "BenchFiles.h"
#include "MemoryCsvGenerator.h"
#include "app/MainWindow.h"
#include "io/SafeFile.h"

using namespace corvalen;

namespace {

double PeakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;  // ru_maxrss is in KiB on Linux
}

void EditorOpen(benchmark::State& state) {
    const std::string path = (bench::ScratchFolder() / "memories.csv").string();
    if (!WriteFileAtomically(path, bench::MakeMemoryCsv())) {
        state.SkipWithError("cannot write the memory file");
        return;
    }
    QTemporaryDir settingsFolder;
    const double peakBefore = PeakMegabytes();
    for (auto _ : state) {
        state.PauseTiming();
        auto window = std::make_unique<MainWindow>(
            SettingsFile(settingsFolder.path(), settingsFolder.path()));
        window->resize(1200, 800);
        window->show();
        QApplication::processEvents();
        state.ResumeTiming();

        if (!window->importCsvFile(QString::fromStdString(path))) {
            state.SkipWithError("import failed");
            break;
        }
        // Until the grid has laid out and painted the first screen of rows.
        QApplication::processEvents();
        window->grab();

        state.PauseTiming();
        window.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["peak_growth_MB"] = PeakMegabytes() - peakBefore;
    state.counters["peak_MB"] = PeakMegabytes();
}
BENCHMARK(EditorOpen)->Name("editor_open")->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
