#pragma once

#include <QFuture>
#include <QFutureWatcher>
#include <QObject>
#include <QString>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "io/Progress.h"

class QProgressDialog;
class QWidget;

namespace corvalen {

// Runs file work that changes nothing of the window's on a thread of its own, so the window keeps
// repainting, and hands its result back on the window's thread. Meanwhile the window takes no
// input (the table stays as it is); after a moment a dialog says what is done, Cancel if offered.
class BackgroundWork : public QObject {
public:
    enum class Cancel { Offered, NotOffered };

    explicit BackgroundWork(QWidget* window);
    // Waits for the saves; work cancelled and still running ends on its own, its result dropped.
    ~BackgroundWork() override;

    // `done` gets the result of `work`, or nothing on Cancel: the work then runs on to its end,
    // and `cancelled` is told at once (it may help the work to its end).
    template <typename T>
    void start(const QString& label, Cancel cancel, std::function<T()> work,
               std::function<void(std::optional<T>)> done, std::function<void()> cancelled = {}) {
        auto* watcher = new QFutureWatcher<T>(this);
        const int id = begin(label, cancel, [this, watcher, done, cancelled] {
            QObject::disconnect(watcher, &QFutureWatcherBase::finished, this, nullptr);
            QObject::connect(watcher, &QFutureWatcherBase::finished, watcher,
                             &QObject::deleteLater);
            if (cancelled) {
                cancelled();
            }
            done(std::nullopt);
        });
        QObject::connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, done, id] {
            end(id);
            watcher->deleteLater();
            done(watcher->future().takeResult());
        });
        QFuture<T> future = QtConcurrent::run(&m_pool, std::move(work));
        if (cancel == Cancel::NotOffered) {
            m_waitedFor.push_back(QFuture<void>(future));
        }
        watcher->setFuture(future);
    }

    // Waits for the work that is not offered to cancel (a save): before what it reads goes away.
    void waitForSaves();

    bool running() const { return m_current != 0; }

private:
    // Input held back, the dialog after a moment. Returns the work's number.
    int begin(const QString& label, Cancel cancel, std::function<void()> onCancel);
    void end(int id);
    bool eventFilter(QObject* watched, QEvent* event) override;

    QWidget* m_window;
    int m_current = 0;  // the number of the work running, 0 for none
    int m_last = 0;
    std::unique_ptr<QProgressDialog> m_dialog;
    std::vector<QFuture<void>> m_waitedFor;
    // File work runs on one thread, one task after another: a read builds its table where the
    // tables the window let go of were, so opening file after file holds only what it keeps.
    QThreadPool m_pool;
};

// A long task on the window's thread: its progress in a window-modal dialog with a Cancel
// button, shown once the task has run for a moment.
class ProgressDialog : public Progress {
public:
    ProgressDialog(const QString& label, QWidget* parent);
    ~ProgressDialog() override;
    bool Advance(std::int64_t done, std::int64_t total) override;

private:
    std::unique_ptr<QProgressDialog> m_dialog;
};

}  // namespace corvalen
