#pragma once

#include <QHeaderView>
#include <QPointer>
#include <QTableView>
#include <vector>

namespace corvalen {

// The column headings, highlighted where the selection crosses or covers a column as worked out
// from its ranges: Qt's headings would ask every cell at each repaint.
class GridHeader : public QHeaderView {
    Q_OBJECT

public:
    explicit GridHeader(QWidget* parent = nullptr);
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

// The memory table grid: the current cell framed, as rows are selected whole. Tab leaves it after
// its last cell (Shift+Tab before its first), Ctrl+Tab always.
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
