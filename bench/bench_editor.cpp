// The editor on the 65,535-channel memory file, offscreen: opening it until the grid has painted,
// the find box's filtering (the first letter, and widening back to every row), copying every
// row, and how much memory ten opens of the same file leave behind (each open is an undo step
// that keeps the table it replaced).

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPrinter>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QUndoStack>
#include <QWheelEvent>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <numeric>
#include <vector>

#include "BenchFiles.h"
#include "MemoryCsvGenerator.h"
#include "ScriptedDialogs.h"
#include "ScriptedEditDialogs.h"
#include "app/BackgroundWork.h"
#include "app/ChannelActions.h"
#include "app/CompareDialog.h"
#include "app/EditActions.h"
#include "app/FileActions.h"
#include "app/FileWatch.h"
#include "app/FindBar.h"
#include "app/MainWindow.h"
#include "app/OnAirNow.h"
#include "app/PrintActions.h"
#include "app/ProblemIndex.h"
#include "app/RecoveryCopy.h"
#include "app/ScheduleActions.h"
#include "app/ScheduleDialog.h"
#include "app/SeasonPreviewDialog.h"
#include "app/TablePrinter.h"
#include "app/WorkKeeper.h"
#include "csv/CsvReader.h"
#include "csv/CsvWriter.h"
#include "io/SafeFile.h"
#include "table/Columns.h"

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

const std::string& ChannelsCsvFile() {
    static const std::string path = [] {
        const std::string file = (bench::ScratchFolder() / "memories.csv").string();
        return WriteFileAtomically(file, bench::MakeMemoryCsv()) ? file : std::string();
    }();
    return path;
}

// Until the window has read or written the file it reads or writes off its thread.
void WaitForFiles(MainWindow& window) {
    while (window.fileActions().background().running()) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    }
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
        const bool started =
            window->fileActions().openChannelFile(QString::fromStdString(ChannelsCsvFile()));
        WaitForFiles(*window);
        return started && window->document().table().table().ChannelCount() > 0;
    }
    // Until the grid has laid out and painted what it shows.
    void paint() {
        QApplication::processEvents();
        window->grab();
    }
};

// The processor time the calling thread has used, in milliseconds.
double ThreadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// Notes each turn of the window's event loop while it runs: the longest stretch between two
// turns, or from the last turn to stop(), is how long the window went without handling events.
// A command that reads its file on a thread of its own lets the window turn meanwhile. Beside
// it, the most processor time the window's thread used in one stretch: on a busy machine the
// wall-clock stretch also holds the time other programs had the processor.
class EventLoopStopwatch {
public:
    EventLoopStopwatch() {
        m_turn.setTimerType(Qt::PreciseTimer);
        m_turn.setInterval(1);
        QObject::connect(&m_turn, &QTimer::timeout, [this] { note(); });
        m_turn.start();
    }
    // The longest stretch, in milliseconds.
    double stop() {
        note();
        m_turn.stop();
        return m_longest;
    }
    // The most processor time of one stretch, in milliseconds (valid after stop()).
    double longestCpu() const { return m_longestCpu; }

private:
    void note() {
        const auto now = std::chrono::steady_clock::now();
        const double cpu = ThreadCpuMs();
        m_longest =
            std::max(m_longest, std::chrono::duration<double, std::milli>(now - m_last).count());
        m_longestCpu = std::max(m_longestCpu, cpu - m_lastCpu);
        m_last = now;
        m_lastCpu = cpu;
    }
    QTimer m_turn;
    std::chrono::steady_clock::time_point m_last = std::chrono::steady_clock::now();
    double m_lastCpu = ThreadCpuMs();
    double m_longest = 0;
    double m_longestCpu = 0;
};

// The mean, as the benchmark's own time of a run is the mean of its iterations.
double Mean(const std::vector<double>& values) {
    return values.empty() ? 0 : std::accumulate(values.begin(), values.end(), 0.0) / values.size();
}

