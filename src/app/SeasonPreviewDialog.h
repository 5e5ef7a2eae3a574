#pragma once

#include <QAbstractTableModel>
#include <QDialog>
#include <string>
#include <vector>

#include "formats/SeasonUpdate.h"

namespace corvalen {

// One list of a season update: Number, Frequency, Callsign, Comments (and new Comments) of rows.
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

// "Update Schedule Channels": what the update does, as counts and four lists. Apply accepts.
class SeasonPreviewDialog : public QDialog {
    Q_OBJECT

public:
    SeasonPreviewDialog(const MemoryTable& table, const SeasonUpdate& update,
                        const QString& fileName, QWidget* parent = nullptr);
};

}  // namespace corvalen
