#pragma once

#include <QString>

#include "convert/FrequencyText.h"

namespace corvalen {

// The core writes numbers with the point; the editor shows them with the decimal separator of
// the user's language ("7,005 MHz" in German) and reads either where the user types.

// The user's decimal separator when it is one ASCII character ("," in German), else ".": what
// the frequency readers take beside the point.
char OtherDecimalPoint();

// A number the core wrote with the point ("146.520000", "7.005 MHz"), with the language's
// decimal separator in place of the point.
QString WithLocalDecimalPoint(QString number);

// "Hz", "kHz" or "MHz".
QString UnitName(FrequencyUnit unit);

// A Frequency cell as the grid and the printed list show it in `unit` (FrequencyCellShown), and
// as its editor starts (FrequencyCellForEditing), with the language's decimal separator; text
// that is no whole number of Hz stands as it is.
QString FrequencyShown(const QString& cell, FrequencyUnit unit);
QString FrequencyForEditing(const QString& cell, FrequencyUnit unit);

}  // namespace corvalen
