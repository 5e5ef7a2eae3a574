#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>
#include <QUrl>
#include <memory>

#include "ScriptedDialogs.h"
#include "app/MainWindow.h"
#include "app/RecentFiles.h"
#include "csv/CsvWriter.h"
#include "g3m/G3mFile.h"
#include "g3m/G3mReader.h"
#include "table/Columns.h"

using namespace corvalen;

namespace {

MemoryTable Channels(int count) {
    MemoryTable table = MemoryTable::ImportLayout();
    for (int n = 1; n <= count; ++n) {
        table.AppendRow({std::to_string(n), std::to_string(7000000 + 5000 * n), "2400", "-1500", "",
                         "", "", "", "", "1+3", "", "", "", "-100", "", "", "LSB",
                         "K" + std::to_string(n), "net"});
    }
    return table;
}

QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class TestFileMenu : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ScriptedFileDialogs> m_dialogs;
    std::unique_ptr<ScriptedMessageBoxes> m_boxes;
    std::unique_ptr<MainWindow> m_window;

    QString path(const QString& name) const { return m_dir->filePath(name); }

    MainWindow& startWindow() {
        m_window = std::make_unique<MainWindow>(
            SettingsFile(path(QStringLiteral("program")), path(QStringLiteral("user"))),
            m_dialogs.get(), m_boxes.get());
        m_window->start();
        m_window->document().winradioPath = m_dir->path();
        return *m_window;
    }

    QString writeG3m(const QString& name, int channels, const std::string& model) {
        const QString file = path(name);
        [&] { QVERIFY(SaveG3mFile(file.toStdString(), Channels(channels), model).ok()); }();
        return file;
    }

    QString writeCsv(const QString& name, int channels) {
        const QString file = path(name);
        QFile out(file);
        if (out.open(QIODevice::WriteOnly)) {
            out.write(QByteArray::fromStdString(BuildCsvText(Channels(channels), true).bytes));
        }
        return file;
    }

    QAction* action(const char* name) const {
        return m_window->findChild<QAction*>(QString::fromLatin1(name));
    }

