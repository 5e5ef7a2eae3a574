#include "app/GridView.h"

#include <QKeyEvent>
#include <QPainter>

namespace corvalen {

GridView::GridView(QWidget* parent) : QTableView(parent) {}

void GridView::paintEvent(QPaintEvent* event) {
    QTableView::paintEvent(event);
    const QModelIndex current = currentIndex();
    if (!current.isValid()) {
        return;
    }
    const QRect cell = visualRect(current);
    if (!cell.isValid() || !viewport()->rect().intersects(cell)) {
        return;
    }
    QPainter painter(viewport());
    QPen pen(palette().color(hasFocus() ? QPalette::Active : QPalette::Inactive, QPalette::Text));
    pen.setWidth(2);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.drawRect(cell.adjusted(1, 1, -1, -1));
}

void GridView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    // The frame moves with the cell: both places are painted again.
    viewport()->update(visualRect(previous).adjusted(-2, -2, 2, 2));
    viewport()->update(visualRect(current).adjusted(-2, -2, 2, 2));
}

void GridView::keyPressEvent(QKeyEvent* event) {
    const bool tab = event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab;
    if (tab && (event->modifiers() & Qt::ControlModifier) != 0) {
        const bool back =
            event->key() == Qt::Key_Backtab || (event->modifiers() & Qt::ShiftModifier) != 0;
        QWidget::focusNextPrevChild(!back);
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

bool GridView::focusNextPrevChild(bool next) {
    // Past the last cell (or before the first) the grid gives the focus away instead of
    // wrapping around.
    const QModelIndex current = currentIndex();
    if (model() != nullptr && current.isValid() && tabKeyNavigation()) {
        const bool atEnd = next ? current.row() == model()->rowCount() - 1 &&
                                      current.column() == model()->columnCount() - 1
                                : current.row() == 0 && current.column() == 0;
        if (atEnd) {
            return QWidget::focusNextPrevChild(next);
        }
    }
    return QTableView::focusNextPrevChild(next);
}

}  // namespace corvalen
