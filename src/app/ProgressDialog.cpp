#include "app/ProgressDialog.h"

#include <QProgressDialog>
#include <algorithm>

namespace corvalen {

ProgressDialog::ProgressDialog(const QString& label, QWidget* parent)
    : m_dialog(std::make_unique<QProgressDialog>(parent)) {
    m_dialog->setLabelText(label);
    m_dialog->setRange(0, 0);
    m_dialog->setObjectName(QStringLiteral("progressDialog"));
    m_dialog->setWindowModality(Qt::WindowModal);
    m_dialog->setMinimumDuration(300);
    m_dialog->setAutoReset(false);
}

ProgressDialog::~ProgressDialog() = default;

bool ProgressDialog::Advance(std::int64_t done, std::int64_t total) {
    // A window-modal dialog handles the events waiting, the Cancel button's click among them,
    // each time its value is set.
    m_dialog->setMaximum(static_cast<int>(std::clamp<std::int64_t>(total, 0, 1 << 30)));
    m_dialog->setValue(static_cast<int>(std::clamp<std::int64_t>(done, 0, total)));
    return !m_dialog->wasCanceled();
}

}  // namespace corvalen
