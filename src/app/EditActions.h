#pragma once

#include <QObject>
#include <QString>
#include <optional>

#include "app/GridSelection.h"

class QAction;
class QTableView;

namespace corvalen {

class Document;

// The commands that change the table's rows and cells from the grid: the four row buttons
// ("Add Row", "Insert Row", "Delete Row(s)", "Re-Index"), Undo and Redo, and Cut, Copy and Paste
// of tab-separated text, the way spreadsheets exchange cells. It owns their actions; the window
// puts them into its menus and on its buttons. Every change is one undo step.
class EditActions : public QObject {
    Q_OBJECT

public:
    EditActions(Document& document, QTableView& grid, QObject* parent = nullptr);

    QAction* undoAction() const { return m_undo; }
    QAction* redoAction() const { return m_redo; }
    QAction* cutAction() const { return m_cut; }
    QAction* copyAction() const { return m_copy; }
    QAction* pasteAction() const { return m_paste; }
    QAction* addRowAction() const { return m_addRow; }
    QAction* insertRowAction() const { return m_insertRow; }
    QAction* deleteRowsAction() const { return m_deleteRows; }
    QAction* reIndexAction() const { return m_reIndex; }
    QAction* clearCellsAction() const { return m_clear; }

    const GridSelection& selection() const { return m_selection; }

public slots:
    void addRow();      // "Add Row": an empty channel at the end; the cursor goes to it
    void insertRow();   // "Insert Row": below the cursor's row (at the end without one)
    void deleteRows();  // "Delete Row(s)": every selected row, then renumbers the rest
    void reIndex();     // "Re-Index"
    void clearCells();  // Delete: empties the selected cells as one undo step
    // The selected rows (or the current cell) to the clipboard; Cut also empties them. Paste
    // starts at the current cell; a block of whole rows starts at the row's first column.
    void cutCells();
    void copyCells();
    void pasteCells();

signals:
    // What the command did, for the status line.
    void status(const QString& text);
    // The command is about to show a table row: a find text that hides it has to go.
    void revealRow(int tableRow);

private:
    // Adds an empty row (at the end, or below that row) and puts the cursor on its Frequency.
    void addRowAt(std::optional<int> selectionEndRow);
    QAction* makeAction(const QString& objectName, const QString& text,
                        void (EditActions::*slot)());
    // Puts the cells on the clipboard; returns the status line's words for them.
    QString copyToClipboard(const GridSelection::Cells& cells);

    Document& m_document;
    QTableView& m_grid;
    GridSelection m_selection;
    GridSelection::SetAside m_asideWhileReordered;
    QAction* m_undo;
    QAction* m_redo;
    QAction* m_cut = nullptr;
    QAction* m_copy = nullptr;
    QAction* m_paste = nullptr;
    QAction* m_addRow = nullptr;
    QAction* m_insertRow = nullptr;
    QAction* m_deleteRows = nullptr;
    QAction* m_reIndex = nullptr;
    QAction* m_clear = nullptr;
};

}  // namespace corvalen
