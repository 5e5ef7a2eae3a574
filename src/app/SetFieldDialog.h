#pragma once

#include <QDialog>
#include <optional>

#include "edit/BulkEdit.h"

class QComboBox;
class QLineEdit;
class QSpinBox;

namespace corvalen {

// Edit / "Set Field of Selected Rows…": a column, and the text every selected row gets there;
// for Groups also "Add group" or "Remove group" n, which keep the row's other groups.
class SetFieldDialog : public QDialog {
    Q_OBJECT

public:
    // `rowCount`: how many rows the edit will change (shown in the title line).
    SetFieldDialog(const MemoryTable& table, int column, int rowCount, QWidget* parent = nullptr);

    FieldEdit edit() const;

    QComboBox* columnField() const { return m_column; }
    QComboBox* actionField() const { return m_action; }
    QLineEdit* valueField() const { return m_value; }
    QSpinBox* groupField() const { return m_group; }

    // The name a column goes by in lists (see ColumnNames::ListName).
    static QString ColumnName(const MemoryTable& table, int column);

private:
    void update();

    QComboBox* m_column;
    QComboBox* m_action;
    QLineEdit* m_value;
    QSpinBox* m_group;
};

}  // namespace corvalen
