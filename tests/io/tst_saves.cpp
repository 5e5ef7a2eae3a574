#include <QtTest>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <thread>

#include "TestFiles.h"
#include "io/Messages.h"
#include "io/SafeFile.h"
#include "io/SaveFaults.h"

// Saves on the real file system, as people's files are: links, other owners, other names, long
// names, saves that are killed, and two programs updating one file. Ownership needs root.

using namespace corvalen;

namespace {

// The new content is the shorter, so a save that left the old file's tail behind shows.
const std::string kOld = "Location,Name\n1,old\n2,more\n";
const std::string kNew = "Location,Name\n1,new\n";

using testing::Everything;
using testing::Read;
using testing::Write;

// Runs `work` in a child process and returns how the child ended (waitpid's status).
template <typename Work>
int InChild(Work work) {
    const pid_t child = ::fork();
    if (child == 0) {
        ::_exit(work());
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return status;
}

}  // namespace

class TestSaves : public QObject {
    Q_OBJECT

private slots:
    // What is saved goes where the name leads and keeps what the old file had: the link, the
    // owner, the mode; other names keep the old content and the user hears of it; nothing is
    // left beside it.
    void keepsWhatTheTargetWas_data() {
        QTest::addColumn<QString>("given");      // the name the save is given
        QTest::addColumn<QString>("file");       // the file it replaces; "" the name given
        QTest::addColumn<QStringList>("links");  // "NAME>TARGET": symbolic links made first
        QTest::addColumn<bool>("old");           // the file is there before the save
        QTest::addColumn<QString>("other");      // another name of that file
        QTest::addColumn<int>("owner");          // the file's owner; 0 the test's user
        QTest::addColumn<int>("mode");           // the file's mode
        QTest::addColumn<bool>("savedByUser");   // saved by user 65534, who may not give it back
        QTest::addColumn<QString>("notice");     // a part of the one notice expected, or none
        const auto row = [](const char* name, const QString& given, const QString& file,
                            const QStringList& links, bool old, const QString& notice = {},
                            const QString& other = {}, int owner = 0, int mode = 0640,
                            bool savedByUser = false) {
            QTest::newRow(name) << given << file << links << old << other << owner << mode
                                << savedByUser << notice;
        };
        // A mode of 0640 is not what a new file gets, so a mode not kept shows.
        row("plain file", "memory.csv", "", {}, true);
        row("new file", "memory.csv", "", {}, false);
        row("symbolic link", "memory.csv", "c/real.csv", {"memory.csv>c/real.csv"}, true);
        row("chain of relative links across folders", "a/b/link.csv", "c/real.csv",
            {"a/b/link.csv>../../c/middle.csv", "c/middle.csv>real.csv"}, true);
        row("link to a file not there yet", "memory.csv", "c/later.csv", {"memory.csv>c/later.csv"},
            false);
        row("name of 240 bytes", QString(236, 'n') + ".g3m", "", {}, true);
        row("name of 255 bytes", QString(251, 'n') + ".g3m", "", {}, true);
        row("file with a second name", "memory.csv", "", {}, true,
            "was replaced under this name only: its other name (a hard link) keeps",
            "c/other-name.csv");
        row("0600 file of another user", "memory.csv", "", {}, true, "", "", 4321, 0600);
        row("file of another user, saved by a user who may not give it back", "memory.csv", "", {},
            true, "now belongs to user 65534 instead of user 4321", "", 4321, 0666, true);
    }
    void keepsWhatTheTargetWas() {
        QFETCH(QString, given);
        QFETCH(QString, file);
        QFETCH(QStringList, links);
        QFETCH(bool, old);
        QFETCH(QString, other);
        QFETCH(int, owner);
        QFETCH(int, mode);
        QFETCH(bool, savedByUser);
        QFETCH(QString, notice);
        if (owner != 0 && ::geteuid() != 0) {
            QSKIP("giving files to another user needs root");
        }
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("a/b") && QDir(dir.path()).mkpath("c"));
        const auto in = [&](const QString& name) { return dir.filePath(name).toStdString(); };
        const std::string path = in(given);
        const std::string target = in(file.isEmpty() ? given : file);
        for (const QString& link : links) {
            const QByteArray to = link.section('>', 1).toUtf8();
            QVERIFY(::symlink(to.constData(), in(link.section('>', 0, 0)).c_str()) == 0);
        }
        const uid_t uid = owner != 0 ? uid_t(owner) : ::geteuid();
        if (old) {
            Write(target, kOld);
            QVERIFY(::chmod(target.c_str(), mode_t(mode)) == 0);
            QVERIFY(::chown(target.c_str(), uid, uid) == 0);
            if (!other.isEmpty()) {
                QVERIFY(::link(target.c_str(), in(other).c_str()) == 0);
            }
        }
        struct stat givenBefore {};
        ::lstat(path.c_str(), &givenBefore);
        const QStringList namesBefore = Everything(dir.path());

        std::vector<std::string> notices;
        const auto saved = [&] {
            return WriteFileAtomically(path, kNew, notices) &&
                   notices.size() == (notice.isEmpty() ? 0u : 1u) &&
                   (notice.isEmpty() || QString::fromStdString(notices[0]).contains(notice));
        };
        if (savedByUser) {
            QVERIFY(::chmod(dir.path().toUtf8(), 0777) == 0);
            const int status = InChild(
                [&] { return ::setgid(65534) == 0 && ::setuid(65534) == 0 && saved() ? 0 : 1; });
            QCOMPARE(status, 0);
        } else {
            QVERIFY2(saved(), notices.empty() ? "" : notices[0].c_str());
        }

