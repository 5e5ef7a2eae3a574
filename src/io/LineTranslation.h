#pragma once

#include <string>
#include <string_view>

#include "io/Messages.h"

// The converter's summary lines and the core's refusals (an Error's text) are still English
// sentences when they are made; this says one in another language by finding it as the text of
// a catalogue kind and putting its values into that kind's template. Reports of problems are
// never read back this way: a Diagnostic holds its values and is said in the language at once
// (Messages.h).

namespace corvalen {

// `line` in `language`: a "corvalen-cli: " start is kept, a "line 3: " or "row 2, Frequency: "
// start said in the language, and the rest as a catalogue kind's text, or piece by piece between
// "; " when it is none as a whole. A text the catalogue does not know stays as it is.
std::string TranslatedLine(std::string_view line, Language language);

}  // namespace corvalen
