#pragma once

// The tables and files the tests build, in one place.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTest>
#include <string>

#include "channel/ReceiverModel.h"
#include "csv/CsvReader.h"
#include "io/Messages.h"
#include "table/Columns.h"
#include "table/MemoryTable.h"

namespace testing {

// The header line of an EiBi schedule.
inline const QByteArray kEibiHeader =
    "kHz:75;Time(UTC):93;Days:59;ITU:49;Station:201;Lng:49;Target:62;Remarks:135;P:35;Start:60;"
    "Stop:60;\r\n";

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

// The text of one cell.
inline QString Cell(const corvalen::MemoryTable& table, int row, int column) {
    return QString::fromStdString(std::string(table.CellText(row, column)));
}

// Every cell of one row.
inline QStringList CellTexts(const corvalen::MemoryTable& table, int row) {
    QStringList cells;
    for (int column = 0; column < table.ColCount(); ++column) {
        cells << Cell(table, row, column);
    }
    return cells;
}

// The 19 cells of a row, empty but for these.
inline QStringList RowOf(std::initializer_list<std::pair<int, QString>> cells) {
    QStringList row(corvalen::kImportedColumnCount);
    for (const auto& [column, text] : cells) {
        row[column] = text;
    }
    return row;
}

// What reports say, a line each, as the converter prints them.
inline QByteArray DiagnosticLines(const std::vector<corvalen::Diagnostic>& diagnostics) {
    QByteArray lines;
    for (const corvalen::Diagnostic& diagnostic : diagnostics) {
        lines += QByteArray::fromStdString(corvalen::DiagnosticLine(diagnostic)) + '\n';
    }
    return lines;
}

// The texts of one column of every channel row.
inline QStringList ColumnTexts(const corvalen::MemoryTable& table, int column) {
    QStringList texts;
    for (int row = 1; row < table.RowCount(); ++row) {
        texts << Cell(table, row, column);
    }
    return texts;
}

// One test row per folder under `root`, named as the folder, its path in the column "folder".
inline void AddFolderRows(const QString& root) {
    QTest::addColumn<QString>("folder");
    const QDir dir(root);
    for (const QString& name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QTest::newRow(qPrintable(name)) << dir.filePath(name);
    }
}

inline QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// `text` saved as UTF-16 with its byte-order mark, little-endian or big-endian.
inline QByteArray Utf16Bytes(const QString& text, bool little) {
    QByteArray bytes = little ? "\xFF\xFE" : "\xFE\xFF";
    for (const QChar unit : text) {
        const char high = static_cast<char>(unit.unicode() >> 8);
        const char low = static_cast<char>(unit.unicode() & 0xFF);
        bytes.append(little ? low : high).append(little ? high : low);
    }
    return bytes;
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
