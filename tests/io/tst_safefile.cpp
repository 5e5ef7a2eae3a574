#include <QtTest>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <thread>

#include "TestFiles.h"
#include "io/Messages.h"
#include "io/SafeFile.h"

using namespace corvalen;

namespace {

// Where the bytes of a capped read come from.
enum class Source { RegularFile, Fifo, Pipe, StandardInput, SparseFile };

// Hands `bytes` to a reader of `source` while it reads `path` from it, the way a shell does.
class Feeder {
public:
    Feeder(Source source, const QTemporaryDir& dir, const QByteArray& bytes) {
        const std::string file = dir.filePath("input.csv").toStdString();
        switch (source) {
            case Source::RegularFile:
                WriteAll(::open(file.c_str(), O_WRONLY | O_CREAT, 0644), bytes);
                path = file;
                break;
            case Source::SparseFile: {
                const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
                (void)::ftruncate(fd, off_t{2} << 30);  // 2 GiB of nothing, bar one byte
                (void)::pwrite(fd, "x", 1, 1);
                ::close(fd);
                path = file;
                break;
            }
            case Source::Fifo:
                ::mkfifo(file.c_str(), 0600);
                // Opening blocks until the reader opens its end, as a shell's writer does.
                m_writer =
                    std::thread([file, bytes] { WriteAll(::open(file.c_str(), O_WRONLY), bytes); });
                path = file;
                break;
            case Source::Pipe:
            case Source::StandardInput: {
                int ends[2];
                (void)::pipe(ends);
                if (source == Source::StandardInput) {
                    m_savedInput = ::dup(STDIN_FILENO);
                    ::dup2(ends[0], STDIN_FILENO);
                    ::close(ends[0]);
                    path = "-";
                } else {
                    m_readEnd = ends[0];
                    path = "/dev/fd/" + std::to_string(ends[0]);
                }
                m_writer = std::thread([fd = ends[1], bytes] { WriteAll(fd, bytes); });
                break;
            }
        }
    }
    // The reading ends close first, so a writer the reader stopped listening to ends too.
    ~Feeder() {
        if (m_readEnd >= 0) {
            ::close(m_readEnd);
        }
        if (m_savedInput >= 0) {
            ::dup2(m_savedInput, STDIN_FILENO);
            ::close(m_savedInput);
        }
        if (m_writer.joinable()) {
            m_writer.join();
        }
    }
    std::string path;

private:
    static void WriteAll(int fd, const QByteArray& bytes) {
        for (qsizetype done = 0; done < bytes.size();) {
            const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
            if (n <= 0) {
                break;  // the reader stopped at its cap
            }
            done += n;
        }
        ::close(fd);
    }
    std::thread m_writer;
    int m_readEnd = -1;
    int m_savedInput = -1;
};

long PeakMemoryKiB() {
    struct rusage usage {};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

}  // namespace

class TestSafeFile : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { std::signal(SIGPIPE, SIG_IGN); }  // a refused stream's writer ends

    // A folder in place of the file is refused, saying so, and the folder stays.
    void folderInPlaceOfTheFileStays() {
        QTemporaryDir dir;
        const std::string folder = dir.path().toStdString();
        const Status onFolder = WriteFileAtomically(folder, "data");
        QVERIFY(!onFolder.ok());
        QCOMPARE(ErrorSentence(onFolder.error()),
                 "Cannot save \"" + folder + "\": " + std::strerror(EISDIR));
        QVERIFY(QFileInfo(dir.path()).isDir());
    }

