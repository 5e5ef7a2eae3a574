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

enum class Target {
    PlainFile,
    NewFile,
    Link,
    LinkChain,
    LinkToNothing,
    OtherOwner,
    HardLink,
    Name240,
    Name255,
    OtherOwnerSavedByUser
};

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
        QTest::addColumn<Target>("target");
        QTest::addColumn<QString>("notice");  // a part of the one notice expected, or none
        QTest::newRow("plain file") << Target::PlainFile << "";
        QTest::newRow("new file") << Target::NewFile << "";
        QTest::newRow("symbolic link") << Target::Link << "";
        QTest::newRow("chain of relative links across folders") << Target::LinkChain << "";
        QTest::newRow("link to a file not there yet") << Target::LinkToNothing << "";
        QTest::newRow("0600 file of another user") << Target::OtherOwner << "";
        QTest::newRow("file with a second name")
            << Target::HardLink
            << "was replaced under this name only: its other name (a hard link) keeps";
        QTest::newRow("name of 240 bytes") << Target::Name240 << "";
        QTest::newRow("name of 255 bytes") << Target::Name255 << "";
        QTest::newRow("file of another user, saved by a user who may not give it back")
            << Target::OtherOwnerSavedByUser << "now belongs to user 65534 instead of user 4321";
    }
    void keepsWhatTheTargetWas() {
        QFETCH(Target, target);
        QFETCH(QString, notice);
        const bool asRoot = ::geteuid() == 0;
        if (!asRoot && (target == Target::OtherOwner || target == Target::OtherOwnerSavedByUser)) {
            QSKIP("giving files to another user needs root");
        }
        QTemporaryDir dir;
        const std::string top = dir.path().toStdString();
        QVERIFY(QDir(dir.path()).mkpath("a/b") && QDir(dir.path()).mkpath("c"));
        std::string given = top + "/memory.csv";  // the name the save is given
        std::string file = given;                 // the file the save is to replace
        std::string other;                        // another name of that file
        mode_t mode = 0640;  // not what a new file gets, so a mode not kept shows
        uid_t owner = ::geteuid();
        switch (target) {
            case Target::Link:
                file = top + "/c/real.csv";
                QVERIFY(::symlink("c/real.csv", given.c_str()) == 0);
                break;
            case Target::LinkChain:
                file = top + "/c/real.csv";
                given = top + "/a/b/link.csv";
                QVERIFY(::symlink("../../c/middle.csv", given.c_str()) == 0);
                QVERIFY(::symlink("real.csv", (top + "/c/middle.csv").c_str()) == 0);
                break;
            case Target::LinkToNothing:
                file = top + "/c/later.csv";
                QVERIFY(::symlink("c/later.csv", given.c_str()) == 0);
                break;
            case Target::HardLink:
                other = top + "/c/other-name.csv";
                break;
            case Target::Name240:
            case Target::Name255:
                given = file =
                    top + "/" + std::string(target == Target::Name240 ? 236 : 251, 'n') + ".g3m";
                break;
            case Target::OtherOwner:
            case Target::OtherOwnerSavedByUser:
                owner = 4321;
                mode = target == Target::OtherOwner ? 0600 : 0666;
                break;
            default:
                break;
        }
        if (target != Target::NewFile && target != Target::LinkToNothing) {
            Write(file, kOld);
            QVERIFY(::chmod(file.c_str(), mode) == 0);
            QVERIFY(::chown(file.c_str(), owner, owner) == 0);
            if (!other.empty()) {
                QVERIFY(::link(file.c_str(), other.c_str()) == 0);
            }
        }
        struct stat givenBefore {};
        ::lstat(given.c_str(), &givenBefore);
        const QStringList namesBefore = Everything(dir.path());

        std::vector<std::string> notices;
        if (target == Target::OtherOwnerSavedByUser) {
            QVERIFY(::chmod(dir.path().toUtf8(), 0777) == 0);
            owner = 65534;  // the saved file is the saving user's
            const int status = InChild([&] {
                if (::setgid(65534) != 0 || ::setuid(65534) != 0) {
                    return 2;
                }
                const Status saved = WriteFileAtomically(given, kNew, notices);
                return saved && notices.size() == 1 &&
                               QString::fromStdString(notices[0]).contains(notice)
                           ? 0
                           : 1;
            });
            QCOMPARE(status, 0);
        } else {
            const Status saved = WriteFileAtomically(given, kNew, notices);
            QVERIFY2(saved.ok(), saved.ok() ? "" : corvalen::ErrorSentence(saved.error()).c_str());
            QCOMPARE(notices.size(), notice.isEmpty() ? 0u : 1u);
            if (!notice.isEmpty()) {
                QVERIFY2(QString::fromStdString(notices[0]).contains(notice), notices[0].c_str());
            }
        }

        QCOMPARE(Read(given), kNew);
        QCOMPARE(Read(file), kNew);
        if (!other.empty()) {
            QCOMPARE(Read(other), kOld);
        }
        struct stat givenAfter {};
        struct stat fileAfter {};
        QVERIFY(::lstat(given.c_str(), &givenAfter) == 0 && ::stat(file.c_str(), &fileAfter) == 0);
        QCOMPARE(S_ISLNK(givenAfter.st_mode), S_ISLNK(givenBefore.st_mode));
        QCOMPARE(fileAfter.st_uid, owner);
        if (target != Target::NewFile && target != Target::LinkToNothing) {
            QCOMPARE(fileAfter.st_mode & 07777, mode);
        }
        QStringList namesAfter = namesBefore;
        if (target == Target::NewFile || target == Target::LinkToNothing) {
            namesAfter << QString::fromStdString(file).mid(dir.path().size() + 1);
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
            return [digit](ByteBuffer& bytes) -> Status {
                bytes.push_back('+');
                bytes.push_back(digit);
                return Done{};
            };
        };
        std::atomic<bool> firstHoldsLock = false;
        std::vector<std::string> notices;
        std::thread first([&] {
            (void)UpdateFileAtomically(
                path, 1000,
                [&](ByteBuffer& bytes) {
                    firstHoldsLock = true;
                    std::this_thread::sleep_for(std::chrono::milliseconds(firstTakesMs));
                    return append('1')(bytes);
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
