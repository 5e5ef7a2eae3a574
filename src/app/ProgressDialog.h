#pragma once

#include <QString>
#include <memory>

#include "io/Progress.h"

class QProgressDialog;
class QWidget;

namespace corvalen {

// A long task's progress in a window-modal dialog with a Cancel button, shown once the task has
// run for a moment.
class ProgressDialog : public Progress {
public:
    ProgressDialog(const QString& label, QWidget* parent);
    ~ProgressDialog() override;
    bool Advance(std::int64_t done, std::int64_t total) override;

private:
    std::unique_ptr<QProgressDialog> m_dialog;
};

}  // namespace corvalen
