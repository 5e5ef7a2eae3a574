#include "app/EditActions.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QTableView>
#include <QUndoStack>
#include <algorithm>
#include <memory>
#include <utility>

#include "app/Document.h"
#include "app/StatusText.h"
#include "app/UndoSteps.h"
#include "table/Columns.h"
#include "table/TabSeparatedText.h"

namespace corvalen {

QList<QAction*> MakeActions(QObject* owner, QWidget& grid, std::span<const EditCommand> commands) {
    QList<QAction*> actions;
    for (const EditCommand& command : commands) {
        auto* action = new QAction(command.text, owner);
        if (command.name == nullptr) {
            action->setSeparator(true);
        } else {
            action->setObjectName(QLatin1String(command.name));
            action->setShortcuts(command.keys);
            const QKeySequence key = action->shortcut();
            action->setToolTip(key.isEmpty()
                                   ? command.tip
                                   : QStringLiteral("%1 (%2)").arg(
                                         command.tip, key.toString(QKeySequence::NativeText)));
            QObject::connect(action, &QAction::triggered, owner, command.run);
        }
        if (command.ofGrid) {
            action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
            grid.addAction(action);
        }
        actions << action;
    }
    return actions;
}

EditActions::EditActions(Document& document, QTableView& grid, QObject* parent)
    : QObject(parent), m_document(document), m_grid(grid), m_selection(grid) {
    // Moved rows, and rows put back by an undo, stay selected, as ranges.
    connect(&document.table(), &MemoryTableModel::rowsAboutToBeReordered, this,
            [this] { m_asideWhileReordered = m_selection.setSelectionAside(); });
    connect(&document.table(), &MemoryTableModel::rowsReordered, this,
            [this](const std::vector<int>& places) {
                m_selection.putSelectionBack(m_asideWhileReordered, places);
                m_asideWhileReordered = {};
            });
    // The stack keeps the two actions' texts ("Undo Paste") and enabled states up to date.
    QAction* undo = document.undoStack().createUndoAction(this, tr("Undo"));
    QAction* redo = document.undoStack().createRedoAction(this, tr("Redo"));
    undo->setObjectName(QStringLiteral("undoAction"));
    undo->setShortcuts(QKeySequence::Undo);
    redo->setObjectName(QStringLiteral("redoAction"));
    redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    // Run after the stack's step: the step undone is the one to redo now, and the other way round.
    connect(undo, &QAction::triggered, this,
            [this] { emit status(tr("Undid %1").arg(m_document.undoStack().redoText())); });
    connect(redo, &QAction::triggered, this,
            [this] { emit status(tr("Redid %1").arg(m_document.undoStack().undoText())); });

    const auto keys = [](QKeySequence::StandardKey key) { return QKeySequence::keyBindings(key); };
    // The row commands of the button bar come last; their shortcuts clash with no other keys.
    const EditCommand commands[] = {
        {},
        {"cutAction", tr("Cut"), [this] { copyCells(true); }, keys(QKeySequence::Cut),
         tr("Copies the selected cells and empties them")},
        {"copyAction", tr("Copy"), [this] { copyCells(false); }, keys(QKeySequence::Copy),
         tr("Copies the selected cells as tab-separated text")},
        {"pasteAction", tr("Paste"), [this] { pasteCells(); }, keys(QKeySequence::Paste),
         tr("Pastes tab-separated text from the current cell down")},
        {"clearCellsAction", tr("Clear Cells"),
         [this] { clearCells(m_selection.selectedCells(), tr("Clear Cells")); },
         keys(QKeySequence::Delete), tr("Empties the selected cells"), true},
        {},
        {"addRowAction", tr("Add Row"), [this] { addRowAt(std::nullopt); },
         {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A)}, tr("Adds an empty channel at the end")},
        {"insertRowAction", tr("Insert Row"),
         [this] { addRowAt(m_selection.currentTableRow()); },
         {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_I)},
         tr("Inserts an empty channel below the current row")},
        {"deleteRowsAction", tr("Delete Row(s)"), [this] { deleteRows(); },
         {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Delete)},
         tr("Removes the selected rows and renumbers the rest")},
        {"reIndexAction", tr("Re-Index"), [this] { reIndex(); },
         {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R)},
         tr("Renumbers the Number column 1 to n in table order")},
    };
    m_menu = QList<QAction*>{undo, redo} + MakeActions(this, grid, commands);
}

