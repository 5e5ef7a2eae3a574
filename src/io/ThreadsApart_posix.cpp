#include "io/ThreadsApart.h"

#if defined(__linux__)
#include <pthread.h>
#include <sched.h>
#endif

namespace corvalen {

#if defined(__linux__)

struct ThreadsApart::Processors {
    cpu_set_t allowed;  // what the calling thread could use before
    int kept;           // the one it is kept on
};

ThreadsApart::ThreadsApart() {
    auto before = std::make_unique<Processors>();
    CPU_ZERO(&before->allowed);
    if (::sched_getaffinity(0, sizeof before->allowed, &before->allowed) != 0 ||
        CPU_COUNT(&before->allowed) < 2) {
        return;
    }
    before->kept = ::sched_getcpu();
    if (before->kept < 0 || before->kept >= CPU_SETSIZE ||
        !CPU_ISSET(before->kept, &before->allowed)) {
        return;
    }
    cpu_set_t one;
    CPU_ZERO(&one);
    CPU_SET(before->kept, &one);
    if (::sched_setaffinity(0, sizeof one, &one) == 0) {
        m_before = std::move(before);
    }
}

ThreadsApart::~ThreadsApart() {
    if (m_before != nullptr) {
        ::sched_setaffinity(0, sizeof m_before->allowed, &m_before->allowed);
    }
}

void ThreadsApart::Place(std::thread& second) const {
    if (m_before == nullptr) {
        return;
    }
    // The second thread started with the calling thread's one processor; where it cannot be
    // given the others, it gets them all back rather than share that one.
    cpu_set_t others = m_before->allowed;
    CPU_CLR(m_before->kept, &others);
    if (::pthread_setaffinity_np(second.native_handle(), sizeof others, &others) != 0) {
        ::pthread_setaffinity_np(second.native_handle(), sizeof m_before->allowed,
                                 &m_before->allowed);
    }
}

#else

// Other systems are left to place threads as they do.
struct ThreadsApart::Processors {};
ThreadsApart::ThreadsApart() = default;
ThreadsApart::~ThreadsApart() = default;
void ThreadsApart::Place(std::thread&) const {}

#endif

}  // namespace corvalen
