#include "app/MemoryTableModel.h"

#include <algorithm>
#include <utility>

#include "table/RowCommands.h"

namespace corvalen {

MemoryTableModel::MemoryTableModel(MemoryTable table, QObject* parent)
    : QAbstractTableModel(parent), m_table(std::move(table)) {}

int MemoryTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_table.ChannelCount();
}

int MemoryTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_table.ColCount();
}

QVariant MemoryTableModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid)) {
        return {};
    }
    if (role != Qt::DisplayRole && role != Qt::EditRole) {
        return {};
    }
    return QString::fromStdString(m_table.CellText(tableRow(index.row()), index.column()));
}

bool MemoryTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !checkIndex(index, CheckIndexOption::IndexIsValid)) {
        return false;
    }
    std::string text = value.toString().toStdString();
    if (text == m_table.CellText(tableRow(index.row()), index.column())) {
        return true;
    }
    m_table.SetCellText(tableRow(index.row()), index.column(), std::move(text));
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

QVariant MemoryTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < m_table.ColCount()) {
        return QString::fromStdString(m_table.Caption(section));
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags MemoryTableModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

void MemoryTableModel::replaceTable(MemoryTable table) {
    beginResetModel();
    m_table = std::move(table);
    endResetModel();
}

int MemoryTableModel::addRow() {
    const int row = m_table.RowCount();
    beginInsertRows(QModelIndex(), modelRow(row), modelRow(row));
    const int added = AddRow(m_table);
    endInsertRows();
    Q_ASSERT(added == row);
    return added;
}

int MemoryTableModel::insertRowBelow(int selectionEndRow) {
    const int row = InsertPosition(m_table, selectionEndRow);
    beginInsertRows(QModelIndex(), modelRow(row), modelRow(row));
    const int inserted = InsertRow(m_table, selectionEndRow);
    endInsertRows();
    Q_ASSERT(inserted == row);
    return inserted;
}

void MemoryTableModel::deleteRows(int first, int last) {
    if (first > last) {
        std::swap(first, last);
    }
    first = std::max(first, 1);
    last = std::min(last, m_table.RowCount() - 1);
    if (first > last) {
        return;
    }
    // The two steps of "Delete Row(s)", each under its own signal: views first hear that the
    // (already clipped) rows went, then that the Number column was renumbered.
    beginRemoveRows(QModelIndex(), modelRow(first), modelRow(last));
    m_table.RemoveRows(first, last);
    endRemoveRows();
    reIndex();
}

void MemoryTableModel::reIndex() {
    ReIndex(m_table);
    numbersChanged();
}

void MemoryTableModel::numbersChanged() {
    if (m_table.ChannelCount() > 0) {
        emit dataChanged(index(0, Column::Number), index(rowCount() - 1, Column::Number),
                         {Qt::DisplayRole, Qt::EditRole});
    }
}

}  // namespace corvalen
