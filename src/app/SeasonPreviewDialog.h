#pragma once

#include <QAbstractTableModel>
#include <QDialog>
#include <string>
#include <vector>

#include "formats/SeasonUpdate.h"

namespace corvalen {

// The rows of one list of a season update, read (not copied) from their table: Number,
// Frequency, Callsign and Comments, and for updated rows their new Comments.
class SeasonRowsModel : public QAbstractTableModel {
    Q_OBJECT

public:
    // `rows`: table rows of `table` (from 1); `newComments`: one per row, or none.
    SeasonRowsModel(const MemoryTable& table, std::vector<int> rows,
                    std::vector<std::string> newComments, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override {
        return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
    }
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    const MemoryTable& m_table;
    std::vector<int> m_rows;
    std::vector<std::string> m_newComments;
};

// "Update Schedule Channels": what updating the table's schedule channels with a new season
// does, as counts and as four lists, before anything changes. Apply accepts the dialog.
class SeasonPreviewDialog : public QDialog {
    Q_OBJECT

public:
    SeasonPreviewDialog(const MemoryTable& table, const SeasonUpdate& update,
                        const QString& fileName, QWidget* parent = nullptr);
};

}  // namespace corvalen
