#include "app/GridView.h"

#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionHeader>
#include <algorithm>

namespace corvalen {
namespace {

// Whether `marks` (by column) marks `section`; sections past its end are not marked.
bool Marked(const std::vector<char>& marks, int section) {
    return section >= 0 && static_cast<std::size_t>(section) < marks.size() &&
           marks[static_cast<std::size_t>(section)] != 0;
}

}  // namespace

GridHeader::GridHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
    // As a table view sets up its own headings.
    setSectionsClickable(true);
    setHighlightSections(true);
}

void GridHeader::showSelection(QItemSelectionModel* selection) {
    disconnect(m_repaint);
    m_selection = selection;
    if (m_empty) {
        m_empty->deleteLater();
    }
    if (selection == nullptr) {
        return;
    }
    m_empty = new QItemSelectionModel(selection->model(), this);
    setSelectionModel(m_empty);
    m_repaint = connect(selection, &QItemSelectionModel::selectionChanged, viewport(),
                        [this] { viewport()->update(); });
}

void GridHeader::paintEvent(QPaintEvent* event) {
    const int columns = count();
    m_crossed.assign(static_cast<std::size_t>(columns), 0);
    m_selected.assign(static_cast<std::size_t>(columns), 0);
    const int rows = model() != nullptr ? model()->rowCount(rootIndex()) : 0;
    if (m_selection && rows > 0) {
        QItemSelection ranges = m_selection->selection();
        std::sort(ranges.begin(), ranges.end(),
                  [](const QItemSelectionRange& a, const QItemSelectionRange& b) {
                      return a.top() < b.top();
                  });
        for (int column = 0; column < columns; ++column) {
            // The rows of the ranges over this column, in order: covered while they leave no gap.
            int reach = -1;
            for (const QItemSelectionRange& range : ranges) {
                if (range.left() > column || range.right() < column) {
                    continue;
                }
                m_crossed[static_cast<std::size_t>(column)] = 1;
                if (range.top() > reach + 1) {
                    break;
                }
                reach = std::max(reach, range.bottom());
            }
            m_selected[static_cast<std::size_t>(column)] = reach >= rows - 1 ? 1 : 0;
        }
    }
    QHeaderView::paintEvent(event);
}

void GridHeader::initStyleOptionForIndex(QStyleOptionHeader* option, int section) const {
    QHeaderView::initStyleOptionForIndex(option, section);
    if (option == nullptr) {
        return;
    }
    if (sectionsClickable() && highlightSections()) {
        if (Marked(m_crossed, section)) {
            option->state |= QStyle::State_On;
        }
        if (Marked(m_selected, section)) {
            option->state |= QStyle::State_Sunken;
        }
    }
    const int visual = visualIndex(section);
    const bool previous = Marked(m_selected, logicalIndex(visual - 1));
    const bool next = Marked(m_selected, logicalIndex(visual + 1));
    option->selectedPosition = previous && next ? QStyleOptionHeader::NextAndPreviousAreSelected
                               : previous       ? QStyleOptionHeader::PreviousIsSelected
                               : next           ? QStyleOptionHeader::NextIsSelected
                                                : QStyleOptionHeader::NotAdjacent;
}

GridView::GridView(QWidget* parent) : QTableView(parent) {
    setHorizontalHeader(new GridHeader(this));
}

void GridView::setSelectionModel(QItemSelectionModel* selectionModel) {
    QTableView::setSelectionModel(selectionModel);
    static_cast<GridHeader*>(horizontalHeader())->showSelection(selectionModel);
}

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
    // Past the last cell (or before the first) the focus leaves instead of wrapping around.
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