        QCOMPARE(Read(path), kNew);
        QCOMPARE(Read(target), kNew);
        if (!other.isEmpty()) {
            QCOMPARE(Read(in(other)), kOld);
        }
        struct stat givenAfter {};
        struct stat fileAfter {};
        QVERIFY(::lstat(path.c_str(), &givenAfter) == 0 && ::stat(target.c_str(), &fileAfter) == 0);
        QCOMPARE(S_ISLNK(givenAfter.st_mode), S_ISLNK(givenBefore.st_mode));
        QCOMPARE(fileAfter.st_uid, savedByUser ? uid_t(65534) : uid);
        if (old) {
            QCOMPARE(fileAfter.st_mode & 07777, mode_t(mode));
        }
        QStringList namesAfter = namesBefore;
        if (!old) {
            namesAfter << QString::fromStdString(target).mid(dir.path().size() + 1);
            namesAfter.sort();
        }
        QCOMPARE(Everything(dir.path()), namesAfter);
    }

    // A save ended by a signal half way leaves the old file as it was. SIGINT and SIGTERM also
    // take its temporary file with them; what SIGKILL leaves, the next save removes.
    void killedSaveKeepsOldFileAndLeavesNoLitter_data() {
        QTest::addColumn<int>("signal");
        QTest::addColumn<bool>("litter");  // a temporary file is left until the next save
        QTest::newRow("SIGINT") << int(SIGINT) << false;
        QTest::newRow("SIGTERM") << int(SIGTERM) << false;
        QTest::newRow("SIGKILL") << int(SIGKILL) << true;
    }
    void killedSaveKeepsOldFileAndLeavesNoLitter() {
        QFETCH(int, signal);
        QFETCH(bool, litter);
        QTemporaryDir dir;
        const std::string path = dir.filePath("memory.g3m").toStdString();
        Write(path, kOld);
        const int status = InChild([&] {
            if (signal != SIGKILL) {
                std::signal(signal, SIG_DFL);  // as in the programs, not the test's crash handler
            }
            SaveFaults faults;
            faults.signal = signal;
            faults.acceptedBytes = 100 * 1024;
            SimulateSaveFaults(faults);
            (void)WriteFileAtomically(path, std::string(1 << 20, 'x'));
            return 0;
        });
        QVERIFY(WIFSIGNALED(status));
        QCOMPARE(WTERMSIG(status), signal);
        QCOMPARE(Read(path), kOld);
        QCOMPARE(Everything(dir.path()).size(), litter ? 2 : 1);

        QVERIFY(WriteFileAtomically(path, kNew).ok());
        QCOMPARE(Read(path), kNew);
        QCOMPARE(Everything(dir.path()), QStringList{"memory.g3m"});
    }

    // Two updates of one file at once: the second waits for the first and then builds on what
    // it wrote, or, when the first takes longer than the wait, fails and writes nothing.
    void secondUpdateWaitsForTheFirst_data() {
        QTest::addColumn<bool>("fileExists");
        QTest::addColumn<int>("firstTakesMs");
        QTest::addColumn<int>("secondWaitsMs");
        QTest::addColumn<QString>("result");  // the file after both, or the second's error
        QTest::newRow("first done within the wait") << true << 150 << 2000 << "old+1+2";
        QTest::newRow("file created by both at once") << false << 150 << 2000 << "+1+2";
        QTest::newRow("first takes longer than the wait")
            << true << 1500 << 200
            << "another program is updating it (waited 0.2 s); nothing was written";
    }
    void secondUpdateWaitsForTheFirst() {
        QFETCH(bool, fileExists);
        QFETCH(int, firstTakesMs);
        QFETCH(int, secondWaitsMs);
        QFETCH(QString, result);
        QTemporaryDir dir;
        const std::string path = dir.filePath("memory.g3m").toStdString();
        if (fileExists) {
            Write(path, "old");
        }
        const auto append = [](char digit) {
            return [digit](ByteBuffer& bytes, const PutBytes& put) -> Status {
                bytes.push_back('+');
                bytes.push_back(digit);
                return put(0, std::string_view(bytes.data(), bytes.size()));
            };
        };
        std::atomic<bool> firstHoldsLock = false;
        std::vector<std::string> notices;
        std::thread first([&] {
            (void)UpdateFileAtomically(
                path, 1000,
                [&](ByteBuffer& bytes, const PutBytes& put) {
                    firstHoldsLock = true;
                    std::this_thread::sleep_for(std::chrono::milliseconds(firstTakesMs));
                    return append('1')(bytes, put);
                },
                notices);
        });
        while (!firstHoldsLock) {
            std::this_thread::yield();
        }
        const Status second = UpdateFileAtomically(path, 1000, append('2'), notices,
                                                   std::chrono::milliseconds(secondWaitsMs));
        first.join();
        if (second.ok()) {
            QCOMPARE(QString::fromStdString(Read(path)), result);
        } else {
            QCOMPARE(QString::fromStdString(corvalen::ErrorSentence(second.error())),
                     "Cannot save \"" + QString::fromStdString(path) + "\": " + result);
            QCOMPARE(Read(path), std::string("old+1"));
        }
    }
};

QTEST_GUILESS_MAIN(TestSaves)
#include "tst_saves.moc"
