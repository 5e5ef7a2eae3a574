#include "app/LocalNumbers.h"

#include <QLocale>

#include "channel/CellValues.h"

namespace corvalen {

char OtherDecimalPoint() {
    const QString point = QLocale().decimalPoint();
    return point.size() == 1 && point[0].unicode() < 0x80 ? static_cast<char>(point[0].unicode())
                                                          : '.';
}

namespace {

// The core's text for a cell in `unit`; only a text it made from whole Hz (which then differs
// from the cell) gets the language's separator, other cell text is shown as the file has it.
QString Localized(const QString& cell, FrequencyUnit unit,
                  std::string (*convert)(std::string_view, FrequencyUnit)) {
    if (unit == FrequencyUnit::Hz) {
        return cell;
    }
    const QString text = QString::fromStdString(convert(cell.toStdString(), unit));
    return text == cell ? text : QString(text).replace(QLatin1Char('.'), QLocale().decimalPoint());
}

}  // namespace

QString FrequencyShown(const QString& cell, FrequencyUnit unit) {
    return Localized(cell, unit, FrequencyCellShown);
}

QString FrequencyForEditing(const QString& cell, FrequencyUnit unit) {
    return Localized(cell, unit, FrequencyCellForEditing);
}

QString UnitName(FrequencyUnit unit) {
    switch (unit) {
        case FrequencyUnit::kHz:
            return QStringLiteral("kHz");
        case FrequencyUnit::MHz:
            return QStringLiteral("MHz");
        case FrequencyUnit::Hz:
            break;
    }
    return QStringLiteral("Hz");
}

}  // namespace corvalen
