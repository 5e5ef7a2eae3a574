#pragma once

#include <QString>

#include "convert/FrequencyText.h"

namespace corvalen {

// The core writes numbers with the point; the editor shows them with the decimal separator of
// the user's language ("7,005 MHz" in German) and reads either where the user types.

// The user's decimal separator when it is one ASCII character ("," in German), else ".": what
// the frequency readers take beside the point.
char OtherDecimalPoint();

QString UnitName(FrequencyUnit unit);

// A Frequency cell as the grid shows it in `unit`, and as its editor starts, with the language's
// decimal separator; text that is no whole number of Hz stands as it is.
QString FrequencyShown(const QString& cell, FrequencyUnit unit);
QString FrequencyForEditing(const QString& cell, FrequencyUnit unit);

}  // namespace corvalen
