#pragma once

#include <QAbstractTableModel>

#include "table/MemoryTable.h"

namespace corvalen {

// The memory table as the grid sees it. Model row i is channel row i + 1 of the table; the
// table's row 0 (the captions) is the horizontal header. Every change to the table goes through
// this class, so the view always hears about it through the model's signals.
class MemoryTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit MemoryTableModel(MemoryTable table = MemoryTable::StartupLayout(),
                              QObject* parent = nullptr);

    const MemoryTable& table() const { return m_table; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Replaces the whole table, as an import does.
    void replaceTable(MemoryTable table);

    // The row commands. Rows are table rows (1 = first channel row); each returns or works on
    // table rows so callers never mix them up with model rows.
    // "Add Row": returns the new row.
    int addRow();
    // "Insert Row" below `selectionEndRow`: returns the new row.
    int insertRowBelow(int selectionEndRow);
    // "Delete Row(s)" for the rows first..last (clipped to the channel rows), then renumbers.
    void deleteRows(int first, int last);
    // "Re-Index": renumbers the Number column 1..n.
    void reIndex();

    static int modelRow(int tableRow) { return tableRow - 1; }
    static int tableRow(int modelRow) { return modelRow + 1; }

private:
    void numbersChanged();

    MemoryTable m_table;
};

}  // namespace corvalen
