#include <QTest>
#include <stdexcept>
#include <thread>

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
};

QTEST_GUILESS_MAIN(TestThreads)
#include "tst_threads.moc"
