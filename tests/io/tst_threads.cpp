#include <QTest>
#include <atomic>
#include <memory>
#include <stdexcept>
#include <thread>
#include <vector>

#include "io/ThreadsApart.h"
#include "io/TwoThreads.h"

#if defined(__linux__)
#include <pthread.h>
#include <sched.h>
#endif

using namespace corvalen;

namespace {

#if defined(__linux__)

cpu_set_t ProcessorsOf(pthread_t thread) {
    cpu_set_t set;
    CPU_ZERO(&set);
    pthread_getaffinity_np(thread, sizeof set, &set);
    return set;
}

bool Same(const cpu_set_t& a, const cpu_set_t& b) {
    return CPU_EQUAL(&a, &b) != 0;
}

// Gives the calling thread `set` for the length of a test, then what it had.
class ProcessorsForTest {
public:
    explicit ProcessorsForTest(const cpu_set_t& set) : m_before(ProcessorsOf(pthread_self())) {
        sched_setaffinity(0, sizeof set, &set);
    }
    ~ProcessorsForTest() { sched_setaffinity(0, sizeof m_before, &m_before); }

private:
    cpu_set_t m_before;
};

#endif

}  // namespace

class TestThreads : public QObject {
    Q_OBJECT

private slots:
    // While two threads share work, each keeps to processors of its own; afterwards the first
    // has every processor back, also when either half threw. With one processor allowed,
    // nothing is changed.
    void keptApartThenGivenBack_data() {
        QTest::addColumn<bool>("oneProcessor");
        QTest::addColumn<int>("thrower");  // 0 none, 1 the first half, 2 the later half
        QTest::newRow("every processor") << false << 0;
        QTest::newRow("every processor, first half throws") << false << 1;
        QTest::newRow("every processor, later half throws") << false << 2;
        QTest::newRow("one processor") << true << 0;
    }
    void keptApartThenGivenBack() {
#if defined(__linux__)
        QFETCH(bool, oneProcessor);
        QFETCH(int, thrower);
        cpu_set_t allowed = ProcessorsOf(pthread_self());
        if (oneProcessor) {
            const int here = sched_getcpu();
            CPU_ZERO(&allowed);
            CPU_SET(here, &allowed);
        } else if (CPU_COUNT(&allowed) < 2) {
            QSKIP("one processor only");
        }
        const ProcessorsForTest limited(allowed);

        cpu_set_t firstHalf;
        cpu_set_t laterHalf;
        bool threw = false;
        try {
            RunInTwoThreads(
                [&] {
                    firstHalf = ProcessorsOf(pthread_self());
                    if (thrower == 1) {
                        throw std::runtime_error("first");
                    }
                },
                [&] {
                    laterHalf = ProcessorsOf(pthread_self());
                    if (thrower == 2) {
                        throw std::runtime_error("later");
                    }
                });
        } catch (const std::runtime_error&) {
            threw = true;
        }
        QCOMPARE(threw, thrower != 0);
        QVERIFY(Same(ProcessorsOf(pthread_self()), allowed));
        if (oneProcessor) {
            QVERIFY(Same(firstHalf, allowed));
            QVERIFY(Same(laterHalf, allowed));
            return;
        }
        QCOMPARE(CPU_COUNT(&firstHalf), 1);
        cpu_set_t both;
        CPU_AND(&both, &firstHalf, &laterHalf);
        QCOMPARE(CPU_COUNT(&both), 0);
        cpu_set_t all;
        CPU_OR(&all, &firstHalf, &laterHalf);
        QVERIFY(Same(all, allowed));
#else
        QSKIP("processors are placed on Linux only");
#endif
    }

    // Every piece is worked on once and taken in order; a piece whose work throws is not taken,
    // its throw comes out once the pieces before it are taken, and so does a throw of the taking.
    void sharedPiecesTakenInOrder_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("workThrowsAt");  // -1 for none
        QTest::addColumn<int>("takeThrowsAt");  // -1 for none
        QTest::newRow("none") << 0 << -1 << -1;
        QTest::newRow("one") << 1 << -1 << -1;
        QTest::newRow("many") << 257 << -1 << -1;
        QTest::newRow("work of the first throws") << 257 << 0 << -1;
        QTest::newRow("work of one in the middle throws") << 257 << 128 << -1;
        QTest::newRow("work of the last throws") << 257 << 256 << -1;
        QTest::newRow("taking one in the middle throws") << 257 << -1 << 100;
    }
    void sharedPiecesTakenInOrder() {
        QFETCH(int, count);
        QFETCH(int, workThrowsAt);
        QFETCH(int, takeThrowsAt);
        const auto pieces = static_cast<std::size_t>(count);
        const auto worked = std::make_unique<std::atomic<int>[]>(pieces + 1);
        std::vector<std::size_t> taken;
        std::atomic<bool> otherLane{false};
        bool threw = false;
        try {
            ShareInTwoThreads(
                pieces,
                [&](std::size_t piece, int lane) {
                    otherLane = otherLane || (lane != 0 && lane != 1);
                    worked[piece].fetch_add(1);
                    if (static_cast<int>(piece) == workThrowsAt) {
                        throw std::runtime_error("work");
                    }
                },
                [&](std::size_t piece) {
                    QCOMPARE(worked[piece].load(), 1);
                    if (static_cast<int>(piece) == takeThrowsAt) {
                        throw std::runtime_error("take");
                    }
                    taken.push_back(piece);
                });
        } catch (const std::runtime_error&) {
            threw = true;
        }
        QVERIFY(!otherLane);
        const int stop = workThrowsAt >= 0 ? workThrowsAt : takeThrowsAt;
        QCOMPARE(threw, stop >= 0);
        const std::size_t takenCount = stop >= 0 ? static_cast<std::size_t>(stop) : pieces;
        QCOMPARE(taken.size(), takenCount);
        for (std::size_t piece = 0; piece < taken.size(); ++piece) {
            QCOMPARE(taken[piece], piece);
        }
        for (std::size_t piece = 0; piece < pieces; ++piece) {
            QVERIFY(worked[piece].load() <= 1);
            if (stop < 0) {
                QCOMPARE(worked[piece].load(), 1);
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestThreads)
#include "tst_threads.moc"
