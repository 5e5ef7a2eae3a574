#pragma once

#include <QList>
#include <QObject>
#include <memory>

#include "app/EditDialogs.h"
#include "app/GridSelection.h"
#include "table/MoveRows.h"

class QAction;
class QTableView;

namespace corvalen {

class Document;

// The commands for many channels at once: "Set Field of Selected Rows…", "Add Channel Range…",
// the four moves and "Go to Channel…". Each change is one undo step on the rows the grid shows.
class ChannelActions : public QObject {
    Q_OBJECT

public:
    ChannelActions(Document& document, QTableView& grid, QObject* parent = nullptr);

    // Where the commands ask their questions; without a call, real dialogs over the grid.
    void setDialogs(EditDialogs* dialogs) { m_dialogs = dialogs; }

    // The Edit menu's second part, with separators between the groups.
    const QList<QAction*>& menuActions() const { return m_menu; }

signals:
    void status(const QString& text);
    // The command is about to show a table row: a find text that hides it has to go.
    void revealRow(int tableRow);

private:
    void setField();
    void addRange();
    void goToChannel();
    void moveRows(RowMove move);
    // The selected rows as table rows, or the cursor's row when no row is selected.
    std::vector<int> targetRows() const;
    // The moves keep to the table's order, which a sorted grid does not show.
    void updateMoveActions();

    Document& m_document;
    QTableView& m_grid;
    GridSelection m_selection;
    std::unique_ptr<EditDialogs> m_ownDialogs;
    EditDialogs* m_dialogs;
    QList<QAction*> m_menu;
    QList<QAction*> m_moves;
};

}  // namespace corvalen
