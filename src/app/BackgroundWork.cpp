#include "app/BackgroundWork.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProgressDialog>
#include <QScopeGuard>
#include <QTimer>
#include <thread>

namespace corvalen {

namespace {

// How long the work runs before the dialog shows, as for the other progress dialogs; and how
// often the window looks whether it has ended. A look costs next to nothing, and each
// millisecond between the work's end and the window's noticing it is added to every read and
// save the user waits for.
constexpr int kQuietMs = 300;
constexpr int kLookEveryMs = 1;
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

bool BackgroundWork::wait(const QString& label, Cancel cancel,
                          const std::function<bool()>& finished) {
    if (finished()) {
        return true;
    }
    ++m_running;
    const auto done = qScopeGuard([this] { --m_running; });
    QEventLoop loop;
    QElapsedTimer running;
    running.start();
    QProgressDialog* shown = nullptr;
    QTimer look;
    look.setTimerType(Qt::PreciseTimer);
    look.setInterval(kLookEveryMs);
    QObject::connect(&look, &QTimer::timeout, &loop, [&] {
        if (finished() ||
            (cancel == Cancel::Offered && shown == nullptr && running.elapsed() >= kQuietMs) ||
            (shown != nullptr && shown->wasCanceled())) {
            loop.quit();
        }
    });
    look.start();
    // Timers and painting go on, the user's input waits until the work is done.
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (cancel == Cancel::NotOffered) {
        // Only the program's quitting ends the loop early: the work is waited for all the same.
        while (!finished()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(kLookEveryMs));
        }
        return true;
    }
    if (finished()) {
        return true;
    }

    QProgressDialog dialog(m_window);
    shown = &dialog;
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
