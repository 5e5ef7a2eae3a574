#include "app/CellEditorDelegate.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QLineEdit>
#include <QToolTip>
#include <algorithm>

#include "app/ColumnNames.h"
#include "app/StatusText.h"
#include "table/Columns.h"

namespace corvalen {

namespace {

// The Frequency editor's check: text that cannot be stored is still being typed, and Enter on it
// asks for a fix-up, which reports why and keeps the text, so the editor stays open.
class FrequencyValidator : public QValidator {
public:
    FrequencyValidator(const CellEditorDelegate& delegate, QLineEdit* line)
        : QValidator(line), m_delegate(delegate), m_line(line) {}

    State validate(QString& input, int&) const override {
        return refusal(input).isEmpty() ? Acceptable : Intermediate;
    }
    void fixup(QString& input) const override {
        const QString reason = refusal(input);
        if (!reason.isEmpty()) {
            QToolTip::showText(m_line->mapToGlobal(QPoint(0, m_line->height())), reason, m_line);
            emit m_delegate.refused(reason);
        }
    }

private:
    QString refusal(const QString& input) const {
        return CellEditorDelegate::FrequencyRefusal(input, m_delegate.frequencyUnit());
    }

    const CellEditorDelegate& m_delegate;
    QLineEdit* m_line;
};

}  // namespace

FlagsEditor::FlagsEditor(const QStringList& names, int perRow, QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setSpacing(2);
    for (const QString& name : names) {
        auto* box = new QCheckBox(name, this);
        layout->addWidget(box, static_cast<int>(m_boxes.size()) / perRow,
                          static_cast<int>(m_boxes.size()) % perRow);
        m_boxes << box;
    }
    setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(m_boxes.front());
}

std::uint32_t FlagsEditor::flags() const {
    std::uint32_t flags = 0;
    for (qsizetype bit = 0; bit < m_boxes.size(); ++bit) {
        if (m_boxes[bit]->isChecked()) {
            flags |= 1u << bit;
        }
    }
    return flags;
}

void FlagsEditor::setFlags(std::uint32_t flags) {
    for (qsizetype bit = 0; bit < m_boxes.size(); ++bit) {
        m_boxes[bit]->setChecked((flags >> bit) & 1u);
    }
}

QString CellEditorDelegate::shownText(const QModelIndex& index) const {
    const QString text = index.data(Qt::DisplayRole).toString();
    return index.column() == Frequency ? FrequencyShown(text, m_unit) : text;
}

void CellEditorDelegate::initStyleOption(QStyleOptionViewItem* option,
                                         const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    if (ColumnNames::IsNumeric(index.column())) {
        option->displayAlignment = Qt::AlignRight | Qt::AlignVCenter;
    }
    if (index.column() == Frequency && m_unit != FrequencyUnit::Hz) {
        option->text = shownText(index);
    }
}

QWidget* CellEditorDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                          const QModelIndex& index) const {
    QWidget* editor = newEditor(parent, option, index);
    if (editor != nullptr) {
        // A screen reader names the editor after its column.
        const QString name = index.model()->headerData(index.column(), Qt::Horizontal).toString();
        editor->setAccessibleName(name);
        if (auto* box = qobject_cast<QComboBox*>(editor); box && box->lineEdit()) {
            box->lineEdit()->setAccessibleName(name);
        }
    }
    return editor;
}

QWidget* CellEditorDelegate::newEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                       const QModelIndex& index) const {
    switch (index.column()) {
        case Mode: {
            auto* box = new QComboBox(parent);
            box->setEditable(true);
            box->setInsertPolicy(QComboBox::NoInsert);
            box->addItems(ColumnNames::ModeNames());
            return box;
        }
        case Hotkey: {
            auto* box = new QComboBox(parent);
            box->addItem(tr("none"), 0);
            for (int key = 2; key <= 12; ++key) {
                box->addItem(QStringLiteral("F%1").arg(key), key);
            }
            return box;
        }
        case Frequency: {
            auto* line = new QLineEdit(parent);
            line->setFrame(false);
            line->setToolTip(tr("Frequency in %1; a unit typed with the number (Hz, kHz, MHz, k, "
                                "M) wins")
                                 .arg(UnitName(m_unit)));
            line->setValidator(new FrequencyValidator(*this, line));
            return line;
        }
        case Groups: {
            QStringList groups;
            for (int group = 1; group <= 16; ++group) {
                groups << QString::number(group);
            }
            return new FlagsEditor(groups, 8, parent);
        }
        case Lockout: {
            const auto name = [](const char* text) {
                return QCoreApplication::translate("corvalen::LockoutEditor", text);
            };
            return new FlagsEditor(
                {name("Scan lockout"), name("Do not set mode"), name("Do not set squelch")}, 1,
                parent);
        }
        default:
            return QStyledItemDelegate::createEditor(parent, option, index);
    }
}

void CellEditorDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    const QString cell = index.data(Qt::EditRole).toString();
    if (auto* flags = qobject_cast<FlagsEditor*>(editor)) {
        flags->setFlags(index.column() == Groups ? GroupsOf(cell.toStdString())
                                                 : LockoutFlagsOf(cell.toStdString()));
    } else if (auto* box = qobject_cast<QComboBox*>(editor); box && index.column() == Hotkey) {
        box->setCurrentIndex(box->findData(HotkeyOf(cell.toStdString())));
    } else if (box && index.column() == Mode) {
        // The list starts on the cell's mode; other text stands in the box as it is, selected
        // like the text of every other cell's editor, so a typed character starts a new value.
        box->setCurrentIndex(box->findText(cell.trimmed(), Qt::MatchFixedString));
        box->setEditText(cell);
        if (box->lineEdit() != nullptr) {
            box->lineEdit()->selectAll();
        }
    } else if (auto* line = qobject_cast<QLineEdit*>(editor); line && index.column() == Frequency) {
        line->setText(FrequencyForEditing(cell, m_unit));
    } else {
        QStyledItemDelegate::setEditorData(editor, index);
    }
}

TypedFrequency CellEditorDelegate::FrequencyFromTyped(const QString& typed, FrequencyUnit unit) {
    return FrequencyCellFromTyped(typed.toStdString(), unit, OtherDecimalPoint());
}

QString CellEditorDelegate::FrequencyRefusal(const QString& typed, FrequencyUnit unit) {
    using Status = FrequencyReading::Status;
    switch (FrequencyFromTyped(typed, unit).status) {
        case Status::Ok:
            return {};
        case Status::NotWholeHz:
            return tr("%1 is not a whole number of Hz: in %2 give at most %3 decimals; the cell "
                      "keeps its frequency")
                .arg(typed.trimmed(), UnitName(unit))
                .arg(unit == FrequencyUnit::MHz   ? 6
                     : unit == FrequencyUnit::kHz ? 3
                                                  : 0);
        case Status::TooLarge:
            return tr("%1 is too large for a frequency; the cell keeps its frequency")
                .arg(typed.trimmed());
        case Status::NotAFrequency:
            break;
    }
    return tr("\"%1\" is not a frequency: type a number, in %2 or with Hz, kHz or MHz after it; "
              "the cell keeps its frequency")
        .arg(typed.trimmed(), UnitName(unit));
}

void CellEditorDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                      const QModelIndex& index) const {
    const int column = index.column();
    const QString cell = index.data(Qt::EditRole).toString();
    const std::string old = cell.toStdString();
    QString text = cell;
    if (const auto* flags = qobject_cast<FlagsEditor*>(editor); flags && column == Groups) {
        text =
            QString::fromStdString(CellWithGroups(old, static_cast<std::uint16_t>(flags->flags())));
    } else if (flags) {
        text = flags->flags() == LockoutFlagsOf(old)
                   ? cell
                   : QString::fromStdString(CellWithLockoutFlags(old, flags->flags()));
    } else if (const auto* box = qobject_cast<QComboBox*>(editor); box && column == Hotkey) {
        const int key = box->currentData().toInt();
        text = key == HotkeyOf(old) ? cell : QString::number(key);
    } else if (box) {
        text = box->currentText();
    } else if (const auto* line = qobject_cast<QLineEdit*>(editor); line && column == Frequency) {
        const QString typed = line->text();
        if (typed != FrequencyForEditing(cell, m_unit)) {  // else not changed
            const TypedFrequency frequency = FrequencyFromTyped(typed, m_unit);
            if (frequency.status == FrequencyReading::Status::Ok) {
                text = QString::fromStdString(frequency.cell);
            } else {
                emit refused(FrequencyRefusal(typed, m_unit));
            }
        }
    } else {
        QStyledItemDelegate::setModelData(editor, model, index);
        return;
    }
    if (text != cell) {
        model->setData(index, text, Qt::EditRole);
    }
}

void CellEditorDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                              const QModelIndex& index) const {
    auto* box = qobject_cast<QComboBox*>(editor);
    const bool flags = qobject_cast<FlagsEditor*>(editor) != nullptr;
    if (!box && !flags) {
        QStyledItemDelegate::updateEditorGeometry(editor, option, index);
        return;
    }
    QRect area = option.rect;
    if (flags) {
        // The check boxes need more room: the editor opens over the cell at its own size.
        area.setSize(editor->sizeHint().expandedTo(option.rect.size()));
    } else {
        // As wide as the longest entry, over the cells to its right where it needs the room: a
        // cell as narrow as "AM" or "0" would cut "none" and every mode name to "…".
        box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        box->setMaxVisibleItems(box->count());  // every entry at once, without scrolling
        area.setWidth(std::max(option.rect.width(), box->sizeHint().width()));
        QAbstractItemView* list = box->view();
        list->setMinimumWidth(list->sizeHintForColumn(0) + 2 * list->frameWidth() +
                              list->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    }
    // Kept inside the grid.
    const QRect room = editor->parentWidget() ? editor->parentWidget()->rect() : area;
    if (area.right() > room.right()) {
        area.moveRight(room.right());
    }
    if (flags && area.bottom() > room.bottom()) {
        area.moveBottom(room.bottom());
    }
    editor->setGeometry(area);
}

}  // namespace corvalen