void EditorOpen(benchmark::State& state) {
    if (ChannelsCsvFile().empty()) {
        state.SkipWithError("cannot write the memory file");
        return;
    }
    const double peakBefore = PeakMegabytes();
    std::vector<double> blocks;
    for (auto _ : state) {
        state.PauseTiming();
        auto editor = std::make_unique<Editor>();
        state.ResumeTiming();

        EventLoopStopwatch stopwatch;
        if (!editor->open()) {
            state.SkipWithError("import failed");
            break;
        }
        editor->paint();
        blocks.push_back(stopwatch.stop());

        state.PauseTiming();
        editor.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["peak_growth_MB"] = PeakMegabytes() - peakBefore;
    state.counters["peak_MB"] = PeakMegabytes();
    state.counters["longest_block_ms"] = Mean(blocks);
}
BENCHMARK(EditorOpen)->Name("editor_open")->Unit(benchmark::kMillisecond)->Iterations(3);

// The find box filters once the typing pauses; timed is that filtering until the grid has
// painted. "w" shows about a third of the rows, in some 29,000 separate runs.
void EditorFind(benchmark::State& state, bool widen) {
    Editor editor;
    if (ChannelsCsvFile().empty() || !editor.open()) {
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
    if (ChannelsCsvFile().empty() || !editor.open()) {
        state.SkipWithError("import failed");
        return;
    }
    editor.paint();
    for (auto _ : state) {
        editor.window->grid()->selectAll();
        editor.window->findChild<QAction*>("copyAction")->trigger();
    }
}
BENCHMARK(EditorCopyAll)->Name("editor_copy_all")->Unit(benchmark::kMillisecond)->Iterations(3);

// Printing all 65,535 rows (to a PDF file), with the progress dialog's part played by a
// Progress that notes the time between its calls: the longest such stretch is how long the
// window goes without handling events. The run stops after the layout and three pages; what is
// reported is that longest stretch, and the stretch to the first page as a counter.
void EditorPrintLongestBlock(benchmark::State& state) {
    Editor editor;
    if (ChannelsCsvFile().empty() || !editor.open()) {
        state.SkipWithError("import failed");
        return;
    }
    editor.paint();
    struct Stopwatch : Progress {
        std::chrono::steady_clock::time_point last = std::chrono::steady_clock::now();
        double longest = 0;
        bool Advance(std::int64_t done, std::int64_t total) override {
            const auto now = std::chrono::steady_clock::now();
            longest = std::max(longest, std::chrono::duration<double>(now - last).count());
            last = now;
            return done < total / 2 + total / 100;  // the measuring, the layout and a few pages
        }
    };
    double firstPage = 0;
    for (auto _ : state) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(
            QString::fromStdString((bench::ScratchFolder() / "printed.pdf").string()));
        Stopwatch progress;
        const auto start = progress.last;
        PrintChannelList(printer, editor.window->printActions().listToPrint(), &progress);
        firstPage = std::chrono::duration<double>(progress.last - start).count();
        state.SetIterationTime(progress.longest);
    }
    state.counters["to_first_pages_ms"] = firstPage * 1e3;
}
BENCHMARK(EditorPrintLongestBlock)
    ->Name("editor_print_longest_block")
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(3);

// The same file opened ten times, each open an undo step: how much more memory the process
// holds after the tenth open than after the first. Timed are the ten opens.
void EditorUndoMemory(benchmark::State& state) {
    double growth = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto editor = std::make_unique<Editor>();
        if (ChannelsCsvFile().empty() || !editor->open()) {
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

// Every editor command at 65,535 channels, each timed from the key or menu entry until the
// window has handled everything it queued (the checks that follow an edit included) and
// repainted. Each step has its budget: a keystroke-level step one frame (16 ms), a command on
// the whole table and its undo 50 ms. A step that may take longer (printing) shows progress
// instead and is timed to its first page.

// Keeps every broadcast of a schedule, as the filter dialog's Import does with no field filled;
// with `update`, they update the table's schedule channels, and the preview is applied (with
// `preview`, once it has been shown and painted).
class EveryBroadcast : public ScheduleFilterAsker {
public:
    bool update = false;
    bool preview = false;
    std::optional<ScheduleChoice> askScheduleFilter(const Schedule&, const QString&) override {
        return ScheduleChoice{ScheduleFilter{}, update};
    }
    bool confirmSeasonUpdate(const MemoryTable& table, const SeasonUpdate& plan,
                             const QString& fileName) override {
        if (preview) {
            SeasonPreviewDialog dialog(table, plan, fileName);
            dialog.show();
            dialog.grab();
        }
        return true;
    }
};

// An editor with the benchmark file open, its dialogs answered by scripts.
struct StepEditor {
    QTemporaryDir settingsFolder;
    ScriptedFileDialogs files;
    ScriptedMessageBoxes boxes;
    ScriptedEditDialogs edits;
    EveryBroadcast broadcasts;
    std::unique_ptr<MainWindow> window;
    // A dialog a step keeps open over its runs (Compare with File); it goes before the window.
    std::unique_ptr<CompareDialog> compare;

    StepEditor() {
        window = std::make_unique<MainWindow>(
            SettingsFile(settingsFolder.path(), settingsFolder.path()), &files, &boxes);
        window->channelActions().setDialogs(&edits);
        window->scheduleActions().setAsker(&broadcasts);
        window->resize(1200, 800);
        window->show();
        settle();
    }
    bool open(const std::string& file) {
        const bool started = window->fileActions().openChannelFile(QString::fromStdString(file));
        WaitForFiles(*window);
        return started;
    }
    QTableView& grid() const { return *window->grid(); }
    QUndoStack& undo() const { return window->document().undoStack(); }
    void trigger(const char* action) const {
        window->findChild<QAction*>(QString::fromLatin1(action))->trigger();
    }
    // Selects grid rows first..last (whole rows) and puts the cursor on the first.
    void selectRows(int first, int last) const {
        grid().setCurrentIndex(grid().model()->index(first, Frequency));
        grid().selectionModel()->select(
            QItemSelection(grid().model()->index(first, 0), grid().model()->index(last, 0)),
            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
    void key(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const {
        QKeyEvent press(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, key, modifiers);
        QApplication::sendEvent(target, &release);
    }
    // Until the window has run what it queued, read or written its file, and repainted what
    // changed.
    void settle() const {
        WaitForFiles(*window);
        for (int pass = 0; pass < 3; ++pass) {
            QApplication::sendPostedEvents();
            QApplication::processEvents();
        }
    }
};

constexpr int kAll = 65535;

const std::string& FileOfChannels(int channels) {
    static std::map<int, std::string> files;
    std::string& path = files[channels];
    if (path.empty()) {
        const std::string file =
            (bench::ScratchFolder() / ("channels-" + std::to_string(channels) + ".csv")).string();
        std::string bytes = bench::MakeMemoryCsv();
        // The header line and the first `channels` lines after it.
        std::size_t end = 0;
        int lines = 0;
        while (lines <= channels && (end = bytes.find('\n', end)) != std::string::npos) {
            ++end;
            ++lines;
        }
        if (lines > channels) {
            bytes.resize(end);
        }
        path = WriteFileAtomically(file, bytes) ? file : std::string();
    }
    return path;
}

// An EiBi schedule of `broadcasts` lines, each on a frequency and with a station of its own, so
// that each becomes one channel.
const std::string& ScheduleFile(int broadcasts) {
    static std::string path;
    if (path.empty()) {
        std::string bytes =
            "kHz:75;Time(UTC):93;Days:59;ITU:49;Station:201;Lng:49;Target:62;"
            "Remarks:135;P:35;Start:60;Stop:60;\r\n";
        for (int i = 0; i < broadcasts; ++i) {
            bytes += std::to_string(2300 + i) + ".5;" + (i % 2 == 0 ? "0000-2400" : "1800-0200") +
                     ";;D;Station " + std::to_string(i) + ";E,F;Eu;;1;;\r\n";
        }
        const std::string file = (bench::ScratchFolder() / "sked-bench.csv").string();
        path = WriteFileAtomically(file, bytes) ? file : std::string();
    }
    return path;
}

// The benchmark file with every other channel a schedule's: its Comments a summary of one or two
// spans of an hour, starting every ten minutes over the day, daily, on weekdays or at weekends.
const std::string& OnAirFileOfChannels() {
    static std::string path;
    if (path.empty()) {
        MemoryTable table = ReadCsvMemory(bench::MakeMemoryCsv()).table;
        const char* days[] = {"", "[Mo-Fr]", "[Sa,Su]"};
        char span[64];
        for (int row = 2; row < table.RowCount(); row += 2) {
            const int start = row * 5 % 1440;
            const int end = (start + 60) % 1440;
            std::snprintf(span, sizeof span, "%02d%02d-%02d%02d%s", start / 60, start % 60,
                          end / 60, end % 60, days[row / 2 % 3]);
            std::string comments = span;
            if (row % 6 == 0) {
                comments += ",2200-2300";
            }
            table.SetCellText(row, Comments, comments + " E,F Eu");
        }
        const std::string file = (bench::ScratchFolder() / "channels-on-air.csv").string();
        path = WriteFileAtomically(file, BuildCsvText(table, /*importForm=*/true).bytes)
                   ? file
                   : std::string();
    }
    return path;
}

// Two seasons of an EiBi schedule of 10,000 broadcasts, each on a frequency and with a station
// of its own. The second moves every tenth broadcast to another hour, leaves out every
// twentieth and brings 500 of its own.
const std::string& SeasonFile(bool second) {
    static std::string paths[2];
    std::string& path = paths[second ? 1 : 0];
    if (path.empty()) {
        std::string bytes =
            "kHz:75;Time(UTC):93;Days:59;ITU:49;Station:201;Lng:49;Target:62;"
            "Remarks:135;P:35;Start:60;Stop:60;\r\n";
        for (int i = 0; i < 10000; ++i) {
            if (second && i % 20 == 1) {
                continue;
            }
            const bool moved = second && i % 10 == 0;
            bytes += std::to_string(2300 + i) + ".5;" + (moved ? "1900-2000" : "1800-1900") +
                     (i % 3 == 0 ? ";Mo-Fr" : ";") + ";D;Station " + std::to_string(i) +
                     ";E,F;Eu;;1;;\r\n";
        }
        for (int i = 0; second && i < 500; ++i) {
            bytes += std::to_string(20000 + i) + ";0600-0700;;D;New " + std::to_string(i) +
                     ";E;Eu;;1;;\r\n";
        }
        const std::string file =
            (bench::ScratchFolder() / (second ? "sked-season-2.csv" : "sked-season-1.csv"))
                .string();
        path = WriteFileAtomically(file, bytes) ? file : std::string();
    }
    return path;
}

// A bookmark list of 65,535 channels in one group, as SDR# (".xml"), SDR++ (".json") or gqrx
// (".csv") saves it.
const std::string& ListOfChannels(const std::string& extension) {
    static std::map<std::string, std::string> files;
    std::string& path = files[extension];
    if (path.empty() && extension == ".csv") {
        std::string bytes =
            "# Tag name          ;  color\nBench               ; #c0c0c0\n\n"
            "# Frequency ; Name                     ; Modulation          ;  "
            "Bandwidth; Tags\n";
        for (int i = 0; i < kAll; ++i) {
            bytes += std::to_string(150000 + 25000ull * static_cast<unsigned>(i)) + "; Station " +
                     std::to_string(i) + "; AM; 10000; Bench\n";
        }
        const std::string file = (bench::ScratchFolder() / "list-bench.csv").string();
        path = WriteFileAtomically(file, bytes) ? file : std::string();
    }
    if (path.empty()) {
        const bool sdrpp = extension == ".json";
        std::string bytes = sdrpp ? "{\n    \"bookmarkDisplayMode\": 0,\n    \"lists\": {\n"
                                    "        \"Bench\": {\n            \"bookmarks\": {\n"
                                  : "<?xml version=\"1.0\"?>\r\n<ArrayOfMemoryEntry xmlns:xsi="
                                    "\"http://www.w3.org/2001/XMLSchema-instance\">\r\n";
        for (int i = 0; i < kAll; ++i) {
            const std::string name = "Station " + std::to_string(i);
            const std::string hz = std::to_string(150000 + 25000ull * static_cast<unsigned>(i));
            if (sdrpp) {
                bytes += std::string(i == 0 ? "" : ",\n") + "                \"" + name +
                         "\": {\n                    \"bandwidth\": 10000.0,\n"
                         "                    \"frequency\": " +
                         hz + ".0,\n                    \"mode\": 2\n                }";
            } else {
                bytes += "  <MemoryEntry>\r\n    <IsFavourite>true</IsFavourite>\r\n    <Name>" +
                         name + "</Name>\r\n    <GroupName>Bench</GroupName>\r\n    <Frequency>" +
                         hz +
                         "</Frequency>\r\n    <DetectorType>AM</DetectorType>\r\n"
                         "    <Shift>0</Shift>\r\n    <FilterBandwidth>10000</FilterBandwidth>\r\n"
                         "  </MemoryEntry>\r\n";
            }
        }
        bytes += sdrpp ? "\n            },\n            \"showOnWaterfall\": true\n        }\n"
                         "    },\n    \"selectedList\": \"Bench\"\n}\n"
                       : "</ArrayOfMemoryEntry>\r\n";
        const std::string file = (bench::ScratchFolder() / ("list-bench" + extension)).string();
        path = WriteFileAtomically(file, bytes) ? file : std::string();
    }
    return path;
}

// The 65,535-channel file with every row differing in text, as bench_core's channel_diff
// compares it: each Frequency with a blank before it (the same value) and every Callsign changed.
const std::string& ChangedFileOfChannels() {
    static std::string path;
    if (path.empty()) {
        MemoryTable table = ReadCsvMemory(bench::MakeMemoryCsv()).table;
        for (int row = 1; row < table.RowCount(); ++row) {
            table.SetCellText(row, Frequency, " " + std::string(table.CellText(row, Frequency)));
            table.SetCellText(row, Callsign, std::string(table.CellText(row, Callsign)) + "x");
        }
        const std::string file = (bench::ScratchFolder() / "channels-changed.csv").string();
        path = WriteFileAtomically(file, BuildCsvText(table, /*importForm=*/true).bytes)
                   ? file
                   : std::string();
    }
    return path;
}

// Reads the whole of the file at `path`.
std::string BytesOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Runs the window's events until `sender` emits `signal`, or `timeoutMs` have passed; false then.
template <typename Sender, typename Signal>
bool WaitForSignal(Sender* sender, Signal signal, int timeoutMs) {
    QEventLoop loop;
    bool emitted = false;
    const QMetaObject::Connection connection = QObject::connect(sender, signal, &loop, [&] {
        emitted = true;
        loop.quit();
    });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    loop.exec();
    QObject::disconnect(connection);
    return emitted;
}

// The file the editor watches in the Reload steps: another program writes it anew before each
// run, in turns the benchmark file and the one with every row changed.
const std::string& WatchedFile() {
    static const std::string path = (bench::ScratchFolder() / "watched.csv").string();
    return path;
}

// Edits a cell so the table has unsaved changes, then another program rewrites the watched
// file; a save over it then asks, and is answered with Reload.
void WatchedFileChanged(StepEditor& e) {
    static bool changed = false;
    changed = !changed;
    QAbstractItemModel* grid = e.grid().model();
    grid->setData(grid->index(30000, Callsign), QString::fromLatin1(changed ? "ABC" : "XYZ"));
    const QString watched = QString::fromStdString(WatchedFile());
    WriteFileAtomically(WatchedFile(),
                        BytesOf(changed ? ChangedFileOfChannels() : FileOfChannels(kAll)));
    if (!e.window->keeper().fileWatch().changedElsewhere()) {
        std::fprintf(stderr, "the watch did not see the file change\n");
    }
    // Until the watch has said so on the status line, as it does at once.
    WaitForSignal(&e.window->keeper().fileWatch(), &FileWatch::changed, 2000);
    e.boxes.fileChangedAnswers = {FileChangedAnswer::Reload};
    e.files.answers = {watched};
    e.boxes.overwriteAnswers = {true};
}

// Puts the Compare dialog's cursor on its first row: on the kind column, or on the first cell
// marked changed.
void CompareCursorOnFirstRow(StepEditor& e, bool onChangedCell) {
    QTableView* list = e.compare->list();
    int column = CompareDialog::kKindColumn;
    for (int c = CompareDialog::kFirstFieldColumn;
         onChangedCell && c < list->model()->columnCount(); ++c) {
        if (list->model()->index(0, c).data(Qt::UserRole).toBool()) {
            column = c;
            break;
        }
    }
    list->setCurrentIndex(list->model()->index(0, column));
}

struct Step {
    const char* name;
    double budgetMs;
    int channels;                              // in the table the step starts from
    std::function<void(StepEditor&)> prepare;  // once, not timed
    std::function<void(StepEditor&)> before;   // before each run, not timed
    std::function<void(StepEditor&)> run;      // timed, with the settling that follows
};

// What each run times, kept a function of its own so that a profiler can single it out.
[[gnu::noinline]] double TimedPart(StepEditor& editor, const Step& step, double& longestCpu) {
    EventLoopStopwatch stopwatch;
    step.run(editor);
    editor.settle();
    const double longest = stopwatch.stop();
    longestCpu = stopwatch.longestCpu();
    return longest;
}

void RunStep(benchmark::State& state, const Step& step) {
    StepEditor editor;
    if (ChannelsCsvFile().empty() || !editor.open(FileOfChannels(step.channels))) {
        state.SkipWithError("import failed");
        return;
    }
    editor.window->problems().checkNow();
    editor.settle();
    if (step.prepare) {
        step.prepare(editor);
        editor.settle();
    }
    std::vector<double> blocks;
    std::vector<double> cpuBlocks;
    for (auto _ : state) {
        if (step.before) {
            state.PauseTiming();
            step.before(editor);
            editor.settle();
            state.ResumeTiming();
        }
        double cpu = 0;
        blocks.push_back(TimedPart(editor, step, cpu));
        cpuBlocks.push_back(cpu);
    }
    state.counters["budget_ms"] = step.budgetMs;
    state.counters["longest_block_ms"] = Mean(blocks);
    state.counters["longest_block_cpu_ms"] = Mean(cpuBlocks);
}

constexpr double kKeystroke = 16;
constexpr double kWholeTable = 50;

// Undo of what `before` did, timed.
void Undo(StepEditor& editor) {
    editor.undo().undo();
}

std::vector<Step> Steps() {
    const auto selectAll = [](StepEditor& e) { e.grid().selectAll(); };
    const auto redo = [](StepEditor& e) { e.undo().redo(); };
    const auto setMode = [](StepEditor& e) {
        static bool am = false;
        am = !am;
        e.edits.fieldEdits.push_back({FieldEdit::Kind::Set, Mode, am ? "AM" : "FM", 0});
        e.trigger("setFieldAction");
    };
    // Group 16 added to every row and taken away again, in turns.
    const auto toggleGroup = [](StepEditor& e) {
        static bool add = false;
        add = !add;
        e.edits.fieldEdits.push_back(
            {add ? FieldEdit::Kind::AddGroup : FieldEdit::Kind::RemoveGroup, Groups, "", 16});
        e.trigger("setFieldAction");
    };
    const auto addRange = [](StepEditor& e) {
        RangeFill fill;
        fill.range = {118000000, 118000000 + 9999ull * 25000, 25000, 1, {}};
        e.edits.ranges.push_back(fill);
        e.trigger("addRangeAction");
    };
    const auto thousandRows = [](StepEditor& e) { e.selectRows(20000, 20999); };
    const auto scatteredRows = [](StepEditor& e) {
        QItemSelection rows;
        for (int row = 20000; row < 22000; row += 2) {
            rows.select(e.grid().model()->index(row, 0), e.grid().model()->index(row, 0));
        }
        e.grid().setCurrentIndex(e.grid().model()->index(20000, Frequency));
        e.grid().selectionModel()->select(
            rows, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    };
    const auto commit = [](int column, const char* a, const char* b) {
        return [=](StepEditor& e) {
            static bool flip = false;
            flip = !flip;
            QAbstractItemModel* grid = e.grid().model();
            grid->setData(grid->index(30000, column), QString::fromLatin1(flip ? a : b));
        };
    };
    // One notch of the mouse wheel over the grid, down and up in turns.
    const auto wheelNotch = [](StepEditor& e) {
        static int direction = -120;
        direction = -direction;
        const QPointF at(200, 200);
        QWheelEvent wheel(at, e.grid().viewport()->mapToGlobal(at), QPoint(), QPoint(0, direction),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(e.grid().viewport(), &wheel);
    };
    const auto appendFile = [](StepEditor& e) {
        e.window->fileActions().appendFile(QString::fromStdString(FileOfChannels(kAll)));
    };
    const auto appendList = [](const char* extension) {
        return [=](StepEditor& e) {
            e.window->fileActions().appendFile(QString::fromStdString(ListOfChannels(extension)));
        };
    };
    // The files a step reads are written before its runs are timed.
    const auto listWritten = [](const char* extension) {
        return [=](StepEditor&) { ListOfChannels(extension); };
    };
    const auto scheduleWritten = [](StepEditor&) { ScheduleFile(10000); };
    const auto emptied = [](StepEditor& e) {
        if (e.window->document().table().table().ChannelCount() > 0)
            e.undo().undo();
    };
    const auto importSchedule = [](StepEditor& e) {
        e.files.answers = {QString::fromStdString(ScheduleFile(10000))};
        e.trigger("importScheduleAction");
    };
    const auto saveList = [](const char* name) {
        return [=](StepEditor& e) {
            e.files.answers = {QString::fromStdString((bench::ScratchFolder() / name).string())};
            e.boxes.overwriteAnswers = {true};
        };
    };
    // The watched file opened (it is the file a save goes to).
    const auto openWatched = [](StepEditor& e) {
        WriteFileAtomically(WatchedFile(), BytesOf(FileOfChannels(kAll)));
        e.window->fileActions().openChannelFile(QString::fromStdString(WatchedFile()));
    };
    // The Compare dialog on the file with every row changed, shown beside the window.
    const auto openCompare = [](StepEditor& e) {
        e.compare = std::make_unique<CompareDialog>(
            e.window->document(), QString::fromStdString(ChangedFileOfChannels()), e.window.get());
        e.compare->show();
    };
    // The table with schedule channels open, the clock at a fixed minute (a Wednesday, 18:00
    // UTC); each run of the minute step moves it on by ten minutes, so that some hundred rows go
    // off the air and as many on.
    static int minute = 18 * 60;
    const auto setClock = [](StepEditor& e) {
        e.window->onAirNow().setClock([] {
            return QDateTime(QDate(2026, 12, 9), QTime(minute / 60 % 24, minute % 60), Qt::UTC);
        });
    };
    const auto onAirTable = [setClock](StepEditor& e) {
        e.open(OnAirFileOfChannels());
        setClock(e);
    };
    const auto onAirSet = [](bool on) {
        return [on](StepEditor& e) {
            if (e.window->onAirNow().isOn() != on)
                e.trigger("onAirAction");
        };
    };
    // The table with 10,000 channels of the schedule's first season after its own rows; the
    // timed import updates them with the second season.
    const auto firstSeason = [](StepEditor& e) {
        e.broadcasts.update = false;
        e.window->scheduleActions().importFile(QString::fromStdString(SeasonFile(false)));
        SeasonFile(true);
        e.broadcasts.update = true;
    };
    const auto secondSeason = [](StepEditor& e) {
        e.window->scheduleActions().importFile(QString::fromStdString(SeasonFile(true)));
    };
    const auto seasonUndone = [](StepEditor& e) {
        if (e.undo().undoText().startsWith("Update from"))
            e.undo().undo();
    };
    const auto atRow = [](int row) {
        return [=](StepEditor& e) {
            e.grid().setCurrentIndex(e.grid().model()->index(row, Frequency));
            e.grid().scrollTo(e.grid().currentIndex());
        };
    };
    return {
        // Keystroke-level steps.
        {"cell_commit_frequency", kKeystroke, kAll, atRow(30000), nullptr,
         commit(Frequency, "7100000", "7200000")},
        {"cell_commit_frequency_undo", kKeystroke, kAll, atRow(30000),
         commit(Frequency, "7100000", "7200000"), Undo},
        {"cell_commit_number", kKeystroke, kAll, atRow(30000), nullptr,
         commit(Number, "70000", "30001")},
        {"cell_commit_number_undo", kKeystroke, kAll, atRow(30000),
         commit(Number, "70000", "30001"), Undo},
        {"cell_commit_callsign", kKeystroke, kAll, atRow(30000), nullptr,
         commit(Callsign, "ABC", "XYZ")},
        {"cell_commit_callsign_undo", kKeystroke, kAll, atRow(30000),
         commit(Callsign, "ABC", "XYZ"), Undo},
        {"wheel_notch", kKeystroke, kAll, atRow(30000), nullptr, wheelNotch},
        {"page_down", kKeystroke, kAll, atRow(0), nullptr,
         [](StepEditor& e) { e.key(&e.grid(), Qt::Key_PageDown); }},
        {"wheel_notch_after_range", kKeystroke, kAll - 10000, addRange, nullptr, wheelNotch},
        {"find_typed_character", kKeystroke, kAll, [](StepEditor& e) { e.trigger("findAction"); },
         nullptr,
         [](StepEditor& e) {
             e.window->findBar().box()->setText(
                 e.window->findBar().box()->text().isEmpty() ? QStringLiteral("w") : QString());
         }},
        {"find_step", kKeystroke, kAll, nullptr,
         [](StepEditor& e) { e.window->findBar().findRows(QStringLiteral("w")); },
         [](StepEditor& e) { e.window->findBar().findRows(QStringLiteral("wa")); }},
        {"go_to_channel", kKeystroke, kAll, nullptr, nullptr,
         [](StepEditor& e) {
             e.edits.channelNumbers.push_back(45000);
             e.trigger("goToChannelAction");
         }},
        {"frequency_mhz_hz", kKeystroke, kAll, nullptr, nullptr,
         [](StepEditor& e) {
             static bool mhz = false;
             mhz = !mhz;
             e.trigger(mhz ? "frequencyMHzAction" : "frequencyHzAction");
         }},
        {"hide_column", kKeystroke, kAll, nullptr, nullptr,
         [](StepEditor& e) { e.trigger("column5Action"); }},
        {"add_row", kKeystroke, kAll - 1, nullptr,
         [](StepEditor& e) {
             if (e.window->document().table().table().ChannelCount() == kAll)
                 e.undo().undo();
         },
         [](StepEditor& e) { e.trigger("addRowAction"); }},
        {"add_row_undo", kKeystroke, kAll - 1, nullptr,
         [](StepEditor& e) { e.trigger("addRowAction"); }, Undo},
        {"insert_row", kWholeTable, kAll - 1, atRow(100),
         [](StepEditor& e) {
             if (e.window->document().table().table().ChannelCount() == kAll)
                 e.undo().undo();
         },
         [](StepEditor& e) { e.trigger("insertRowAction"); }},
        {"insert_row_undo", kWholeTable, kAll - 1, atRow(100),
         [](StepEditor& e) { e.trigger("insertRowAction"); }, Undo},

        // Commands on the whole table, or many rows, and their undo.
        {"set_field_all_rows", kWholeTable, kAll, selectAll, nullptr, setMode},
        {"set_field_all_rows_undo", kWholeTable, kAll, selectAll, setMode, Undo},
        {"group_all_rows", kWholeTable, kAll, selectAll, nullptr, toggleGroup},
        {"group_all_rows_undo", kWholeTable, kAll, selectAll, toggleGroup, Undo},
        {"add_range_10000", kWholeTable, kAll - 10000, nullptr,
         [](StepEditor& e) {
             if (e.window->document().table().table().ChannelCount() == kAll)
                 e.undo().undo();
         },
         addRange},
        {"add_range_10000_undo", kWholeTable, kAll - 10000, nullptr, addRange, Undo},
        {"move_down_1000", kWholeTable, kAll, thousandRows, nullptr,
         [](StepEditor& e) { e.trigger("moveDownAction"); }},
        {"move_down_1000_undo", kWholeTable, kAll, thousandRows,
         [](StepEditor& e) { e.trigger("moveDownAction"); }, Undo},
        {"move_up_1000_scattered", kWholeTable, kAll, scatteredRows, nullptr,
         [](StepEditor& e) { e.trigger("moveUpAction"); }},
        {"move_up_1000_scattered_undo", kWholeTable, kAll, scatteredRows,
         [](StepEditor& e) { e.trigger("moveUpAction"); }, Undo},
        {"move_to_top_1000", kWholeTable, kAll, thousandRows, nullptr,
         [](StepEditor& e) { e.trigger("moveToTopAction"); }},
        {"move_to_top_1000_undo", kWholeTable, kAll, thousandRows,
         [](StepEditor& e) { e.trigger("moveToTopAction"); }, Undo},
        {"move_to_bottom_1000", kWholeTable, kAll, thousandRows, nullptr,
         [](StepEditor& e) { e.trigger("moveToBottomAction"); }},
        {"move_to_bottom_1000_undo", kWholeTable, kAll, thousandRows,
         [](StepEditor& e) { e.trigger("moveToBottomAction"); }, Undo},
        {"append_65535", kWholeTable, 0, nullptr, emptied, appendFile},
        {"append_65535_undo", kWholeTable, 0, nullptr, appendFile, Undo},
        {"append_65535_redo", kWholeTable, 0, appendFile, Undo, redo},
        {"append_sdrsharp_list_65535", kWholeTable, 0, listWritten(".xml"), emptied,
         appendList(".xml")},
        {"append_sdrsharp_list_65535_undo", kWholeTable, 0, nullptr, appendList(".xml"), Undo},
        {"append_sdrpp_list_65535", kWholeTable, 0, listWritten(".json"), emptied,
         appendList(".json")},
        {"append_sdrpp_list_65535_undo", kWholeTable, 0, nullptr, appendList(".json"), Undo},
        {"append_gqrx_list_65535", kWholeTable, 0, listWritten(".csv"), emptied,
         appendList(".csv")},
        {"append_gqrx_list_65535_undo", kWholeTable, 0, nullptr, appendList(".csv"), Undo},
        {"delete_1000_rows", kWholeTable, kAll, thousandRows,
         [](StepEditor& e) {
             if (e.undo().canUndo() && e.undo().undoText() == "Delete Row(s)") {
                 e.undo().undo();
                 e.selectRows(20000, 20999);
             }
         },
         [](StepEditor& e) { e.trigger("deleteRowsAction"); }},
        {"delete_1000_rows_undo", kWholeTable, kAll, nullptr,
         [](StepEditor& e) {
             e.selectRows(20000, 20999);
             e.trigger("deleteRowsAction");
         },
         Undo},
        {"re_index", kWholeTable, kAll,
         [](StepEditor& e) {
             e.grid().model()->setData(e.grid().model()->index(0, Number), "65535");
         },
         [](StepEditor& e) {
             if (e.undo().undoText() == "Re-Index")
                 e.undo().undo();
         },
         [](StepEditor& e) { e.trigger("reIndexAction"); }},
        {"re_index_undo", kWholeTable, kAll,
         [](StepEditor& e) {
             e.grid().model()->setData(e.grid().model()->index(0, Number), "65535");
         },
         [](StepEditor& e) { e.trigger("reIndexAction"); }, Undo},
        {"clear_cells_column", kWholeTable, kAll, nullptr,
         [](StepEditor& e) {
             if (e.undo().undoText() == "Clear Cells")
                 e.undo().undo();
             e.grid().selectColumn(Comments);
         },
         [](StepEditor& e) { e.trigger("clearCellsAction"); }},
        {"clear_cells_column_undo", kWholeTable, kAll, nullptr,
         [](StepEditor& e) {
             e.grid().selectColumn(Comments);
             e.trigger("clearCellsAction");
         },
         Undo},
        {"cut_all", kWholeTable, kAll, nullptr,
         [](StepEditor& e) {
             if (e.undo().undoText() == "Cut")
                 e.undo().undo();
             e.grid().selectAll();
         },
         [](StepEditor& e) { e.trigger("cutAction"); }},
        {"cut_all_undo", kWholeTable, kAll, nullptr,
         [](StepEditor& e) {
             e.grid().selectAll();
             e.trigger("cutAction");
         },
         Undo},
        {"copy_all", kWholeTable, kAll, selectAll, nullptr,
         [](StepEditor& e) { e.trigger("copyAction"); }},
        {"paste_all", kWholeTable, kAll,
         [](StepEditor& e) {
             e.grid().selectAll();
             e.trigger("copyAction");
         },
         [](StepEditor& e) {
             if (e.undo().undoText() == "Paste")
                 e.undo().undo();
             e.grid().setCurrentIndex(e.grid().model()->index(0, 0));
         },
         [](StepEditor& e) { e.trigger("pasteAction"); }},
        {"paste_all_undo", kWholeTable, kAll,
         [](StepEditor& e) {
             e.grid().selectAll();
             e.trigger("copyAction");
         },
         [](StepEditor& e) {
             e.grid().setCurrentIndex(e.grid().model()->index(0, 0));
             e.trigger("pasteAction");
         },
         Undo},
        {"sort_by_frequency", kWholeTable, kAll, nullptr, nullptr,
         [](StepEditor& e) {
             static int column = -1;
             column = column == Frequency ? -1 : Frequency;
             e.grid().horizontalHeader()->setSortIndicator(column, Qt::AscendingOrder);
         }},
        {"receiver_model_check", kWholeTable, kAll, nullptr, nullptr,
         [](StepEditor& e) { e.window->problems().scheduleCheck(); }},
        {"save_csv", kWholeTable, kAll, nullptr,
         [](StepEditor& e) {
             e.files.answers = {
                 QString::fromStdString((bench::ScratchFolder() / "saved.csv").string())};
             e.boxes.overwriteAnswers = {true};
         },
         [](StepEditor& e) { e.trigger("saveCsvAction"); }},
        {"save_g3m", kWholeTable, kAll, nullptr,
         [](StepEditor& e) {
             e.files.answers = {
                 QString::fromStdString((bench::ScratchFolder() / "saved.g3m").string())};
             e.boxes.overwriteAnswers = {true};
         },
         [](StepEditor& e) { e.trigger("saveMemoryFileAction"); }},
        {"save_chirp", kWholeTable, kAll, nullptr,
         [](StepEditor& e) {
             e.files.answers = {
                 QString::fromStdString((bench::ScratchFolder() / "chirp.csv").string())};
             e.boxes.overwriteAnswers = {true};
         },
         [](StepEditor& e) { e.trigger("saveChirpAction"); }},
        {"save_sdrsharp_list", kWholeTable, kAll, nullptr, saveList("list.xml"),
         [](StepEditor& e) { e.trigger("saveListAction"); }},
        {"save_sdrpp_list", kWholeTable, kAll, nullptr, saveList("list.json"),
         [](StepEditor& e) { e.trigger("saveListAction"); }},
        {"save_gqrx_list", kWholeTable, kAll, nullptr, saveList("list.csv"),
         [](StepEditor& e) { e.trigger("saveListAction"); }},
        {"save_csv_backup", kWholeTable, kAll,
         [](StepEditor& e) {
             // The backup on, and a file there for each save to replace.
             QAction* backup = e.window->keeper().backupAction();
             if (!backup->isChecked())
                 backup->trigger();
             WriteFileAtomically((bench::ScratchFolder() / "saved-backup.csv").string(),
                                 BytesOf(FileOfChannels(kAll)));
         },
         saveList("saved-backup.csv"), [](StepEditor& e) { e.trigger("saveCsvAction"); }},

        // What keeps the user's work: the recovery copy, Reload of a file changed on disk,
        // Compare with File and what it takes from the file.
        {"recovery_copy", kKeystroke, kAll,
         [](StepEditor& e) {
             e.window->keeper().startRecovery(
                 QString::fromStdString((bench::ScratchFolder() / "recovery").string()));
         },
         commit(Callsign, "ABC", "XYZ"),
         [](StepEditor& e) {
             // Until the copy the edit started is written, a few seconds after it.
             WaitForSignal(&e.window->keeper().recovery(), &RecoveryCopy::written, 20000);
         }},
        {"reload_changed_file", kWholeTable, kAll, openWatched, WatchedFileChanged,
         [](StepEditor& e) { e.trigger("saveCsvAction"); }},
        {"reload_changed_file_undo", kWholeTable, kAll, openWatched,
         [](StepEditor& e) {
             WatchedFileChanged(e);
             e.trigger("saveCsvAction");
         },
         Undo},
        {"compare_with_file_opened", 1000, kAll, [](StepEditor&) { ChangedFileOfChannels(); },
         [](StepEditor& e) { e.files.answers = {QString::fromStdString(ChangedFileOfChannels())}; },
         [](StepEditor& e) {
             // The dialog is modal: once its event loop runs, it has been shown; painted, closed.
             QTimer::singleShot(0, e.window.get(), [&e] {
                 if (auto* dialog = e.window->findChild<CompareDialog*>("compareDialog")) {
                     dialog->grab();
                     dialog->reject();
                 }
             });
             e.trigger("compareAction");
         }},
        {"take_channel_from_file", kWholeTable, kAll, openCompare,
         [](StepEditor& e) { CompareCursorOnFirstRow(e, false); },
         [](StepEditor& e) { e.compare->takeChannel(); }},
        {"take_channel_from_file_undo", kWholeTable, kAll, openCompare,
         [](StepEditor& e) {
             CompareCursorOnFirstRow(e, false);
             e.compare->takeChannel();
         },
         Undo},
        {"take_cell_from_file", kWholeTable, kAll, openCompare,
         [](StepEditor& e) { CompareCursorOnFirstRow(e, true); },
         [](StepEditor& e) { e.compare->takeCell(); }},
        {"take_cell_from_file_undo", kWholeTable, kAll, openCompare,
         [](StepEditor& e) {
             CompareCursorOnFirstRow(e, true);
             e.compare->takeCell();
         },
         Undo},
        {"import_schedule_10000", kWholeTable, kAll - 10000, scheduleWritten,
         [](StepEditor& e) {
             if (e.window->document().table().table().ChannelCount() == kAll)
                 e.undo().undo();
         },
         importSchedule},
        {"import_schedule_10000_undo", kWholeTable, kAll - 10000, nullptr, importSchedule, Undo},
        {"season_update_10000", kWholeTable, kAll - 10000, firstSeason, seasonUndone, secondSeason},
        {"season_update_10000_previewed", kWholeTable, kAll - 10000,
         [=](StepEditor& e) {
             firstSeason(e);
             e.broadcasts.preview = true;
         },
         seasonUndone, secondSeason},
        {"season_update_10000_undo", kWholeTable, kAll - 10000, firstSeason, secondSeason, Undo},
        {"season_update_10000_redo", kWholeTable, kAll - 10000,
         [=](StepEditor& e) {
             firstSeason(e);
             secondSeason(e);
         },
         Undo, redo},

        // View / On Air Now on the table with 32,767 schedule channels: turned on (every
        // summary read), off, and filtered again as a new minute begins.
        {"on_air_now_on", kWholeTable, kAll, onAirTable, onAirSet(false), onAirSet(true)},
        {"on_air_now_off", kWholeTable, kAll, onAirTable, onAirSet(true), onAirSet(false)},
        // A Comments cell committed while it is on: its row goes off the air and on again.
        {"cell_commit_comments_on_air", kKeystroke, kAll,
         [=](StepEditor& e) {
             onAirTable(e);
             onAirSet(true)(e);
         },
         nullptr,
         [](StepEditor& e) {
             static bool off = false;
             off = !off;
             MemoryTableModel& table = e.window->document().table();
             table.setData(table.index(30000, Comments),
                           QString::fromLatin1(off ? "Time signal" : "0000-2400 E"));
         }},
        {"on_air_now_next_minute", kKeystroke, kAll,
         [=](StepEditor& e) {
             onAirTable(e);
             onAirSet(true)(e);
         },
         [](StepEditor&) { minute += 10; }, [](StepEditor& e) { e.window->onAirNow().refresh(); }},
    };
}

void RegisterSteps() {
    static const std::vector<Step> steps = Steps();
    for (const Step& step : steps) {
        benchmark::RegisterBenchmark((std::string("step_") + step.name).c_str(),
                                     [&step](benchmark::State& state) { RunStep(state, step); })
            ->Unit(benchmark::kMillisecond)
            ->Iterations(5);
    }
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    RegisterSteps();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