void EditActions::addRowAt(std::optional<int> selectionEndRow) {
    auto* command = new AddRowStep(m_document.table(), {selectionEndRow},
                                   selectionEndRow ? tr("Insert Row") : tr("Add Row"));
    m_document.undoStack().push(command);
    const int row = command->state().row;
    emit revealRow(row);
    // Ready to type the new channel's frequency, with the new row alone selected: a row that
    // stayed selected from before would go too with the next "Delete Row(s)".
    m_selection.selectRows(row, row, Frequency);
    m_grid.setFocus();
    emit status(selectionEndRow ? tr("Inserted an empty row as row %1").arg(row)
                                : tr("Added an empty row as row %1").arg(row));
}

void EditActions::deleteRows() {
    // Range by range, so no unselected row between two ranges is lost.
    const std::vector<int> rows = m_selection.selectedTableRows();
    std::vector<RowRange> ranges = RowRanges(rows);
    if (ranges.empty()) {
        emit status(tr("No rows selected; nothing deleted"));
        return;
    }
    m_document.undoStack().push(
        new DeleteRowsStep(m_document.table(), {std::move(ranges)}, tr("Delete Row(s)")));
    const int left = m_document.table().table().ChannelCount();
    const QString deleted = Count(static_cast<qsizetype>(rows.size()), "row", "rows");
    emit status(left == 0 ? tr("Deleted %1").arg(deleted)
                          : tr("Deleted %1; the rest renumbered 1 to %2").arg(deleted).arg(left));
}

void EditActions::reIndex() {
    const int rows = m_document.table().table().ChannelCount();
    if (NumberedInOrder(m_document.table().table())) {
        emit status(tr("Every row already has its number (1 to %1); nothing changed").arg(rows));
        return;
    }
    m_document.undoStack().push(new ReIndexStep(m_document.table(), {}, tr("Re-Index")));
    emit status(tr("Renumbered %1 1 to %2").arg(Count(rows, "row", "rows")).arg(rows));
}

void EditActions::clearCells(const GridSelection::Cells& cells, const QString& text) {
    if (std::unique_ptr<QUndoCommand> clear = MakeClearStep(
            m_document.table(), cells.rows, cells.firstColumn, cells.lastColumn, text)) {
        m_document.undoStack().push(clear.release());
    }
}

void EditActions::copyCells(bool cut) {
    const GridSelection::Cells cells = m_selection.selectedCells();
    if (cells.rows.empty()) {
        return;
    }
    const MemoryTableModel& model = m_document.table();
    QApplication::clipboard()->setText(QString::fromStdString(
        EncodeTabSeparated(model.table(), cells.rows, cells.firstColumn, cells.lastColumn)));
    const int columns = cells.lastColumn - cells.firstColumn + 1;
    const auto rows = static_cast<qsizetype>(cells.rows.size());
    const QString what = columns == model.columnCount() ? Count(rows, "row", "rows")
                                                        : Count(rows * columns, "cell", "cells");
    if (cut) {
        clearCells(cells, tr("Cut"));
    }
    emit status(cut ? tr("Cut %1").arg(what) : tr("Copied %1").arg(what));
}

void EditActions::pasteCells() {
    MemoryTable block = DecodeTabSeparatedBlock(QApplication::clipboard()->text().toStdString());
    if (block.ChannelCount() == 0) {
        emit status(tr("Nothing to paste: the clipboard holds no text"));
        return;
    }
    MemoryTableModel& model = m_document.table();
    // Over the rows the grid shows from the current cell down; without a current cell, below
    // the last row, so nothing is overwritten.
    const QModelIndex current = m_grid.currentIndex();
    const std::vector<int> targetRows =
        current.isValid() ? m_selection.tableRowsFrom(current.row(), block.ChannelCount())
                          : std::vector<int>();
    int column = current.isValid() ? m_selection.toModel(current).column() : 0;
    if (block.ColCount() == model.columnCount()) {
        column = 0;  // whole rows go into their own columns
    }
    const int firstRow = targetRows.empty() ? model.table().RowCount() : targetRows.front();
    PasteOutcome outcome;
    std::unique_ptr<QUndoCommand> paste =
        MakePasteStep(model, targetRows, column, std::move(block), outcome);
    if (!paste) {
        return;
    }
    m_document.undoStack().push(paste.release());
    QString text =
        tr("Pasted %1 of %2 at row %3")
            .arg(Count(outcome.rows, "row", "rows"), Count(outcome.columns, "cell", "cells"))
            .arg(firstRow);
    text += CountIn(tr("; %1 added"), outcome.rowsAdded, "row", "rows");
    text += CountIn(tr("; %1 past the last column left out"), outcome.columnsLeftOut, "column",
                    "columns");
    emit status(text);
    m_grid.scrollTo(m_selection.gridIndexAt(firstRow, column));
}

}  // namespace corvalen
