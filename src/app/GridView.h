#pragma once

#include <QTableView>

namespace corvalen {

// The memory table grid. Rows are selected whole, so the current cell gets a frame of its own
// to be seen among them. Tab moves from cell to cell and leaves the grid after its last cell
// (Shift+Tab before its first); Ctrl+Tab and Ctrl+Shift+Tab always leave it, so the buttons and
// the Problems panel can be reached from the keyboard.
class GridView : public QTableView {
    Q_OBJECT

public:
    explicit GridView(QWidget* parent = nullptr);

    // The width the cells of `column` need (the rows in view and some around them).
    int cellsWidth(int column) const { return sizeHintForColumn(column); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
};

}  // namespace corvalen
