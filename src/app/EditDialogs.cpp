#include "app/EditDialogs.h"

#include <QCoreApplication>
#include <QInputDialog>

#include "app/ChannelRangeDialog.h"
#include "app/SetFieldDialog.h"

namespace corvalen {

std::optional<FieldEdit> QtEditDialogs::askFieldEdit(const MemoryTable& table, int column,
                                                     int rowCount, FrequencyUnit unit) {
    SetFieldDialog dialog(table, column, rowCount, m_parent, unit);
    return dialog.exec() == QDialog::Accepted ? std::optional(dialog.edit()) : std::nullopt;
}

std::optional<RangeFill> QtEditDialogs::askChannelRange(const MemoryTable& table) {
    ChannelRangeDialog dialog(table, m_parent);
    return dialog.exec() == QDialog::Accepted ? dialog.fill() : std::nullopt;
}

std::optional<int> QtEditDialogs::askChannelNumber() {
    bool ok = false;
    const int number =
        QInputDialog::getInt(m_parent, QCoreApplication::translate("EditDialogs", "Go to Channel"),
                             QCoreApplication::translate("EditDialogs", "Channel number:"), 1, 1,
                             kMaxChannelRows, 1, &ok);
    return ok ? std::optional<int>(number) : std::nullopt;
}

}  // namespace corvalen
