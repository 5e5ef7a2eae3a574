#include <QtTest>

#include <cerrno>
#include <cstring>

#include "TestFiles.h"
#include "io/Backup.h"
#include "io/Messages.h"
#include "io/SafeFile.h"
#include "io/SaveFaults.h"

// The backup a save keeps of the file it replaces (NAME~), on the real file system.

using namespace corvalen;

namespace {

const std::string kOld = "\"Number\",\"Frequency\"\r\n\"1\",\"7100000\"\r\n";
const std::string kNew = "\"Number\",\"Frequency\"\r\n\"1\",\"7200000\"\r\n\"2\",\"9420000\"\r\n";
const std::string kOlder = "an older backup\r\n";

using testing::Everything;
using testing::Read;
using testing::Write;

// How a save replaces a file: whole, or a memory file updated in place.
enum class Save { Whole, Update };

Status SaveAs(Save save, const std::string& path, const std::string& bytes) {
    if (save == Save::Whole) {
        return WriteFileAtomically(path, bytes);
    }
    std::vector<std::string> notices;
    return UpdateFileAtomically(
        path, 1 << 20, [&](ByteBuffer&, const PutBytes& put) { return put(0, bytes); }, notices);
}

}  // namespace

Q_DECLARE_METATYPE(Save)
Q_DECLARE_METATYPE(SaveFaults)

class TestBackups : public QObject {
    Q_OBJECT

private slots:
    void init() { SetKeepBackups(true); }
    void cleanup() {
        SetKeepBackups(false);
        SimulateSaveFaults({});
    }

    void backupHoldsTheOldBytes_data() {
        QTest::addColumn<Save>("save");
        QTest::addColumn<bool>("olderBackup");
        QTest::addColumn<QString>("name");
        QTest::newRow("whole") << Save::Whole << false << "channels.csv";
        QTest::newRow("whole, an older backup replaced") << Save::Whole << true << "channels.csv";
        QTest::newRow("memory file updated in place") << Save::Update << false << "memory.g3m";
        QTest::newRow("update, an older backup replaced") << Save::Update << true << "memory.g3m";
        QTest::newRow("a long name") << Save::Whole << false << QString(250, 'n');
        QTest::newRow("spaces and umlauts") << Save::Whole << false << "Kanäle Sender.csv";
    }

    void backupHoldsTheOldBytes() {
        QFETCH(Save, save);
        QFETCH(bool, olderBackup);
        QFETCH(QString, name);
        QTemporaryDir dir;
        const std::string path = dir.filePath(name).toStdString();
        Write(path, kOld);
        if (olderBackup) {
            Write(path + "~", kOlder);
        }
        QVERIFY(SaveAs(save, path, kNew));
        QCOMPARE(Read(path), kNew);
        QCOMPARE(Read(path + "~"), kOld);
        // Nothing else is left beside them.
        QCOMPARE(Everything(dir.path()), (QStringList{name, name + "~"}));

        // The next save keeps the version just replaced.
        QVERIFY(SaveAs(save, path, kOld));
        QCOMPARE(Read(path + "~"), kNew);
    }

    // Every step before the file is in place can fail: the old file keeps its bytes (a save that
    // renamed before flushing or closing would have replaced them), and the older backup as it
    // was; the error says why, and nothing else is left.
    void failedSaveChangesNoBackup_data() {
        QTest::addColumn<SaveFaults>("faults");
        QTest::addColumn<bool>("targetExists");
        QTest::addColumn<bool>("olderBackup");
        SaveFaults full;
        full.writeError = ENOSPC;
        full.acceptedBytes = 10;
        SaveFaults flush;
        flush.flushError = EIO;
        SaveFaults close;
        close.closeError = EDQUOT;
        QTest::newRow("disk full") << full << true << false;
        QTest::newRow("disk full, an older backup") << full << true << true;
        QTest::newRow("flush fails, an older backup") << flush << true << true;
        QTest::newRow("close fails") << close << true << false;
        QTest::newRow("flush fails, new file") << flush << false << false;
    }

    void failedSaveChangesNoBackup() {
        QFETCH(SaveFaults, faults);
        QFETCH(bool, targetExists);
        QFETCH(bool, olderBackup);
        const int error = faults.writeError + faults.flushError + faults.closeError;
        for (const Save save : {Save::Whole, Save::Update}) {
            QTemporaryDir dir;
            const std::string path = dir.filePath("memory.g3m").toStdString();
            QStringList names;
            if (targetExists) {
                Write(path, kOld);
                names << "memory.g3m";
            }
            if (olderBackup) {
                Write(path + "~", kOlder);
                names << "memory.g3m~";
            }
            SimulateSaveFaults(faults);
            const Status status = SaveAs(save, path, kNew);
            SimulateSaveFaults({});
            QVERIFY(!status);
            QCOMPARE(corvalen::ErrorSentence(status.error()),
                     "Cannot save \"" + path + "\": " + std::strerror(error));
            if (targetExists) {
                QCOMPARE(Read(path), kOld);
            }
            QCOMPARE(Everything(dir.path()), names);
            if (olderBackup) {
                QCOMPARE(Read(path + "~"), kOlder);
            }
        }
    }

    // Where the folder gives the backup no place (a folder of that name stands there), the
    // save goes on and says so.
    void backupThatCannotBeKeptIsSaid() {
        QTemporaryDir dir;
        const std::string path = dir.filePath("channels.csv").toStdString();
        Write(path, kOld);
        QVERIFY(QDir(dir.path()).mkdir("channels.csv~"));
        std::vector<std::string> notices;
        QVERIFY(WriteFileAtomically(path, kNew, notices));
        QCOMPARE(Read(path), kNew);
        QCOMPARE(notices.size(), std::size_t{1});
        QVERIFY2(notices[0].starts_with("No backup of \"" + path + "\" was kept: "),
                 notices[0].c_str());
        QCOMPARE(Everything(dir.path()), (QStringList{"channels.csv", "channels.csv~"}));
    }
};

QTEST_GUILESS_MAIN(TestBackups)
#include "tst_backups.moc"
