#include <QtTest>

#include <sys/stat.h>

#include "io/SafeFile.h"

using namespace corvalen;

class TestSafeFile : public QObject {
    Q_OBJECT

private slots:
    void replacesWholeFileAndLeavesNoTemporary() {
        QTemporaryDir dir;
        const std::string path = dir.filePath("memory.csv").toStdString();
        QVERIFY(WriteFileAtomically(path, std::string(1000, 'a')).ok());
        QVERIFY(WriteFileAtomically(path, "short").ok());
        QCOMPARE(*ReadWholeFile(path), std::string("short"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"memory.csv"});
    }

    void keepsPermissionsOfReplacedFile() {
        QTemporaryDir dir;
        const std::string path = dir.filePath("a.g3m").toStdString();
        QVERIFY(WriteFileAtomically(path, "x").ok());
        QVERIFY(::chmod(path.c_str(), 0640) == 0);
        QVERIFY(WriteFileAtomically(path, "y").ok());
        struct stat info {};
        QVERIFY(::stat(path.c_str(), &info) == 0);
        QCOMPARE(info.st_mode & 0777, 0640u);
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
