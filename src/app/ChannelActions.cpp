#include "app/ChannelActions.h"

#include <QAction>
#include <QHeaderView>
#include <QTableView>
#include <QUndoStack>
#include <algorithm>

#include "app/CellEditorDelegate.h"
#include "app/Document.h"
#include "app/EditActions.h"
#include "app/SetFieldDialog.h"
#include "app/StatusText.h"
#include "app/UndoSteps.h"
#include "edit/ChannelRange.h"
#include "table/Columns.h"

namespace corvalen {

ChannelActions::ChannelActions(Document& document, QTableView& grid, QObject* parent)
    : QObject(parent),
      m_document(document),
      m_grid(grid),
      m_selection(grid),
      m_ownDialogs(std::make_unique<QtEditDialogs>(&grid)),
      m_dialogs(m_ownDialogs.get()) {
    const auto move = [this](RowMove move) { return [this, move] { moveRows(move); }; };
    const EditCommand commands[] = {
        {},
        {"setFieldAction", tr("Set Field of Selected Rows\u2026"), [this] { setField(); }},
        {"addRangeAction", tr("Add Channel Range\u2026"), [this] { addRange(); }},
        {},
        {"moveUpAction", tr("Move Up"), move(RowMove::Up), {QKeySequence(Qt::CTRL | Qt::Key_Up)}},
        {"moveDownAction", tr("Move Down"), move(RowMove::Down),
         {QKeySequence(Qt::CTRL | Qt::Key_Down)}},
        {"moveToTopAction", tr("Move to Top"), move(RowMove::ToTop)},
        {"moveToBottomAction", tr("Move to Bottom"), move(RowMove::ToBottom)},
        {},
        {"goToChannelAction", tr("Go to Channel\u2026"), [this] { goToChannel(); },
         {QKeySequence(Qt::CTRL | Qt::Key_G)}},
    };
    m_menu = MakeActions(this, grid, commands);
    m_moves = m_menu.mid(4, 4);  // Move Up to Move to Bottom
    connect(m_grid.horizontalHeader(), &QHeaderView::sortIndicatorChanged, this,
            &ChannelActions::updateMoveActions);
    updateMoveActions();
}

void ChannelActions::updateMoveActions() {
    const bool sorted =
        m_grid.horizontalHeader()->sortIndicatorSection() >= 0 &&
        m_grid.horizontalHeader()->sortIndicatorSection() < m_grid.horizontalHeader()->count();
    for (QAction* action : m_moves) {
        action->setEnabled(!sorted);
    }
}

std::vector<int> ChannelActions::targetRows() const {
    std::vector<int> rows = m_selection.selectedTableRows();
    if (rows.empty() && m_selection.currentTableRow() > 0) {
        rows.push_back(m_selection.currentTableRow());
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

void ChannelActions::setField() {
    const std::vector<int> rows = targetRows();
    if (rows.empty()) {
        emit status(tr("Select the rows to change first"));
        return;
    }
    const MemoryTable& table = m_document.table().table();
    // The dialog starts on the current cell's column. Rows picked by their headers make that
    // Number, which no two rows share: then it starts on Mode (Groups before an import).
    const QModelIndex current = m_selection.toModel(m_grid.currentIndex());
    int startColumn = current.isValid() ? current.column() : Number;
    if (startColumn == Number) {
        startColumn = table.ColCount() > Mode ? Mode : Groups;
    }
    // A frequency typed without a unit is in the unit the grid shows, as in the cell editor.
    const auto* delegate = qobject_cast<const CellEditorDelegate*>(m_grid.itemDelegate());
    const FrequencyUnit unit = delegate != nullptr ? delegate->frequencyUnit() : FrequencyUnit::Hz;
    std::optional<FieldEdit> edit =
        m_dialogs->askFieldEdit(table, startColumn, static_cast<int>(rows.size()), unit);
    if (!edit) {
        return;
    }
    const std::optional<std::string> value = SetFieldValue(*edit, unit);
    if (!value) {
        emit status(
            CellEditorDelegate::FrequencyRefusal(QString::fromStdString(edit->value), unit));
        return;
    }
    edit->value = *value;
    const QString column = SetFieldDialog::ColumnName(table, edit->Column());
    std::unique_ptr<QUndoCommand> command = MakeFieldEditStep(
        m_document.table(), rows, *edit, tr("Set %1 of Selected Rows").arg(column));
    if (!command) {
        emit status(tr("%1 of the selected rows already held that").arg(column));
        return;
    }
    m_document.undoStack().push(command.release());
    emit status(
        tr("Set %1 of %2").arg(column, Count(static_cast<qsizetype>(rows.size()), "row", "rows")));
}

void ChannelActions::addRange() {
    MemoryTableModel& model = m_document.table();
    const std::optional<RangeFill> fill = m_dialogs->askChannelRange(model.table());
    if (!fill) {
        return;
    }
    Result<MemoryTable> rows = MakeRangeRows(model.table(), *fill);
    if (!rows) {
        emit status(ErrorText(rows.error()));
        return;
    }
    const int at = model.table().RowCount();
    const int count = rows->ChannelCount();
    const QString first = QString::fromStdString(std::string(rows->CellText(1, Number)));
    const QString last = QString::fromStdString(std::string(rows->CellText(count, Number)));
    m_document.undoStack().push(
        new PutRowsStep(model, {at, std::move(*rows)}, tr("Add Channel Range")));
    emit revealRow(at);
    m_selection.selectRows(at, at + count - 1, Frequency);
    emit status(count == 1
                    ? tr("Added 1 channel, number %1").arg(first)
                    : tr("Added %1 channels, numbered %2 to %3").arg(count).arg(first, last));
}

void ChannelActions::moveRows(RowMove move) {
    if (!m_moves.front()->isEnabled()) {
        return;  // the grid is sorted
    }
    const std::vector<int> rows = targetRows();
    const std::vector<int> order =
        MovedRowOrder(m_document.table().table().ChannelCount(), rows, move);
    if (rows.empty() || IsUnmoved(order)) {
        return;
    }
    m_document.undoStack().push(
        new MoveRowsStep(m_document.table(), {order}, m_moves[static_cast<int>(move)]->text()));
    if (m_grid.currentIndex().isValid()) {
        m_grid.scrollTo(m_grid.currentIndex());
    }
    static const char* const kDone[] = {QT_TR_NOOP("Moved %1 up"), QT_TR_NOOP("Moved %1 down"),
                                        QT_TR_NOOP("Moved %1 to the top"),
                                        QT_TR_NOOP("Moved %1 to the bottom")};
    emit status(tr(kDone[static_cast<int>(move)])
                    .arg(Count(static_cast<qsizetype>(rows.size()), "row", "rows")));
}

void ChannelActions::goToChannel() {
    const std::optional<int> number = m_dialogs->askChannelNumber();
    if (!number) {
        return;
    }
    const int row = RowOfChannel(m_document.table().table(), *number);
    if (row == 0) {
        emit status(tr("No row holds channel %1").arg(*number));
        return;
    }
    emit revealRow(row);
    const QModelIndex current = m_grid.currentIndex();
    m_selection.selectRows(row, row, current.isValid() ? current.column() : 0);
    m_grid.setFocus();
    emit status(tr("Channel %1 is in row %2").arg(*number).arg(row));
}

}  // namespace corvalen
