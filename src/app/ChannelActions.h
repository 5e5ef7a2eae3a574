#pragma once

#include <QObject>
#include <memory>

#include "app/GridSelection.h"
#include "table/MoveRows.h"

class QAction;
class QTableView;

namespace corvalen {

class Document;
class EditDialogs;

// The commands for editing many channels at once: "Set Field of Selected Rows…", "Add Channel
// Range…", Move Up / Move Down / Move to Top / Move to Bottom and "Go to Channel…". It owns
// their actions; the window puts them into its Edit menu. Each change is one undo step that works
// on the rows as the grid shows them (sorted or filtered) and changes the table's own rows.
class ChannelActions : public QObject {
    Q_OBJECT

public:
    ChannelActions(Document& document, QTableView& grid, QObject* parent = nullptr);
    ~ChannelActions() override;

    // Where the commands ask their questions; without a call, real dialogs over the grid.
    void setDialogs(EditDialogs* dialogs) { m_dialogs = dialogs; }

    QAction* setFieldAction() const { return m_setField; }
    QAction* addRangeAction() const { return m_addRange; }
    QAction* moveUpAction() const { return m_moveUp; }
    QAction* moveDownAction() const { return m_moveDown; }
    QAction* moveToTopAction() const { return m_moveToTop; }
    QAction* moveToBottomAction() const { return m_moveToBottom; }
    QAction* goToChannelAction() const { return m_goToChannel; }

public slots:
    void setField();
    void addRange();
    void moveUp() { moveRows(RowMove::Up); }
    void moveDown() { moveRows(RowMove::Down); }
    void moveToTop() { moveRows(RowMove::ToTop); }
    void moveToBottom() { moveRows(RowMove::ToBottom); }
    void goToChannel();

signals:
    // What the command did, for the status line.
    void status(const QString& text);
    // The command is about to show a table row: a find text that hides it has to go.
    void revealRow(int tableRow);

private:
    QAction* makeAction(const QString& objectName, const QString& text,
                        void (ChannelActions::*slot)());
    void moveRows(RowMove move);
    // The selected rows as table rows, or the cursor's row when no row is selected.
    std::vector<int> targetRows() const;
    // The moves keep to the table's order, which a sorted grid does not show.
    void updateMoveActions();
    // Selects table rows first..last in the grid and makes the first the current row.
    void selectRows(int first, int last, int column);

    Document& m_document;
    QTableView& m_grid;
    GridSelection m_selection;
    std::unique_ptr<EditDialogs> m_ownDialogs;
    EditDialogs* m_dialogs;
    QAction* m_setField = nullptr;
    QAction* m_addRange = nullptr;
    QAction* m_moveUp = nullptr;
    QAction* m_moveDown = nullptr;
    QAction* m_moveToTop = nullptr;
    QAction* m_moveToBottom = nullptr;
    QAction* m_goToChannel = nullptr;
};

}  // namespace corvalen
