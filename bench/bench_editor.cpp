// The editor on the 65,535-channel memory file, offscreen: opening it until the grid has painted,
// the find box's filtering (the first letter, and widening back to every row), copying every
// row, and how much memory ten opens of the same file leave behind (each open is an undo step
// that keeps the table it replaced).

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QApplication>
#include <QTableView>
#include <QTemporaryDir>
#include <cstdio>
#include <fstream>

#include "BenchFiles.h"
#include "MemoryCsvGenerator.h"
#include "app/EditActions.h"
#include "app/FileActions.h"
#include "app/FindBar.h"
#include "app/MainWindow.h"
#include "io/SafeFile.h"

using namespace corvalen;

namespace {

double PeakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;  // ru_maxrss is in KiB on Linux
}

// The memory the process holds now (resident), in MB.
double ResidentMegabytes() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(::sysconf(_SC_PAGESIZE)) / 1048576.0;
}

const std::string& MemoryFile() {
    static const std::string path = [] {
        const std::string file = (bench::ScratchFolder() / "memories.csv").string();
        return WriteFileAtomically(file, bench::MakeMemoryCsv()) ? file : std::string();
    }();
    return path;
}

// A shown editor window, its settings in a folder of its own.
struct Editor {
    QTemporaryDir settingsFolder;
    std::unique_ptr<MainWindow> window;

    Editor() {
        window = std::make_unique<MainWindow>(
            SettingsFile(settingsFolder.path(), settingsFolder.path()));
        window->resize(1200, 800);
        window->show();
        QApplication::processEvents();
    }
    bool open() {
        return window->fileActions().importCsvFile(QString::fromStdString(MemoryFile()));
    }
    // Until the grid has laid out and painted what it shows.
    void paint() {
        QApplication::processEvents();
        window->grab();
    }
};

void EditorOpen(benchmark::State& state) {
    if (MemoryFile().empty()) {
        state.SkipWithError("cannot write the memory file");
        return;
    }
    const double peakBefore = PeakMegabytes();
    for (auto _ : state) {
        state.PauseTiming();
        auto editor = std::make_unique<Editor>();
        state.ResumeTiming();

        if (!editor->open()) {
            state.SkipWithError("import failed");
            break;
        }
        editor->paint();

        state.PauseTiming();
        editor.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["peak_growth_MB"] = PeakMegabytes() - peakBefore;
    state.counters["peak_MB"] = PeakMegabytes();
}
BENCHMARK(EditorOpen)->Name("editor_open")->Unit(benchmark::kMillisecond)->Iterations(3);

// The find box filters once the typing pauses; timed is that filtering until the grid has
// painted. "w" shows about a third of the rows, in some 29,000 separate runs.
void EditorFind(benchmark::State& state, bool widen) {
    Editor editor;
    if (MemoryFile().empty() || !editor.open()) {
        state.SkipWithError("import failed");
        return;
    }
    editor.paint();
    QTableView* grid = editor.window->grid();
    grid->setCurrentIndex(grid->model()->index(100, 2));
    for (auto _ : state) {
        if (widen) {
            state.PauseTiming();
            editor.window->findBar().findRows(QStringLiteral("w"));
            editor.paint();
            state.ResumeTiming();
            editor.window->findBar().findRows(QString());  // Backspace to empty
        } else {
            editor.window->findBar().findRows(QStringLiteral("w"));
        }
        editor.paint();
        if (!widen) {
            state.PauseTiming();
            editor.window->findBar().findRows(QString());
            editor.paint();
            state.ResumeTiming();
        }
    }
}
BENCHMARK_CAPTURE(EditorFind, keystroke, false)
    ->Name("editor_find_keystroke")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(EditorFind, widen, true)
    ->Name("editor_find_widen")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// Select all (Ctrl+A), then Copy: every row onto the clipboard as tab-separated text.
void EditorCopyAll(benchmark::State& state) {
    Editor editor;
    if (MemoryFile().empty() || !editor.open()) {
        state.SkipWithError("import failed");
        return;
    }
    editor.paint();
    for (auto _ : state) {
        editor.window->grid()->selectAll();
        editor.window->editActions().copyCells();
    }
}
BENCHMARK(EditorCopyAll)->Name("editor_copy_all")->Unit(benchmark::kMillisecond)->Iterations(3);

// The same file opened ten times, each open an undo step: how much more memory the process
// holds after the tenth open than after the first. Timed are the ten opens.
void EditorUndoMemory(benchmark::State& state) {
    double growth = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto editor = std::make_unique<Editor>();
        if (MemoryFile().empty() || !editor->open()) {
            state.SkipWithError("import failed");
            break;
        }
        editor->paint();
        const double first = ResidentMegabytes();
        state.ResumeTiming();
        for (int open = 2; open <= 10; ++open) {
            editor->open();
            editor->paint();
        }
        state.PauseTiming();
        growth = ResidentMegabytes() - first;
        editor.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["growth_MB"] = growth;
}
BENCHMARK(EditorUndoMemory)
    ->Name("editor_undo_memory")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

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
