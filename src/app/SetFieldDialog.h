#pragma once

#include <QDialog>
#include <optional>

#include "convert/FrequencyText.h"
#include "edit/BulkEdit.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace corvalen {

// Edit / "Set Field of Selected Rows…": a column, and the text every selected row gets there;
// for Groups also "Add group" or "Remove group" n, which keep the row's other groups.
class SetFieldDialog : public QDialog {
    Q_OBJECT

public:
    // `rowCount`: how many rows the edit will change. A Frequency without unit is in `unit`.
    SetFieldDialog(const MemoryTable& table, int column, int rowCount, QWidget* parent = nullptr,
                   FrequencyUnit unit = FrequencyUnit::Hz);

    // The edit as typed; a Frequency is converted to Hz by SetFieldValue.
    FieldEdit edit() const;
    // OK does not close the dialog on a value that is no frequency, but says why.
    void accept() override;

    QComboBox* columnField() const { return m_column; }
    QComboBox* actionField() const { return m_action; }
    QLineEdit* valueField() const { return m_value; }
    QSpinBox* groupField() const { return m_group; }
    QLabel* refusalLabel() const { return m_refusal; }

    // The name a column goes by in lists (see ColumnNames::ListName).
    static QString ColumnName(const MemoryTable& table, int column);

private:
    void update();

    QComboBox* m_column;
    QComboBox* m_action;
    QLineEdit* m_value;
    QSpinBox* m_group;
    QLabel* m_refusal;
    FrequencyUnit m_unit;
};

// The value a "Set to" edit writes: a Frequency in whole Hz as the cell editor stores it
// (nothing for text that is no frequency), other columns' values as typed.
std::optional<std::string> SetFieldValue(const FieldEdit& edit, FrequencyUnit unit);

}  // namespace corvalen
