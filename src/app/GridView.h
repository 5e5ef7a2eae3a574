#pragma once

#include <QHeaderView>
#include <QPointer>
#include <QTableView>
#include <vector>

namespace corvalen {

// The column headings, highlighted where the grid's selection crosses or covers a column, as
// worked out from the selection's ranges: Qt's headings would ask every cell at each repaint.
class GridHeader : public QHeaderView {
    Q_OBJECT

public:
    explicit GridHeader(QWidget* parent = nullptr);
    // The grid's selection, which the headings show.
    void showSelection(QItemSelectionModel* selection);

protected:
    void paintEvent(QPaintEvent* event) override;
    void initStyleOptionForIndex(QStyleOptionHeader* option, int section) const override;

private:
    QPointer<QItemSelectionModel> m_selection;
    QPointer<QItemSelectionModel> m_empty;
    QMetaObject::Connection m_repaint;
    std::vector<char> m_crossed;   // by column: the selection crosses it
    std::vector<char> m_selected;  // by column: the selection covers every row of it
};

// The memory table grid. Rows are selected whole, so the current cell gets a frame of its own.
// Tab leaves the grid after its last cell (Shift+Tab before its first), Ctrl+Tab always, so the
// buttons and the Problems panel can be reached from the keyboard.
class GridView : public QTableView {
    Q_OBJECT

public:
    explicit GridView(QWidget* parent = nullptr);

    // The width the cells of `column` need (the rows in view and some around them).
    int cellsWidth(int column) const { return sizeHintForColumn(column); }
    // Lays the rows out now if a change asked for it, so the grid is not painted twice.
    void layOutRowsNow() { executeDelayedItemsLayout(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void setSelectionModel(QItemSelectionModel* selectionModel) override;
};

}  // namespace corvalen
