#pragma once

// The tables and files the tests build, in one place.

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
#include <QStringList>
#include <string>

#include "channel/ReceiverModel.h"
#include "csv/CsvReader.h"
#include "table/MemoryTable.h"

namespace testing {

// `channels` channels the .g3m writer takes as they stand: channel n has Number n, Frequency
// 7000000 + 5000 n, callsign "C<n>", group n % 3 + 1, and a comment with letters beyond ASCII.
inline corvalen::MemoryTable Channels(int channels) {
    corvalen::MemoryTable table = corvalen::MemoryTable::ImportLayout();
    table.ReserveChannels(channels);
    for (int n = 1; n <= channels; ++n) {
        table.AppendRow({std::to_string(n), std::to_string(7000000 + 5000 * n), "2400", "-1500", "",
                         "", "", "", "", std::to_string(n % 3 + 1), "0", "0", "0", "-100", "", "",
                         "USB", "C" + std::to_string(n), "R\u00e1dio Amaz\u00f4nia, 49 m"});
    }
    return table;
}

// A table whose rows have these Numbers, row k (from 0) Frequency 7000000 + 1000 k, Callsign
// "R<k + 1>".
inline corvalen::MemoryTable RowsNumbered(const QList<int>& numbers) {
    corvalen::MemoryTable table = corvalen::MemoryTable::ImportLayout();
    for (qsizetype row = 0; row < numbers.size(); ++row) {
        table.AppendRow({std::to_string(numbers[row]), std::to_string(7000000 + 1000 * row), "2400",
                         "0", "", "", "", "", "", "", "0", "0", "0", "-100", "", "", "USB",
                         "R" + std::to_string(row + 1), ""});
    }
    return table;
}

// The texts of one column of every channel row.
inline QStringList ColumnTexts(const corvalen::MemoryTable& table, int column) {
    QStringList texts;
    for (int row = 1; row < table.RowCount(); ++row) {
        texts << QString::fromStdString(std::string(table.CellText(row, column)));
    }
    return texts;
}

inline QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The receiver CSV file at `path`, read as the editor reads its bytes (no file: no rows).
inline corvalen::CsvImport ReadCsvFile(const QString& path) {
    const QByteArray bytes = ReadBytes(path);
    return corvalen::ReadCsvMemory(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

// The receiver model a test row names ("313").
inline corvalen::ReceiverModel Model(const QString& name) {
    return corvalen::ReceiverModel::FromText(name.toStdString()).value();
}

}  // namespace testing
