#pragma once

#include <QString>
#include <chrono>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

class QEventLoop;
class QWidget;

namespace corvalen {

// Runs work that changes nothing of the window's (reading a file into a table of its own,
// writing the table to a file) on a thread of its own, so that the window keeps repainting
// however long it takes. The window takes no input meanwhile, so the table stays as it is: what
// the user does waits in the queue, as it would if the work ran on the window's thread. Work
// that may be cancelled shows, after a moment, a modal dialog saying what is being done, with a
// Cancel button.
class BackgroundWork {
    class WorkEnded;

public:
    explicit BackgroundWork(QWidget* window);
    // Waits a moment for the work whose results were dropped; work still running then is
    // waiting on something that may never come (a named pipe without a writer), and is left to
    // end with the program rather than hold the window's closing.
    ~BackgroundWork();
    BackgroundWork(const BackgroundWork&) = delete;
    BackgroundWork& operator=(const BackgroundWork&) = delete;

    // The result of `work`, or nothing when the user pressed Cancel; the work then runs on to
    // its end and its result is dropped. An exception of the work is thrown here.
    template <typename T>
    std::optional<T> run(const QString& label, std::function<T()> work) {
        std::packaged_task<T()> task(std::move(work));
        std::future<T> result = task.get_future();
        const auto ended = std::make_shared<WorkEnded>();
        std::thread thread(Ending(std::move(task), ended));
        if (!wait(label, Cancel::Offered, ReadyCheck(result), *ended)) {
            auto left = std::make_shared<std::future<T>>(std::move(result));
            m_dropped.push_back({std::move(thread), [left](Deadline deadline) {
                                     return left->wait_until(deadline) == std::future_status::ready;
                                 }});
            return std::nullopt;
        }
        thread.join();
        return result.get();
    }

    // The result of `work`, which is not offered to cancel: a save, whose end the user must
    // not be left to guess. No dialog shows; the window repaints until the work is done.
    template <typename T>
    T runToEnd(std::function<T()> work) {
        std::packaged_task<T()> task(std::move(work));
        std::future<T> result = task.get_future();
        const auto ended = std::make_shared<WorkEnded>();
        std::thread thread(Ending(std::move(task), ended));
        wait(QString(), Cancel::NotOffered, ReadyCheck(result), *ended);
        thread.join();
        return result.get();
    }

    // Whether work is running: the window must not close meanwhile.
    bool running() const { return m_running > 0; }

private:
    enum class Cancel { Offered, NotOffered };

    // Tells the window's waiting loop, from the work's thread, that the work has ended, so that
    // the window notices at once instead of looking every so often: looking every millisecond
    // woke the window's thread a thousand times a second, and on a machine of two cores the
    // work, which may itself use two threads, lost turns to it. Shared with the work's thread:
    // work dropped and ending after its loop has gone finds nothing to wake.
    class WorkEnded {
    public:
        // From the work's thread, once its result is set.
        void notify();
        // The loop to quit at the notice; nullptr for none.
        void wake(QEventLoop* loop);

    private:
        std::mutex m_mutex;
        QEventLoop* m_loop = nullptr;
    };

    // The work's thread: the work, then the notice of its end.
    template <typename T>
    static auto Ending(std::packaged_task<T()> task, std::shared_ptr<WorkEnded> ended) {
        return [task = std::move(task), ended = std::move(ended)]() mutable {
            task();
            ended->notify();
        };
    }
    template <typename T>
    static std::function<bool()> ReadyCheck(const std::future<T>& result) {
        return [&result] {
            return result.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
        };
    }
    // Runs the window's events until `finished` says so (true) or the user cancels (false).
    bool wait(const QString& label, Cancel cancel, const std::function<bool()>& finished,
              WorkEnded& ended);

    using Deadline = std::chrono::steady_clock::time_point;
    struct Dropped {
        std::thread thread;
        std::function<bool(Deadline)> endsBy;  // whether the work ends by the deadline
    };

    QWidget* m_window;
    std::vector<Dropped> m_dropped;
    int m_running = 0;  // works being waited for
};

}  // namespace corvalen
