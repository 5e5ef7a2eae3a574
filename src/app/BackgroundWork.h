#pragma once

#include <QFuture>
#include <QFutureWatcher>
#include <QObject>
#include <QString>
#include <QtConcurrent/QtConcurrentRun>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QProgressDialog;
class QWidget;

namespace corvalen {

// Runs file work that changes nothing of the window's on a thread of the pool, so that the
// window keeps repainting however long it takes; its result is handed back on the window's
// thread. While work runs, the window takes no input, so the table stays as it is. After a
// moment a modal dialog says what is being done, with a Cancel button where that is offered.
class BackgroundWork : public QObject {
public:
    enum class Cancel { Offered, NotOffered };

    explicit BackgroundWork(QWidget* window);
    // Waits for the saves; work cancelled and still running ends on its own, its result dropped.
    ~BackgroundWork() override;
    BackgroundWork(const BackgroundWork&) = delete;
    BackgroundWork& operator=(const BackgroundWork&) = delete;

    // `done` gets the result of `work`, or nothing when the user pressed Cancel: the work then
    // runs on to its end, and `cancelled`, when given, is told at once (it may help the work to
    // its end).
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
        QFuture<T> future = QtConcurrent::run(std::move(work));
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
};

}  // namespace corvalen
