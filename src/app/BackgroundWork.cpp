#include "app/BackgroundWork.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMetaObject>
#include <QProgressDialog>
#include <QScopeGuard>
#include <QTimer>
#include <thread>

namespace corvalen {

namespace {

// How long the work runs before the dialog shows, as for the other progress dialogs.
constexpr int kQuietMs = 300;
// How often a save the program's quitting left waiting looks whether it has ended.
constexpr std::chrono::milliseconds kLookEvery{1};
// How long the window's closing waits for work whose results were dropped.
constexpr std::chrono::seconds kDroppedWorkWait{2};

}  // namespace

BackgroundWork::BackgroundWork(QWidget* window) : m_window(window) {}

BackgroundWork::~BackgroundWork() {
    const Deadline deadline = std::chrono::steady_clock::now() + kDroppedWorkWait;
    for (Dropped& dropped : m_dropped) {
        if (dropped.endsBy(deadline)) {
            dropped.thread.join();
        } else {
            dropped.thread.detach();
        }
    }
}

void BackgroundWork::WorkEnded::notify() {
    const std::lock_guard lock(m_mutex);
    if (m_loop != nullptr) {
        // Queued to the loop's thread; an event still queued when the loop goes is dropped.
        QMetaObject::invokeMethod(m_loop, &QEventLoop::quit, Qt::QueuedConnection);
    }
}

void BackgroundWork::WorkEnded::wake(QEventLoop* loop) {
    const std::lock_guard lock(m_mutex);
    m_loop = loop;
}

bool BackgroundWork::wait(const QString& label, Cancel cancel,
                          const std::function<bool()>& finished, WorkEnded& ended) {
    if (finished()) {
        return true;
    }
    ++m_running;
    const auto done = qScopeGuard([this] { --m_running; });
    QEventLoop loop;
    ended.wake(&loop);
    const auto forget = qScopeGuard([&ended] { ended.wake(nullptr); });
    // Work that ended before the loop was there to wake has ended all the same.
    if (finished()) {
        return true;
    }
    QTimer quiet;
    if (cancel == Cancel::Offered) {
        quiet.setSingleShot(true);
        QObject::connect(&quiet, &QTimer::timeout, &loop, &QEventLoop::quit);
        quiet.start(kQuietMs);
    }
    // Timers and painting go on, the user's input waits until the work is done.
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (cancel == Cancel::NotOffered) {
        // Only the program's quitting ends the loop early: the work is waited for all the same.
        while (!finished()) {
            std::this_thread::sleep_for(kLookEvery);
        }
        return true;
    }
    if (finished()) {
        return true;
    }

    QProgressDialog dialog(m_window);
    dialog.setObjectName(QStringLiteral("backgroundWorkDialog"));
    dialog.setLabelText(label);
    // Named here rather than left to Qt, whose own translations a system may lack.
    dialog.setCancelButtonText(QCoreApplication::translate("corvalen::BackgroundWork", "Cancel"));
    dialog.setRange(0, 0);
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setMinimumDuration(0);
    dialog.setAutoReset(false);
    dialog.setAutoClose(false);
    QObject::connect(&dialog, &QProgressDialog::canceled, &loop, &QEventLoop::quit);
    // A caller's busy cursor would sit over the Cancel button too.
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    dialog.show();
    loop.exec();
    QApplication::restoreOverrideCursor();
    return !dialog.wasCanceled() && finished();
}

}  // namespace corvalen
