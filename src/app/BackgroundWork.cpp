#include "app/BackgroundWork.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QProgressDialog>
#include <QTimer>
#include <QWidget>
#include <algorithm>

namespace corvalen {

namespace {

// How long the work runs before the dialog shows, as for the other progress dialogs.
constexpr int kQuietMs = 300;

// The events of the user's input, held back from the window while work runs.
constexpr QEvent::Type kInput[] = {QEvent::KeyPress,
                                   QEvent::KeyRelease,
                                   QEvent::Shortcut,
                                   QEvent::MouseButtonPress,
                                   QEvent::MouseButtonRelease,
                                   QEvent::MouseButtonDblClick,
                                   QEvent::Wheel,
                                   QEvent::ContextMenu,
                                   QEvent::DragEnter,
                                   QEvent::DragMove,
                                   QEvent::Drop,
                                   QEvent::TouchBegin,
                                   QEvent::TouchUpdate,
                                   QEvent::TouchEnd};

// A dialog of work that takes as long as it takes, its label `label`.
std::unique_ptr<QProgressDialog> MakeDialog(QWidget* parent, const char* name, const QString& label,
                                            Qt::WindowModality modality, int minimumDuration) {
    auto dialog = std::make_unique<QProgressDialog>(parent);
    dialog->setLabelText(label);
    dialog->setRange(0, 0);
    dialog->setObjectName(QLatin1String(name));
    dialog->setWindowModality(modality);
    dialog->setMinimumDuration(minimumDuration);
    dialog->setAutoReset(false);
    return dialog;
}

}  // namespace

BackgroundWork::BackgroundWork(QWidget* window) : m_window(window) {
    m_pool.setMaxThreadCount(1);
}

BackgroundWork::~BackgroundWork() {
    if (m_current != 0) {
        QCoreApplication::instance()->removeEventFilter(this);
    }
    waitForSaves();
}

void BackgroundWork::waitForSaves() {
    for (QFuture<void>& future : m_waitedFor) {
        future.waitForFinished();
    }
}

int BackgroundWork::begin(const QString& label, Cancel cancel, std::function<void()> onCancel) {
    if (m_current == 0) {
        QCoreApplication::instance()->installEventFilter(this);
        QApplication::setOverrideCursor(Qt::BusyCursor);
    }
    const int id = m_current = ++m_last;
    m_dialog.reset();
    // The dialog only once the work has run for a moment: most files are read before then.
    QTimer::singleShot(kQuietMs, this, [this, id, label, cancel, onCancel = std::move(onCancel)] {
        if (m_current != id) {
            return;
        }
        m_dialog = MakeDialog(m_window, "backgroundWorkDialog", label, Qt::ApplicationModal, 0);
        QProgressDialog& dialog = *m_dialog;
        dialog.setAutoClose(false);
        if (cancel == Cancel::Offered) {
            // Named here rather than left to Qt, whose own translations a system may lack.
            dialog.setCancelButtonText(
                QCoreApplication::translate("corvalen::BackgroundWork", "Cancel"));
            QObject::connect(&dialog, &QProgressDialog::canceled, this, [this, id, onCancel] {
                if (m_current == id) {
                    end(id);
                    onCancel();
                }
            });
        } else {
            dialog.setCancelButton(nullptr);
        }
        // The busy cursor would sit over the Cancel button too.
        QApplication::setOverrideCursor(Qt::ArrowCursor);
        dialog.show();
    });
    return id;
}

void BackgroundWork::end(int id) {
    if (m_current != id) {
        return;
    }
    m_current = 0;
    if (m_dialog) {
        QApplication::restoreOverrideCursor();
        // Deleted once its own signal (Cancel) has been handled.
        m_dialog.release()->deleteLater();
    }
    QApplication::restoreOverrideCursor();
    QCoreApplication::instance()->removeEventFilter(this);
    std::erase_if(m_waitedFor, [](const QFuture<void>& future) { return future.isFinished(); });
}

bool BackgroundWork::eventFilter(QObject* watched, QEvent* event) {
    if (m_current == 0 || std::ranges::find(kInput, event->type()) == std::end(kInput)) {
        return false;
    }
    // The dialog, and its Cancel button, take input; nothing else does.
    const auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr) {
        return event->type() == QEvent::Shortcut;  // a command's shortcut, held back too
    }
    return m_dialog == nullptr || widget->window() != m_dialog.get();
}

ProgressDialog::ProgressDialog(const QString& label, QWidget* parent)
    : m_dialog(MakeDialog(parent, "progressDialog", label, Qt::WindowModal, kQuietMs)) {}

ProgressDialog::~ProgressDialog() = default;

bool ProgressDialog::Advance(std::int64_t done, std::int64_t total) {
    // A window-modal dialog handles the events waiting, the Cancel button's click among them,
    // each time its value is set.
    m_dialog->setMaximum(static_cast<int>(std::clamp<std::int64_t>(total, 0, 1 << 30)));
    m_dialog->setValue(static_cast<int>(std::clamp<std::int64_t>(done, 0, total)));
    return !m_dialog->wasCanceled();
}

}  // namespace corvalen
