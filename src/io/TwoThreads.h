#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "io/ThreadsApart.h"

// Work shared by two threads: split in two halves, the later on a second thread, or in pieces
// that either thread takes (reading a long list, checking or writing a large table). Each part
// writes only what is its own, and the parts are joined in order, so the result is that of one
// run.

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

// The state two threads share while they work through pieces 0 to count - 1 (ShareInTwoThreads):
// which piece is taken next, which are done, and what the work on a piece threw.
class SharedPieces {
public:
    explicit SharedPieces(std::size_t count)
        : m_count(count), m_done(std::make_unique<std::atomic<bool>[]>(count)), m_failures(count) {}

    // The next piece nobody has taken, or a number from `count` up once none is left.
    std::size_t Take() { return m_next.fetch_add(1, std::memory_order_relaxed); }
    // No piece is taken after this.
    void Stop() { m_next.store(m_count, std::memory_order_relaxed); }

    void Done(std::size_t piece, std::exception_ptr failure) {
        m_failures[piece] = std::move(failure);
        m_done[piece].store(true, std::memory_order_release);
        // Through the lock, so that a thread about to wait sees the piece done or is woken.
        { const std::lock_guard lock(m_mutex); }
        m_pieceDone.notify_all();
    }
    bool IsDone(std::size_t piece) const { return m_done[piece].load(std::memory_order_acquire); }
    void WaitFor(std::size_t piece) {
        std::unique_lock lock(m_mutex);
        m_pieceDone.wait(lock, [&] { return IsDone(piece); });
    }
    // What the work on a done piece threw, thrown here.
    void RethrowFailure(std::size_t piece) const {
        if (m_failures[piece]) {
            std::rethrow_exception(m_failures[piece]);
        }
    }

private:
    std::size_t m_count;
    std::atomic<std::size_t> m_next{0};
    std::unique_ptr<std::atomic<bool>[]> m_done;
    std::vector<std::exception_ptr> m_failures;
    std::mutex m_mutex;
    std::condition_variable m_pieceDone;
};

// Runs `work(piece, lane)` for every piece from 0 to count - 1, each on whichever of two threads
// takes it first (lane 0 is the calling thread, lane 1 the second; state a lane keeps is its
// own), and `take(piece)` on the calling thread for every piece in order, once its work has
// ended. The calling thread works on pieces nobody has taken while the next one in order is
// still being worked on by the other thread, so the two share the work whatever taking costs and
// however fast each processor runs. What the work on a piece threw is thrown when that piece's
// turn to be taken comes; after a throw no more pieces are begun. One thread does it all where
// there is one piece, or one core.
template <typename Work, typename Take>
void ShareInTwoThreads(std::size_t count, Work&& work, Take&& take) {
    if (count < 2 || !HasTwoCores()) {
        for (std::size_t piece = 0; piece < count; ++piece) {
            work(piece, 0);
            take(piece);
        }
        return;
    }
    SharedPieces shared(count);
    const auto workOnNext = [&](int lane) {
        const std::size_t piece = shared.Take();
        if (piece >= count) {
            return false;
        }
        std::exception_ptr failure;
        try {
            work(piece, lane);
        } catch (...) {
            failure = std::current_exception();
        }
        shared.Done(piece, std::move(failure));
        return true;
    };
    RunInTwoThreads(
        [&] {
            struct StopOnLeaving {
                SharedPieces& shared;
                ~StopOnLeaving() { shared.Stop(); }
            } stop{shared};
            for (std::size_t piece = 0; piece < count; ++piece) {
                while (!shared.IsDone(piece)) {
                    if (!workOnNext(0)) {
                        shared.WaitFor(piece);
                    }
                }
                shared.RethrowFailure(piece);
                take(piece);
            }
        },
        [&] {
            while (workOnNext(1)) {
            }
        });
}

}  // namespace corvalen
