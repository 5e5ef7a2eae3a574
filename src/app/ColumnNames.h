#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

namespace corvalen {

// The names of the table's columns in the user's language: headings, tooltips naming the CSV
// header, and names in lists, which tell the seven columns headed "x" apart.
class ColumnNames {
    Q_DECLARE_TR_FUNCTIONS(ColumnNames)

public:
    // "Frequency", "x".
    static QString Heading(int column);
    // "CSV header: Secondary squelch type".
    static QString ToolTip(int column);
    // "Frequency", "x (Secondary squelch type)", "x (reserved, column 5)".
    static QString ListName(int column);
    // The receiver's mode names, in the order of their codes: what the Mode boxes offer.
    static QStringList ModeNames();
    // The grid and the printout align it right, and a sort orders its numbers as numbers.
    static bool IsNumeric(int column);
};

}  // namespace corvalen
