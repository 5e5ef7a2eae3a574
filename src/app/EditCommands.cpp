#include "app/EditCommands.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QTableView>
#include <QUndoStack>
#include <algorithm>
#include <memory>

#include "app/Document.h"
#include "app/StatusText.h"
#include "app/TableCommands.h"
#include "table/TabSeparatedText.h"

namespace corvalen {

EditCommands::EditCommands(Document& document, QTableView& grid, QObject* parent)
    : QObject(parent),
      m_document(document),
      m_grid(grid),
      m_selection(grid),
      // The stack keeps the two actions' texts ("Undo Paste") and enabled states up to date.
      m_undo(document.undoStack().createUndoAction(this, tr("Undo"))),
      m_redo(document.undoStack().createRedoAction(this, tr("Redo"))) {
    m_undo->setObjectName(QStringLiteral("undoAction"));
    m_undo->setShortcuts(QKeySequence::Undo);
    m_redo->setObjectName(QStringLiteral("redoAction"));
    m_redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});

    m_cut = makeAction(QStringLiteral("cutAction"), tr("Cut"), &EditCommands::cutCells);
    m_cut->setShortcuts(QKeySequence::Cut);
    m_copy = makeAction(QStringLiteral("copyAction"), tr("Copy"), &EditCommands::copyCells);
    m_copy->setShortcuts(QKeySequence::Copy);
    m_paste = makeAction(QStringLiteral("pasteAction"), tr("Paste"), &EditCommands::pasteCells);
    m_paste->setShortcuts(QKeySequence::Paste);

    m_addRow = makeAction(QStringLiteral("addRowAction"), tr("Add Row"), &EditCommands::addRow);
    m_insertRow =
        makeAction(QStringLiteral("insertRowAction"), tr("Insert Row"), &EditCommands::insertRow);
    m_deleteRows = makeAction(QStringLiteral("deleteRowsAction"), tr("Delete Row(s)"),
                              &EditCommands::deleteRows);
    m_reIndex = makeAction(QStringLiteral("reIndexAction"), tr("Re-Index"), &EditCommands::reIndex);
}

QAction* EditCommands::makeAction(const QString& objectName, const QString& text,
                                  void (EditCommands::*slot)()) {
    auto* action = new QAction(text, this);
    action->setObjectName(objectName);
    connect(action, &QAction::triggered, this, slot);
    return action;
}

void EditCommands::addRow() {
    auto* command = new AddRowCommand(m_document.table(), std::nullopt);
    m_document.undoStack().push(command);
    emit revealRow(command->row());
    m_selection.setCurrentCell(command->row(), 0);
}

void EditCommands::insertRow() {
    auto* command = new AddRowCommand(m_document.table(), m_selection.currentTableRow());
    m_document.undoStack().push(command);
    emit revealRow(command->row());
}

void EditCommands::deleteRows() {
    // Every selected row goes, however the selection was made, and nothing else: separate
    // ranges are removed range by range, so no unselected row in between is lost, and with no
    // row selected nothing is removed.
    std::vector<RowRange> ranges = RowRanges(m_selection.selectedTableRows());
    if (!ranges.empty()) {
        m_document.undoStack().push(new DeleteRowsCommand(m_document.table(), std::move(ranges)));
    }
}

void EditCommands::reIndex() {
    m_document.undoStack().push(new ReIndexCommand(m_document.table()));
}

QString EditCommands::copyToClipboard(const GridSelection::Cells& cells) {
    const MemoryTableModel& model = m_document.table();
    CellBlock block;
    block.reserve(cells.rows.size());
    for (const int row : cells.rows) {
        block.push_back(std::move(model.cells(row, row, cells.firstColumn, cells.lastColumn)[0]));
    }
    QApplication::clipboard()->setText(QString::fromStdString(EncodeTabSeparated(block)));
    const int columns = cells.lastColumn - cells.firstColumn + 1;
    if (columns == model.columnCount()) {
        return Count(static_cast<qsizetype>(cells.rows.size()), "row", "rows");
    }
    return Count(static_cast<qsizetype>(cells.rows.size()) * columns, "cell", "cells");
}

void EditCommands::copyCells() {
    const GridSelection::Cells cells = m_selection.selectedCells();
    if (cells.rows.empty()) {
        return;
    }
    emit status(tr("Copied %1").arg(copyToClipboard(cells)));
}

void EditCommands::cutCells() {
    GridSelection::Cells cells = m_selection.selectedCells();
    if (cells.rows.empty()) {
        return;
    }
    const QString what = copyToClipboard(cells);
    std::sort(cells.rows.begin(), cells.rows.end());
    if (std::unique_ptr<QUndoCommand> clear = MakeClearCommand(
            m_document.table(), cells.rows, cells.firstColumn, cells.lastColumn, tr("Cut"))) {
        m_document.undoStack().push(clear.release());
    }
    emit status(tr("Cut %1").arg(what));
}

void EditCommands::pasteCells() {
    CellBlock block = DecodeTabSeparated(QApplication::clipboard()->text().toStdString());
    if (block.empty()) {
        emit status(tr("Nothing to paste: the clipboard holds no text"));
        return;
    }
    MemoryTableModel& model = m_document.table();
    // Over the rows the grid shows from the current cell down; without a current cell, below
    // the last row, so nothing is overwritten.
    const QModelIndex current = m_grid.currentIndex();
    const std::vector<int> targetRows =
        current.isValid() ? m_selection.tableRowsFrom(current.row(), static_cast<int>(block.size()))
                          : std::vector<int>();
    int column = current.isValid() ? m_selection.toModel(current).column() : 0;
    std::size_t width = 0;
    for (const std::vector<std::string>& cells : block) {
        width = std::max(width, cells.size());
    }
    if (width == static_cast<std::size_t>(model.columnCount())) {
        column = 0;  // whole rows go into their own columns
    }
    const int firstRow = targetRows.empty() ? model.table().RowCount() : targetRows.front();
    PasteOutcome outcome;
    std::unique_ptr<QUndoCommand> paste =
        MakePasteCommand(model, targetRows, column, std::move(block), outcome);
    if (!paste) {
        return;
    }
    m_document.undoStack().push(paste.release());
    QString text =
        tr("Pasted %1 of %2 at row %3")
            .arg(Count(outcome.rows, "row", "rows"), Count(outcome.columns, "cell", "cells"))
            .arg(firstRow);
    if (outcome.rowsAdded > 0) {
        text += tr("; %1 added").arg(Count(outcome.rowsAdded, "row", "rows"));
    }
    if (outcome.columnsLeftOut > 0) {
        text += tr("; %1 past the last column left out")
                    .arg(Count(outcome.columnsLeftOut, "column", "columns"));
    }
    emit status(text);
    m_grid.scrollTo(m_selection.gridIndexAt(firstRow, column));
}

}  // namespace corvalen
