#pragma once

#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QString>
#include <functional>
#include <optional>
#include <span>

#include "app/GridSelection.h"

class QAction;
class QTableView;
class QWidget;

namespace corvalen {

class Document;

// One command of the Edit menu; its tooltip gets the first shortcut added. A command of the grid
// has its shortcut only while the grid has the focus: a cell editor or the find box keeps its keys.
struct EditCommand {
    const char* name = nullptr;  // nullptr: a separator
    QString text = {};
    std::function<void()> run = {};
    QList<QKeySequence> keys = {};
    QString tip = {};
    bool ofGrid = false;
};

// The actions of `commands` in their order, owned by `owner`.
QList<QAction*> MakeActions(QObject* owner, QWidget& grid, std::span<const EditCommand> commands);

// Undo and Redo, Cut, Copy and Paste of tab-separated text (as spreadsheets exchange cells), and
// the four row commands. Every change is one undo step.
class EditActions : public QObject {
    Q_OBJECT

public:
    EditActions(Document& document, QTableView& grid, QObject* parent = nullptr);

    // The Edit menu's first part.
    const QList<QAction*>& menuActions() const { return m_menu; }
    // The four row commands, which the button bar shows too.
    QList<QAction*> rowActions() const { return m_menu.mid(m_menu.size() - 4); }

    const GridSelection& selection() const { return m_selection; }

signals:
    void status(const QString& text);
    // The command is about to show a table row: a find text that hides it has to go.
    void revealRow(int tableRow);

private:
    void deleteRows();  // "Delete Row(s)": every selected row, then renumbers the rest
    void reIndex();     // "Re-Index"
    // Delete and Cut: empties the selected cells as one undo step named `text`.
    void clearCells(const GridSelection::Cells& cells, const QString& text);
    // The selected rows (or the current cell) to the clipboard; Cut also empties them. Paste
    // starts at the current cell, a block of whole rows at its row's first column.
    void copyCells(bool cut);
    void pasteCells();
    // "Add Row" (at the end) or "Insert Row" (below that row), the cursor on its Frequency.
    void addRowAt(std::optional<int> selectionEndRow);

    Document& m_document;
    QTableView& m_grid;
    GridSelection m_selection;
    GridSelection::SetAside m_asideWhileReordered;
    QList<QAction*> m_menu;
};

}  // namespace corvalen