    // Every kind of input is opened once and read to its end, within the cap; what passes the
    // cap is refused with its name, and a regular file from its size alone. A read a block at a
    // time takes regular files alone, cut at the same places, and leaves streams unread for the
    // whole read after it.
    void readsEveryKindOfInputOnceWithinTheCap_data() {
        QTest::addColumn<Source>("source");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("cap");
        QTest::addColumn<QString>("refusal");  // empty: the bytes come back whole
        const QByteArray list = "Location,Name,Frequency\n1,Tower,118.1\n";
        const QByteArray large = list.repeated(6000);  // past one pipe buffer
        QTest::newRow("regular file") << Source::RegularFile << list << 100 << "";
        QTest::newRow("empty file") << Source::RegularFile << QByteArray() << 100 << "";
        QTest::newRow("regular file of exactly the cap")
            << Source::RegularFile << list << int(list.size()) << "";
        QTest::newRow("FIFO with a writer") << Source::Fifo << large << (1 << 20) << "";
        QTest::newRow("empty FIFO") << Source::Fifo << QByteArray() << 100 << "";
        QTest::newRow("pipe as from <(cat list.csv)") << Source::Pipe << large << (1 << 20) << "";
        QTest::newRow("standard input as -") << Source::StandardInput << list << 100 << "";
        QTest::newRow("regular file over the cap")
            << Source::RegularFile << list << 10
            << "input.csv\": the file is 38 bytes long, more than the 10 bytes that are read";
        QTest::newRow("pipe over the cap") << Source::Pipe << large << 5000
                                           << ": it gives more than the 5,000 bytes that are read";
        QTest::newRow("standard input over the cap")
            << Source::StandardInput << large << 5000
            << "Cannot read standard input: it gives more than the 5,000 bytes that are read";
        QTest::newRow("FIFO over the cap") << Source::Fifo << large << 70000
                                           << "it gives more than the 70,000 bytes that are read";
        QTest::newRow("sparse file of 2 GiB")
            << Source::SparseFile << QByteArray() << (64 << 20)
            << "the file is 2,147,483,648 bytes long, more than the 67,108,864 bytes that are read";
    }
    void readsEveryKindOfInputOnceWithinTheCap() {
        QFETCH(Source, source);
        QFETCH(QByteArray, bytes);
        QFETCH(int, cap);
        QFETCH(QString, refusal);
        QTemporaryDir dir;
        const long memoryBefore = PeakMemoryKiB();
        Result<ByteBuffer> read = Error{};
        Result<std::optional<unsigned long long>> inBlocks = std::optional<unsigned long long>();
        QByteArray blocks;
        bool sameCuts = true;
        {
            Feeder feeder(source, dir, bytes);
            inBlocks = ReadFileBlocks(feeder.path, static_cast<std::size_t>(cap), 7,
                                      [&](std::string_view block) {
                                          sameCuts = sameCuts && blocks.size() % 7 == 0;
                                          blocks.append(block.data(), qsizetype(block.size()));
                                          return true;
                                      });
            read = ReadWholeFileBuffer(feeder.path, static_cast<std::size_t>(cap));
        }
        const bool regular = source == Source::RegularFile || source == Source::SparseFile;
        QCOMPARE(!inBlocks.ok() || inBlocks->has_value(), regular);
        QCOMPARE(inBlocks.ok(), !regular || refusal.isEmpty());
        if (inBlocks.ok() && *inBlocks) {
            QCOMPARE(blocks, bytes);
            QCOMPARE(**inBlocks, static_cast<unsigned long long>(bytes.size()));
            QVERIFY(sameCuts);
        } else if (!inBlocks.ok()) {
            QCOMPARE(corvalen::ErrorSentence(inBlocks.error()),
                     corvalen::ErrorSentence(read.error()));
        }
        QVERIFY(PeakMemoryKiB() - memoryBefore < 64 * 1024);
        if (refusal.isEmpty()) {
            QVERIFY2(read.ok(), read.ok() ? "" : corvalen::ErrorSentence(read.error()).c_str());
            QCOMPARE(QByteArray(read->data(), qsizetype(read->size())), bytes);
        } else {
            QVERIFY(!read.ok());
            QVERIFY2(
                QString::fromStdString(corvalen::ErrorSentence(read.error())).contains(refusal),
                corvalen::ErrorSentence(read.error()).c_str());
        }
    }

    // A file's digest changes with any one byte, wherever it lies in a block and its words.
    void digestOfFileShowsEveryByte() {
        QTemporaryDir dir;
        const std::string path = dir.filePath("f").toStdString();
        QByteArray bytes(300000, 'a');  // two blocks and a tail of single bytes
        const auto digest = [&](const QByteArray& content) {
            QFile file(QString::fromStdString(path));
            file.open(QIODevice::WriteOnly | QIODevice::Truncate);
            file.write(content);
            file.close();
            return DigestOfFile(path);
        };
        const std::optional<std::uint64_t> same = digest(bytes);
        QVERIFY(same.has_value());
        QCOMPARE(digest(bytes), same);
        for (const qsizetype at : {0, 7, 8, 31, 32, 262143, 262144, 299999}) {
            QByteArray changed = bytes;
            changed[at] = 'b';
            QVERIFY2(digest(changed) != same, qPrintable(QString::number(at)));
        }
        QVERIFY(digest(bytes + 'a') != same);
        QVERIFY(!DigestOfFile(dir.filePath("missing").toStdString()));
        QVERIFY(!DigestOfFile(dir.path().toStdString()));
    }
};

QTEST_GUILESS_MAIN(TestSafeFile)
#include "tst_safefile.moc"
