#include "app/ColumnNames.h"

#include "app/StatusText.h"
#include "channel/ChannelFields.h"
#include "table/Columns.h"

namespace corvalen {

namespace {

constexpr const char* kHeadings[kImportedColumnCount] = {
    QT_TRANSLATE_NOOP("ColumnNames", "Number"),
    QT_TRANSLATE_NOOP("ColumnNames", "Frequency"),
    QT_TRANSLATE_NOOP("ColumnNames", "Bandwidth"),
    QT_TRANSLATE_NOOP("ColumnNames", "IF Shift"),
    "x",
    "x",
    "x",
    "x",
    "x",
    QT_TRANSLATE_NOOP("ColumnNames", "Groups"),
    QT_TRANSLATE_NOOP("ColumnNames", "Hotkey"),
    QT_TRANSLATE_NOOP("ColumnNames", "Lockout"),
    QT_TRANSLATE_NOOP("ColumnNames", "Priority"),
    QT_TRANSLATE_NOOP("ColumnNames", "Level Squelch"),
    "x",
    "x",
    QT_TRANSLATE_NOOP("ColumnNames", "Mode"),
    QT_TRANSLATE_NOOP("ColumnNames", "Callsign"),
    QT_TRANSLATE_NOOP("ColumnNames", "Comments"),
};

bool IsUnnamed(int column) {
    return column >= 0 && column < kImportedColumnCount && kHeadings[column][0] == 'x' &&
           kHeadings[column][1] == '\0';
}

}  // namespace

QString ColumnNames::Heading(int column) {
    if (column < 0 || column >= kImportedColumnCount) {
        return tr("Column %1").arg(column + 1);
    }
    return IsUnnamed(column) ? QStringLiteral("x") : tr(kHeadings[column]);
}

QString ColumnNames::ToolTip(int column) {
    if (column < 0 || column >= kImportedColumnCount) {
        return {};
    }
    const std::string_view name = kCsvHeaderNames[static_cast<std::size_t>(column)];
    const QString header = QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
    return tr("CSV header: %1")
        .arg(column >= Reserved4 && column <= Reserved8
                 ? tr("%1, column %2").arg(header).arg(column + 1)
                 : header);
}

QString ColumnNames::ListName(int column) {
    if (!IsUnnamed(column)) {
        return Heading(column);
    }
    // The two squelch columns by what they hold, the reserved ones by their place, all in the
    // user's language (the CSV header's own word "reserved" stays in the tooltip).
    if (column == SecondarySquelchType) {
        return tr("x (Secondary squelch type)");
    }
    if (column == SecondarySquelchValue) {
        return tr("x (Secondary squelch value)");
    }
    return tr("x (reserved, column %1)").arg(column + 1);
}

QStringList ColumnNames::ModeNames() {
    QStringList names;
    for (std::uint32_t code = 0; code < 32; ++code) {
        if (const std::string_view name = ModeName(code); !name.empty()) {
            names << FromUtf8(name);
        }
    }
    return names;
}

bool ColumnNames::IsNumeric(int column) {
    return (column >= Number && column <= IfShift) ||
           (column >= Hotkey && column <= SecondarySquelchValue);
}

}  // namespace corvalen
