#pragma once

#include <QString>
#include <chrono>
#include <functional>
#include <future>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

class QWidget;

namespace corvalen {

// Runs work that touches nothing of the window's (reading a file into a table of its own) on a
// thread of its own, so that the window keeps repainting however long it takes. For the first
// moment the window takes no input: what the user does then waits in the queue, as it would if
// the work ran on the window's thread. After that moment a modal dialog shows what is being done,
// with a Cancel button.
class BackgroundWork {
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
        std::thread thread(std::move(task));
        if (!wait(label, [&result] {
                return result.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
            })) {
            auto left = std::make_shared<std::future<T>>(std::move(result));
            m_dropped.push_back({std::move(thread), [left](Deadline deadline) {
                                     return left->wait_until(deadline) == std::future_status::ready;
                                 }});
            return std::nullopt;
        }
        thread.join();
        return result.get();
    }

private:
    // Runs the window's events until `finished` says so (true) or the user cancels (false).
    bool wait(const QString& label, const std::function<bool()>& finished);

    using Deadline = std::chrono::steady_clock::time_point;
    struct Dropped {
        std::thread thread;
        std::function<bool(Deadline)> endsBy;  // whether the work ends by the deadline
    };

    QWidget* m_window;
    std::vector<Dropped> m_dropped;
};

}  // namespace corvalen
