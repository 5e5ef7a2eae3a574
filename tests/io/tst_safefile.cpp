#include <QtTest>

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "io/SafeFile.h"

using namespace corvalen;

namespace {

// The two ways a save takes on Linux: an unnamed temporary file, or a named one where the file
// system refuses unnamed files.
void AddWays() {
    QTest::addColumn<bool>("named");
    QTest::newRow("unnamed temporary file") << false;
    QTest::newRow("named temporary file") << true;
}

void UseWay(bool named) {
    SaveFaults faults;
    faults.refuseUnnamedFile = named;
    SimulateSaveFaults(faults);
}

// Ends every simulated failure when a test function ends, passed or not.
struct FaultsOff {
    ~FaultsOff() { SimulateSaveFaults({}); }
};

}  // namespace

class TestSafeFile : public QObject {
    Q_OBJECT

private slots:
    void replacesWholeFileAndLeavesNoTemporary_data() { AddWays(); }
    void replacesWholeFileAndLeavesNoTemporary() {
        QFETCH(bool, named);
        FaultsOff faultsOff;
        UseWay(named);
        QTemporaryDir dir;
        const std::string path = dir.filePath("memory.csv").toStdString();
        QVERIFY(WriteFileAtomically(path, std::string(1000, 'a')).ok());
        QVERIFY(WriteFileAtomically(path, "short").ok());
        QCOMPARE(*ReadWholeFile(path), std::string("short"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"memory.csv"});
    }

    void keepsPermissionsOfReplacedFile_data() { AddWays(); }
    void keepsPermissionsOfReplacedFile() {
        QFETCH(bool, named);
        FaultsOff faultsOff;
        UseWay(named);
        QTemporaryDir dir;
        const std::string path = dir.filePath("a.g3m").toStdString();
        QVERIFY(WriteFileAtomically(path, "x").ok());
        QVERIFY(::chmod(path.c_str(), 0640) == 0);
        QVERIFY(WriteFileAtomically(path, "y").ok());
        struct stat info {};
        QVERIFY(::stat(path.c_str(), &info) == 0);
        QCOMPARE(info.st_mode & 0777, 0640u);
    }

    // Every step before the file is in place can fail: the old file keeps its bytes (a save that
    // renamed before flushing or closing would have replaced them), the error says why, and no
    // temporary file is left, named or not.
    void failedStepKeepsOldFileAndLeavesNothing_data() {
        QTest::addColumn<bool>("named");
        QTest::addColumn<bool>("targetExists");
        QTest::addColumn<int>("writeError");
        QTest::addColumn<int>("flushError");
        QTest::addColumn<int>("closeError");
        for (const bool named : {false, true}) {
            const QByteArray way = named ? "named: " : "unnamed: ";
            QTest::newRow(way + "disk full while writing") << named << true << ENOSPC << 0 << 0;
            QTest::newRow(way + "flush fails") << named << true << 0 << EIO << 0;
            QTest::newRow(way + "close fails") << named << true << 0 << 0 << EDQUOT;
            QTest::newRow(way + "flush fails, new file") << named << false << 0 << EIO << 0;
        }
    }
    void failedStepKeepsOldFileAndLeavesNothing() {
        QFETCH(bool, named);
        QFETCH(bool, targetExists);
        QFETCH(int, writeError);
        QFETCH(int, flushError);
        QFETCH(int, closeError);
        FaultsOff faultsOff;
        QTemporaryDir dir;
        const std::string path = dir.filePath("memory.g3m").toStdString();
        const std::string old(5000, 'o');
        if (targetExists) {
            QVERIFY(WriteFileAtomically(path, old).ok());
        }

        SaveFaults faults;
        faults.refuseUnnamedFile = named;
        faults.writeError = writeError;
        faults.acceptedBytes = 100;
        faults.flushError = flushError;
        faults.closeError = closeError;
        SimulateSaveFaults(faults);
        const Status status = WriteFileAtomically(path, std::string(9000, 'n'));
        SimulateSaveFaults({});

        QVERIFY(!status.ok());
        const int error = writeError + flushError + closeError;
        QCOMPARE(status.error().message, "Cannot save \"" + path + "\": " + std::strerror(error));
        const QStringList left = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
        if (targetExists) {
            QCOMPARE(*ReadWholeFile(path), old);
            QCOMPARE(left, QStringList{"memory.g3m"});
        } else {
            QCOMPARE(left, QStringList{});
        }
    }

    void failureLeavesOldFileAndSaysWhere() {
        QTemporaryDir dir;
        const std::string missingFolder = dir.filePath("no/such/folder/x.csv").toStdString();
        const Status status = WriteFileAtomically(missingFolder, "data");
        QVERIFY(!status.ok());
        QVERIFY(status.error().message.find(missingFolder) != std::string::npos);

        // A folder in place of the file is refused, and the folder stays.
        const Status onFolder = WriteFileAtomically(dir.path().toStdString(), "data");
        QVERIFY(!onFolder.ok());
        QVERIFY(QFileInfo(dir.path()).isDir());
    }

    void readErrorsNameThePath() {
        QTemporaryDir dir;
        const std::string missing = dir.filePath("missing.csv").toStdString();
        const Result<std::string> result = ReadWholeFile(missing);
        QVERIFY(!result.ok());
        QVERIFY(result.error().message.find(missing) != std::string::npos);
        QVERIFY(!ReadWholeFile(dir.path().toStdString()).ok());
    }
};

QTEST_GUILESS_MAIN(TestSafeFile)
#include "tst_safefile.moc"
