
#include "../BadInputs.h"
#include "EditorTest.h"
#include "io/SaveFaults.h"

using namespace corvalen;

class TestEditorBadInput : public EditorTest {
    Q_OBJECT

private:
    // Presses a button of the bar with `answer` ready for its file dialog; returns what the
    // status bar then says, its details included.
    QString press(const char* button, const QString& answer) {
        m_dialogs->answers.push_back(answer);
        m_window->findChild<QPushButton*>(QString::fromLatin1(button))->click();
        return status();
    }
    QString open(const QString& path) { return press("openCsvButton", path); }
    QString saveCsv(const QString& path) { return press("saveCsvButton", path); }
    QString saveMemoryFile(const QString& path) { return press("saveMemoryFileButton", path); }

private slots:
    void init() {
        setUpEditor();
        badinput::WriteFile(m_dir->filePath("program/Corvalen.ini"), "/radio/G313\r\n313\r\n");
    }
    void cleanup() { m_window.reset(); }

    void badInput_data() { badinput::AddInputRows(); }

    // Opening a bad file either reads what can be read and says what could not, or reads
    // nothing and keeps the table; the .g3m save of what was read reports the rest.
    void badInput() {
        QFETCH(int, index);
        const badinput::Input input = badinput::Inputs()[std::size_t(index)];
        if (!input.skipAsRoot.isEmpty() && badinput::RunningAsRoot()) {
            QSKIP(qPrintable(input.skipAsRoot));
        }
        const QString in = input.make(m_dir->path());
        MainWindow& window = startWindow();
        const MemoryTable before = window.document().table().table();

        QString said = open(in);
        if (input.refused) {
            QVERIFY(window.document().table().table() == before);
            VERIFY_HOLDS(said, "; nothing imported");
        } else {
            QVERIFY2(said.startsWith("Read "), qPrintable(said.left(2000)));
            said += '\n' + saveMemoryFile(m_dir->filePath("out.g3m"));
        }
        for (QString text : input.says) {
            text.replace('@', in);
            if (text.startsWith('!')) {
                QVERIFY2(!said.contains(text.mid(1)), qPrintable(said.left(2000)));
            } else {
                QVERIFY2(said.contains(text), qPrintable(said.left(2000)));
            }
        }
    }

    void failedSave_data() { badinput::AddFailedSaveRows(); }

    // A save that fails says so on the status bar, leaves the old file whole and the table
    // unsaved.
    void failedSave() {
        QFETCH(int, index);
        QFETCH(QString, type);
        const badinput::Target target = badinput::Targets()[std::size_t(index)];
        const QString out = m_dir->filePath(QString(target.path).replace("EXT", type));
        const QString folder = QFileInfo(out).path();
        if (!target.linkTo.isEmpty()) {
            QVERIFY(QFile::link(target.linkTo, out));
        }
        if (target.old) {
            QVERIFY(QDir().mkpath(folder));
            badinput::WriteFile(out, badinput::kOldBytes);
        }
        startWindow();
        open(badinput::WriteFile(m_dir->filePath("in.csv"),
                                 badinput::kHeader + badinput::ChannelLine()));
        QCOMPARE(m_window->document().table().table().ChannelCount(), 1);
        editCell(1, Callsign, QStringLiteral("EDITED"));
        const QStringList before = QDir(folder).entryList(QDir::Files);
        std::unique_ptr<badinput::ReadOnly> lock;
        if (target.readOnly != badinput::Target::None) {
            lock = std::make_unique<badinput::ReadOnly>(
                target.readOnly == badinput::Target::File ? out : folder);
            if (!lock->ok) {
                QSKIP("root writes anywhere here: this file system has no immutable flag");
            }
        }
        SimulateWriteFailure(target.writeError, 10);

        const QString said = type == "csv" ? saveCsv(out) : saveMemoryFile(out);
        SimulateWriteFailure(0);
        QVERIFY2(m_window->isWindowModified(), "a failed save saves nothing");
        lock.reset();
        QVERIFY2(said.startsWith("Cannot ") && said.contains('"' + out + '"') &&
                     said.contains(target.says),
                 qPrintable(said));
        VERIFY_HOLDS(said, type == "csv" ? "; nothing saved" : "; the file was not changed");
        if (target.old) {
            QCOMPARE(QDir(folder).entryList(QDir::Files), before);
            QCOMPARE(testing::ReadBytes(out), badinput::kOldBytes);
        }
    }

    void settingsFile_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("model");
        QByteArray binary(4096, '\0');
        QRandomGenerator(5).fillRange(reinterpret_cast<quint32*>(binary.data()), 1024);
        QTest::newRow("garbage") << QByteArray("[Corvalen]\nfolder = C:\\x\nmodel=313\n")
                                 << "[Corvalen]"
                                 << "folder = C:\\x";
        QTest::newRow("binary") << binary << ""
                                << "";
        QTest::newRow("one line") << QByteArray("D:\\Radio\\G313") << "D:\\Radio\\G313"
                                  << "";
        QTest::newRow("huge") << QByteArray(10 * 1024 * 1024, 'A') + "\r\n313\r\n"
                              << ""
                              << "";
    }

    // Whatever "Corvalen.ini" holds, the editor starts with values it can use, without the
    // first-run message, and its file commands work; a model it does not know is refused and
    // said so, and the editor writes for the "313".
    void settingsFile() {
        QFETCH(QByteArray, file);
        QFETCH(QString, folder);
        QFETCH(QString, model);
        badinput::WriteFile(m_dir->filePath("program/Corvalen.ini"), file);
        MainWindow& window = startWindow();
        QVERIFY(window.isVisible());
        QVERIFY(m_boxes->shown.isEmpty());
        QCOMPARE(window.document().winradioPath(), folder);
        QCOMPARE(window.document().modelName(), QStringLiteral("313"));
        VERIFY_HOLDS(statusLine(window), '"' + model + "\" is no receiver model");
        open(badinput::WriteFile(m_dir->filePath("in.csv"),
                                 badinput::kHeader + badinput::ChannelLine()));
        QVERIFY(
            saveMemoryFile(m_dir->filePath("out.g3m")).startsWith("Wrote 1 record of 92 bytes"));
    }

    // Settings that cannot be written anywhere are reported, and the old file stays.
    void readOnlySettingsFile() {
        const QString ini = m_dir->filePath("program/Corvalen.ini");
        badinput::WriteFile(m_dir->filePath("user"), "a file where the user's folder would be");
        MainWindow& window = startWindow();
        badinput::ReadOnly lock(ini);
        if (!lock.ok) {
            QSKIP("root writes anywhere here: this file system has no immutable flag");
        }
        window.findChild<QPushButton*>("exitButton")->click();
        QVERIFY(window.isVisible());  // the window stays open to say so
        VERIFY_STARTS(statusLine(window), "Could not save the settings to ");
        QCOMPARE(testing::ReadBytes(ini), QByteArray("/radio/G313\r\n313\r\n"));
    }
};

QTEST_MAIN(TestEditorBadInput)
#include "tst_editor_badinput.moc"
