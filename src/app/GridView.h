#pragma once

#include <QHeaderView>
#include <QPointer>
#include <QTableView>
#include <vector>

namespace corvalen {

// The memory table grid. Rows are selected whole, so the current cell gets a frame of its own
// to be seen among them. Tab moves from cell to cell and leaves the grid after its last cell
// (Shift+Tab before its first); Ctrl+Tab and Ctrl+Shift+Tab always leave it, so the buttons and
// the Problems panel can be reached from the keyboard.
// The column headings. Qt highlights a heading when the selection crosses its column, and more
// when it covers the whole column; to know the latter it asks every row of the column whether it
// is selected and selectable, for each heading at each repaint: with 65,535 rows selected that
// was most of the time of a command on all of them. These headings work it out from the grid's
// selection ranges instead, and their own selection model stays empty, so Qt has nothing to ask.
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
    bool selected(int section) const;

    QPointer<QItemSelectionModel> m_selection;
    QPointer<QItemSelectionModel> m_empty;
    QMetaObject::Connection m_repaint;
    std::vector<char> m_crossed;   // by column: the selection crosses it
    std::vector<char> m_selected;  // by column: the selection covers every row of it
};

class GridView : public QTableView {
    Q_OBJECT

public:
    explicit GridView(QWidget* parent = nullptr);

    // The width the cells of `column` need (the rows in view and some around them).
    int cellsWidth(int column) const { return sizeHintForColumn(column); }
    // Lays the rows out now if a change asked for it to be done later: done while the window
    // paints, it would have the grid painted whole a second time.
    void layOutRowsNow() { executeDelayedItemsLayout(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void setSelectionModel(QItemSelectionModel* selectionModel) override;
};

}  // namespace corvalen
