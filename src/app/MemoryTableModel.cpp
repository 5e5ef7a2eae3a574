#include "app/MemoryTableModel.h"

#include <QUndoStack>
#include <algorithm>
#include <string_view>
#include <utility>

#include "app/StatusText.h"
#include "app/UndoSteps.h"
#include "table/MoveRows.h"

namespace corvalen {
MemoryTableModel::MemoryTableModel(MemoryTable table, QObject* parent)
    : QAbstractTableModel(parent), m_table(std::move(table)) {}

QVariant MemoryTableModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid) ||
        (role != Qt::DisplayRole && role != Qt::EditRole)) {
        return {};
    }
    const std::string_view text = m_table.CellText(tableRow(index.row()), index.column());
    // Only the start of a very long cell: laying out megabytes for one would hold the window up.
    constexpr std::size_t kShownBytes = 1000;
    if (role == Qt::DisplayRole && text.size() > kShownBytes) {
        std::size_t cut = kShownBytes;
        while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) {
            --cut;  // not inside a UTF-8 character
        }
        return QString::fromUtf8(text.data(), static_cast<qsizetype>(cut)) + QChar(0x2026);
    }
    return FromUtf8(text);
}

bool MemoryTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !checkIndex(index, CheckIndexOption::IndexIsValid)) {
        return false;
    }
    std::string text = value.toString().toStdString();
    const int row = tableRow(index.row());
    if (text == m_table.CellText(row, index.column())) {
        return true;  // nothing changed: no undo step either
    }
    MemoryTable block(1);
    block.AppendRow({std::move(text)});
    if (m_undoStack) {
        m_undoStack->push(
            new SetCellsStep(*this, {row, index.column(), std::move(block)}, tr("Edit Cell")));
    } else {
        swapCells(row, index.column(), std::move(block));
    }
    return true;
}

QVariant MemoryTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < m_table.ColCount()) {
        return FromUtf8(m_table.Caption(section));
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags MemoryTableModel::flags(const QModelIndex& index) const {
    return index.isValid() ? cellFlags() : Qt::NoItemFlags;
}

MemoryTable MemoryTableModel::swapTable(MemoryTable table) {
    beginResetModel();
    std::swap(m_table, table);
    endResetModel();
    return table;
}

int MemoryTableModel::addRow(std::optional<int> selectionEndRow) {
    const int row =
        selectionEndRow ? InsertPosition(m_table, *selectionEndRow) : m_table.RowCount();
    beginInsertRows(QModelIndex(), modelRow(row), modelRow(row));
    const int added = selectionEndRow ? InsertRow(m_table, *selectionEndRow) : AddRow(m_table);
    endInsertRows();
    Q_ASSERT(added == row);
    return added;
}

std::vector<std::string> MemoryTableModel::reIndex() {
    std::vector<std::string> numbers;
    if (m_table.ColCount() <= Column::Number) {
        return numbers;
    }
    numbers.reserve(static_cast<std::size_t>(m_table.ChannelCount()));
    for (int row = 1; row < m_table.RowCount(); ++row) {
        numbers.emplace_back(m_table.CellText(row, Column::Number));
    }
    ReIndex(m_table);
    numbersChanged();
    return numbers;
}

void MemoryTableModel::restoreNumbers(std::vector<std::string> numbers) {
    if (m_table.ColCount() <= Column::Number) {
        return;
    }
    Q_ASSERT(numbers.size() == static_cast<std::size_t>(m_table.ChannelCount()));
    const int rows = std::min(static_cast<int>(numbers.size()), m_table.ChannelCount());
    for (int i = 0; i < rows; ++i) {
        m_table.SetCellText(i + 1, Column::Number, std::move(numbers[static_cast<std::size_t>(i)]));
    }
    numbersChanged();
}

void MemoryTableModel::numbersChanged() {
    if (m_table.ChannelCount() > 0) {
        emit dataChanged(index(0, Column::Number), index(rowCount() - 1, Column::Number),
                         {Qt::DisplayRole, Qt::EditRole});
    }
}

DeletedRows MemoryTableModel::deleteRows(const std::vector<RowRange>& ranges) {
    // The view hears of each range as it goes, bottom range first.
    struct Signals : RowRemovalListener {
        MemoryTableModel& model;
        explicit Signals(MemoryTableModel& m) : model(m) {}
        void RowsRemoving(int first, int last) override {
            model.beginRemoveRows(QModelIndex(), modelRow(first), modelRow(last));
        }
        void RowsRemoved() override { model.endRemoveRows(); }
    } listener(*this);
    DeletedRows deleted = DeleteRows(m_table, ranges, &listener);
    numbersChanged();
    return deleted;
}

void MemoryTableModel::undeleteRows(const std::vector<RowRange>& ranges, DeletedRows deleted) {
    restoreNumbers(std::move(deleted.numbers));
    // From the top down: each range goes back where it was, below the ones already restored.
    for (std::size_t i = 0; i < ranges.size() && i < deleted.blocks.size(); ++i) {
        putRows(ranges[i].first, std::move(deleted.blocks[i]));
    }
}

MemoryTable MemoryTableModel::takeRows(int first, int last) {
    first = std::max(first, 1);
    last = std::min(last, m_table.RowCount() - 1);
    if (first > last) {
        return MemoryTable(m_table.ColCount());
    }
    beginRemoveRows(QModelIndex(), modelRow(first), modelRow(last));
    MemoryTable rows = m_table.TakeRows(first, last);
    endRemoveRows();
    return rows;
}

void MemoryTableModel::putRows(int at, MemoryTable rows) {
    const int count = rows.ChannelCount();
    if (count <= 0) {
        return;
    }
    Q_ASSERT(rows.ColCount() == m_table.ColCount());
    at = std::clamp(at, 1, m_table.RowCount());
    beginInsertRows(QModelIndex(), modelRow(at), modelRow(at + count - 1));
    m_table.PutRows(at, std::move(rows));
    endInsertRows();
}

void MemoryTableModel::reorderRows(const std::vector<int>& order) {
    if (order.size() != static_cast<std::size_t>(m_table.ChannelCount())) {
        return;
    }
    emit rowsAboutToBeReordered();
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const std::vector<int> places = InverseRowOrder(order);
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& old : before) {
        const int row = places[static_cast<std::size_t>(old.row())];
        after << index(modelRow(row), old.column());
    }
    m_table.ReorderRows(order);
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    emit rowsReordered(places);
}

MemoryTable MemoryTableModel::swapCells(int row, int column, MemoryTable block) {
    const int rows = block.ChannelCount();
    const int columns = block.ColCount();
    if (rows <= 0 || columns <= 0) {
        return block;
    }
    Q_ASSERT(row >= 1 && row + rows <= m_table.RowCount());
    Q_ASSERT(column >= 0 && column + columns <= m_table.ColCount());
    m_table.SwapCells(row, column, block);
    emit dataChanged(index(modelRow(row), column),
                     index(modelRow(row + rows - 1), column + columns - 1),
                     {Qt::DisplayRole, Qt::EditRole});
    return block;
}

}  // namespace corvalen
