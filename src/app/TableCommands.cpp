#include "app/TableCommands.h"

#include "app/Document.h"
#include "table/RowCommands.h"

namespace corvalen {

SetCellsCommand::SetCellsCommand(MemoryTableModel& model, int row, int column, CellBlock block,
                                 const QString& text, QUndoCommand* parent)
    : QUndoCommand(text, parent),
      m_model(model),
      m_row(row),
      m_column(column),
      m_block(std::move(block)) {}

AddRowCommand::AddRowCommand(MemoryTableModel& model, std::optional<int> selectionEndRow)
    : QUndoCommand(selectionEndRow ? QStringLiteral("Insert Row") : QStringLiteral("Add Row")),
      m_model(model),
      m_selectionEndRow(selectionEndRow) {}

void AddRowCommand::redo() {
    // Undo puts the table back as it was, so every redo adds the same row with the same number.
    m_row = m_selectionEndRow ? m_model.insertRowBelow(*m_selectionEndRow) : m_model.addRow();
}

void AddRowCommand::undo() {
    m_model.takeRows(m_row, m_row);
}

PutRowsCommand::PutRowsCommand(MemoryTableModel& model, int at, std::vector<MemoryTable::Row> rows,
                               const QString& text, QUndoCommand* parent)
    : QUndoCommand(text, parent),
      m_model(model),
      m_at(at),
      m_count(static_cast<int>(rows.size())),
      m_rows(std::move(rows)) {}

void PutRowsCommand::redo() {
    m_model.putRows(m_at, std::move(m_rows));
    m_rows.clear();
}

void PutRowsCommand::undo() {
    m_rows = m_model.takeRows(m_at, m_at + m_count - 1);
}

DeleteRowsCommand::DeleteRowsCommand(MemoryTableModel& model,
                                     std::vector<std::pair<int, int>> ranges)
    : QUndoCommand(QStringLiteral("Delete Row(s)")), m_model(model), m_ranges(std::move(ranges)) {
    m_removed.resize(m_ranges.size());
}

void DeleteRowsCommand::redo() {
    // From the bottom up, so the rows of the ranges still to go keep their places.
    for (std::size_t i = m_ranges.size(); i-- > 0;) {
        m_removed[i] = m_model.takeRows(m_ranges[i].first, m_ranges[i].second);
    }
    m_numbers = m_model.reIndex();
}

void DeleteRowsCommand::undo() {
    m_model.restoreNumbers(std::move(m_numbers));
    m_numbers.clear();
    // From the top down: each range goes back where it was, below the ones already restored.
    for (std::size_t i = 0; i < m_ranges.size(); ++i) {
        m_model.putRows(m_ranges[i].first, std::move(m_removed[i]));
        m_removed[i].clear();
    }
}

ReIndexCommand::ReIndexCommand(MemoryTableModel& model)
    : QUndoCommand(QStringLiteral("Re-Index")), m_model(model) {}

void ReIndexCommand::redo() {
    m_numbers = m_model.reIndex();
    if (!m_checked) {
        m_checked = true;
        bool changed = false;
        for (std::size_t i = 0; i < m_numbers.size() && !changed; ++i) {
            changed = m_numbers[i] != RowNumberText(static_cast<int>(i) + 1);
        }
        setObsolete(!changed);
    }
}

void ReIndexCommand::undo() {
    m_model.restoreNumbers(std::move(m_numbers));
    m_numbers.clear();
}

LoadTableCommand::LoadTableCommand(Document& document, MemoryTable table, const QString& text)
    : QUndoCommand(text), m_document(document), m_table(std::move(table)) {}

void LoadTableCommand::swap() {
    m_table = m_document.table().swapTable(std::move(m_table));
    std::swap(m_csvLoaded, m_document.csvLoaded);
}

}  // namespace corvalen