    // Whether the window takes `file` as a drop; if it does, drops it.
    bool drop(const QString& file) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(file)});
        const QPoint centre = m_window->rect().center();
        QDragEnterEvent enter(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(m_window.get(), &enter);
        if (!enter.isAccepted()) {
            return false;
        }
        QDropEvent dropped(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(m_window.get(), &dropped);
        return dropped.isAccepted();
    }

private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        QVERIFY(QDir().mkpath(path(QStringLiteral("program"))));
        m_dialogs = std::make_unique<ScriptedFileDialogs>();
        m_boxes = std::make_unique<ScriptedMessageBoxes>();
    }

    void cleanup() { m_window.reset(); }

    void openG3mByShortcut_data() {
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("status");
        QTest::newRow("G313") << "313"
                              << "Read 3 channels from memories.g3m (92-byte records)";
        QTest::newRow("G303") << "303"
                              << "Read 3 channels from memories.g3m (84-byte records)";
    }

    void openG3mByShortcut() {
        QFETCH(QString, model);
        QFETCH(QString, status);
        MainWindow& window = startWindow();
        window.document().model = model;
        const QString file = writeG3m(QStringLiteral("memories.g3m"), 3, model.toStdString());
        window.fileDialog().settings().fileName = QStringLiteral("left over.csv");
        m_dialogs->answers.push_back(file);

        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTest::keyClick(&window, Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier);
        const FileDialogSettings expected{
            m_dir->path(), QString(), QStringLiteral("Memory files (*.g3m)|*.g3m"),
            QStringLiteral("Select your File"), FileDialogSettings::Form::Open};
        QCOMPARE(m_dialogs->shown.size(), 1);
        QVERIFY(m_dialogs->shown[0] == expected);

        const Result<G3mReadReport> reference =
            ReadG3mFile(file.toStdString(), model.toStdString());
        QVERIFY(reference.ok());
        QVERIFY(window.document().table().table() == reference->table);
        QCOMPARE(window.document().table().columnCount(), kImportedColumnCount);
        QVERIFY(window.document().csvLoaded);
        QCOMPARE(window.statusText(), status);
        QCOMPARE(window.document().undoStack().undoText(), QStringLiteral("Open memories.g3m"));
        QVERIFY(!window.isWindowModified());
        QCOMPARE(window.recentFiles().paths(), QStringList{file});

        QStringList menus;
        for (QAction* menu : window.menuBar()->actions()) {
            menus << menu->text();
        }
        QCOMPARE(menus, (QStringList{"File", "Edit", "View", "Options"}));
    }

    void openG3mSettlesUnsavedChangesFirst_data() {
        QTest::addColumn<UnsavedChangesAnswer>("answer");
        QTest::addColumn<bool>("opened");
        QTest::newRow("cancel: nothing asked for, nothing lost")
            << UnsavedChangesAnswer::Cancel << false;
        QTest::newRow("discard") << UnsavedChangesAnswer::Discard << true;
    }

    void openG3mSettlesUnsavedChangesFirst() {
        QFETCH(UnsavedChangesAnswer, answer);
        QFETCH(bool, opened);
        MainWindow& window = startWindow();
        window.document().model = QStringLiteral("313");
        MemoryTableModel& model = window.document().table();
        QVERIFY(model.setData(model.index(0, Frequency), QStringLiteral("9410000")));
        const MemoryTable edited = model.table();
        m_boxes->unsavedAnswers.push_back(answer);
        m_dialogs->answers.push_back(writeG3m(QStringLiteral("m.g3m"), 2, "313"));

        action("mnuOpenG3m")->trigger();
        QCOMPARE(m_boxes->shown.last().kind, QStringLiteral("askUnsavedChanges"));
        QCOMPARE(m_dialogs->shown.size(), opened ? 1 : 0);
        QCOMPARE(model.rowCount(), opened ? 2 : 49);
        if (!opened) {
            QVERIFY(model.table() == edited);
        }
    }

    void openG3mFailureKeepsTheTable() {
        MainWindow& window = startWindow();
        const MemoryTable before = window.document().table().table();
        m_dialogs->answers.push_back(path(QStringLiteral("missing.g3m")));
        action("mnuOpenG3m")->trigger();
        QVERIFY(window.document().table().table() == before);
        QVERIFY2(window.statusText().contains(path(QStringLiteral("missing.g3m"))),
                 qPrintable(window.statusText()));
        QVERIFY(window.statusText().endsWith(QStringLiteral("nothing opened")));
        QVERIFY(window.recentFiles().paths().isEmpty());
    }

    void recentFilesPersistAndArePruned() {
        MainWindow& window = startWindow();
        const QString csv = writeCsv(QStringLiteral("a.csv"), 2);
        const QString g3m = writeG3m(QStringLiteral("b.g3m"), 3, "");
        const QString saved = path(QStringLiteral("c.csv"));
        m_dialogs->answers = {csv, g3m, saved};
        action("mnuOpenCsv")->trigger();
        action("mnuOpenG3m")->trigger();
        action("mnuSaveCsv")->trigger();
        action("mnuOpenCsv")->trigger();  // cancelled: no change
        QCOMPARE(window.recentFiles().paths(), (QStringList{saved, g3m, csv}));
        const QString store = path(QStringLiteral("program/Corvalen-recent.txt"));
        QCOMPARE(ReadBytes(store), (saved + "\r\n" + g3m + "\r\n" + csv + "\r\n").toUtf8());
        QVERIFY(!QFile::exists(path(QStringLiteral("program/Corvalen.ini"))));

        // The next run has the list; a file gone since is reported and leaves it.
        QVERIFY(QFile::remove(g3m));
        MainWindow& next = startWindow();
        auto* recent = next.findChild<QMenu*>(QStringLiteral("mnuRecent"));
        QCOMPARE(recent->actions().size(), 3);
        recent->actions()[1]->trigger();
        QCOMPARE(next.statusText(),
                 QDir::toNativeSeparators(g3m) + " no longer exists; removed from Recent files");
        QCOMPARE(next.recentFiles().paths(), (QStringList{saved, csv}));
        QCOMPARE(ReadBytes(store), (saved + "\r\n" + csv + "\r\n").toUtf8());
        QCOMPARE(recent->actions().size(), 2);

        recent->actions()[1]->trigger();  // opens a.csv, which moves to the front
        QCOMPARE(next.document().table().rowCount(), 2);
        QCOMPARE(next.recentFiles().paths(), (QStringList{csv, saved}));

        // Only the latest eight are kept.
        for (int i = 0; i < 10; ++i) {
            next.recentFiles().add(path(QStringLiteral("f%1.csv").arg(i)));
        }
        QCOMPARE(next.recentFiles().paths().size(), RecentFiles::kMaxFiles);
        QCOMPARE(next.recentFiles().paths().first(), path(QStringLiteral("f9.csv")));
        QCOMPARE(next.recentFiles().paths().last(), path(QStringLiteral("f2.csv")));
    }

    void droppedFileOpens_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("taken");
        QTest::newRow("CSV") << "dropped.csv" << true;
        QTest::newRow(".g3m in capitals") << "DROPPED.G3M" << true;
        QTest::newRow("other file") << "dropped.txt" << false;
    }

    void droppedFileOpens() {
        QFETCH(QString, name);
        QFETCH(bool, taken);
        MainWindow& window = startWindow();
        const QString file =
            name.endsWith(QStringLiteral(".csv")) ? writeCsv(name, 4) : writeG3m(name, 4, "313");

        QCOMPARE(drop(file), taken);
        if (taken) {
            QTRY_COMPARE(window.document().table().rowCount(), 4);
            QCOMPARE(window.recentFiles().paths(), QStringList{file});
        } else {
            QCOMPARE(window.document().table().rowCount(), 49);
        }
        QVERIFY(m_dialogs->shown.isEmpty());
    }
};

QTEST_MAIN(TestFileMenu)
#include "tst_filemenu.moc"
