#pragma once

#include <exception>
#include <thread>

#include "io/ThreadsApart.h"

// Work split in two halves, the later on a second thread: reading a long list, checking or
// writing a large table. Each half writes only what is its own, and the halves are joined in
// order afterwards, so the result is that of one run.

namespace corvalen {

// Whether the processor has a second core for the later half.
inline bool HasTwoCores() {
    return std::thread::hardware_concurrency() >= 2;
}

// Runs `later` on a second thread while `first` runs on this one, the two on different
// processors (ThreadsApart), and returns once both have ended. An exception of either is thrown
// here once both have ended, the first half's when both throw.
template <typename First, typename Later>
void RunInTwoThreads(First&& first, Later&& later) {
    std::exception_ptr failure;
    const ThreadsApart apart;
    std::thread second([&] {
        try {
            later();
        } catch (...) {
            failure = std::current_exception();
        }
    });
    apart.Place(second);
    try {
        first();
    } catch (...) {
        second.join();
        throw;
    }
    second.join();
    if (failure) {
        std::rethrow_exception(failure);
    }
}

}  // namespace corvalen
