#include "app/SetFieldDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "app/CellEditorDelegate.h"
#include "app/ColumnNames.h"
#include "app/StatusText.h"
#include "channel/ChannelFields.h"
#include "table/Columns.h"

namespace corvalen {

QString SetFieldDialog::ColumnName(const MemoryTable& table, int column) {
    if (column < kImportedColumnCount) {
        return ColumnNames::ListName(column);
    }
    const std::string_view caption = table.Caption(column);
    return caption.empty() ? ColumnNames::Heading(column) : FromUtf8(caption);
}

SetFieldDialog::SetFieldDialog(const MemoryTable& table, int column, int rowCount, QWidget* parent,
                               FrequencyUnit unit)
    : QDialog(parent), m_unit(unit) {
    setWindowTitle(tr("Set Field of Selected Rows"));
    auto* intro = new QLabel(
        rowCount == 1 ? tr("Changes 1 selected row.")
                      : tr("Changes %1 selected rows.").arg(QLocale().toString(rowCount)),
        this);
    m_column = new QComboBox(this);
    for (int c = 0; c < table.ColCount(); ++c) {
        m_column->addItem(ColumnName(table, c), c);
    }
    m_column->setCurrentIndex(std::clamp(column, 0, std::max(table.ColCount() - 1, 0)));
    m_action = new QComboBox(this);
    m_action->addItem(tr("Set to"), static_cast<int>(FieldEdit::Kind::Set));
    m_action->addItem(tr("Add group"), static_cast<int>(FieldEdit::Kind::AddGroup));
    m_action->addItem(tr("Remove group"), static_cast<int>(FieldEdit::Kind::RemoveGroup));
    m_value = new QLineEdit(this);
    m_group = new QSpinBox(this);
    m_group->setRange(1, kGroupCount);
    m_refusal = new QLabel(this);
    m_refusal->setWordWrap(true);
    m_refusal->hide();

    auto* form = new QFormLayout;
    form->addRow(tr("&Column:"), m_column);
    form->addRow(tr("&Change:"), m_action);
    form->addRow(tr("&Value:"), m_value);
    form->addRow(tr("&Group:"), m_group);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    setMinimumWidth(std::max(minimumWidth(), TitleWidth(*this)));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addLayout(form);
    layout->addWidget(m_refusal);
    layout->addWidget(buttons);

    connect(m_column, &QComboBox::currentIndexChanged, this, &SetFieldDialog::update);
    connect(m_action, &QComboBox::currentIndexChanged, this, &SetFieldDialog::update);
    update();
}

FieldEdit SetFieldDialog::edit() const {
    return {static_cast<FieldEdit::Kind>(m_action->currentData().toInt()),
            m_column->currentData().toInt(), m_value->text().toStdString(), m_group->value()};
}

void SetFieldDialog::accept() {
    const FieldEdit typed = edit();
    const QString reason = typed.kind == FieldEdit::Kind::Set && typed.column == Frequency
                               ? CellEditorDelegate::FrequencyRefusal(m_value->text(), m_unit)
                               : QString();
    m_refusal->setText(reason);
    m_refusal->setVisible(!reason.isEmpty());
    if (!reason.isEmpty()) {
        m_value->setFocus();
        m_value->selectAll();
        return;  // the dialog stays open to correct the value
    }
    QDialog::accept();
}

std::optional<std::string> SetFieldValue(const FieldEdit& edit, FrequencyUnit unit) {
    if (edit.kind != FieldEdit::Kind::Set || edit.column != Frequency) {
        return edit.value;
    }
    const TypedFrequency frequency =
        CellEditorDelegate::FrequencyFromTyped(QString::fromStdString(edit.value), unit);
    if (frequency.status != FrequencyReading::Status::Ok) {
        return std::nullopt;
    }
    return frequency.cell;
}

void SetFieldDialog::update() {
    // Adding and removing one group is for the Groups column only.
    const bool groups = m_column->currentData().toInt() == Groups;
    if (!groups) {
        m_action->setCurrentIndex(0);
    }
    m_action->setEnabled(groups);
    const bool set = m_action->currentIndex() == 0;
    m_value->setEnabled(set);
    m_group->setEnabled(!set);
}

}  // namespace corvalen
