#pragma once

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "io/Diagnostic.h"
#include "io/MessageKind.h"

// The message catalogue: every kind of message the core and the converter give, its English
// text and its German text, in one place. The English text is the one the program builds (the
// checks build their messages piece by piece, as fast as they can); the catalogue's template
// says which parts of it vary, so a message can be shown in German by reading the values out of
// the English text and putting them into the German template.
//
// Placeholders: {1} ... {9} a value shown as it stands (a cell, a number, a file name); {c} a
// column name; {w1} ... {w9} a value of a few English words ("3 channels", "group 2", "Frequency
// and Mode") whose words the catalogue translates; {r} a reason, itself a message (what the
// operating system said). A placeholder may come twice; it then stands for the same text.

namespace corvalen {

enum class Language { English, German };

struct MessageTemplate {
    MessageKind kind;
    std::string_view english;
    std::string_view german;
    // The placeholder whose value belongs to the kind when reports group messages (the mode of
    // "Mode "WFM" is not a mode the receiver knows": one group per mode), 0 for none.
    int groupBy = 0;
};

// Every kind but Other, in the order of MessageKind.
std::span<const MessageTemplate> MessageCatalogue();
const MessageTemplate& TemplateOf(MessageKind kind);

// The language messages are given in: German where the environment's locale says so (LC_ALL,
// else LC_MESSAGES, else LANG, the first that is set, starting with "de"), else English.
Language LanguageFromEnvironment();

// The English text of `kind` with its placeholders filled by `values` ({1} the first value, {2}
// the second, ...; {c} and {r} count as placeholders in the order they first appear).
std::string FormatMessage(MessageKind kind, std::span<const std::string_view> values,
                          Language language = Language::English);
inline std::string FormatMessage(MessageKind kind, std::initializer_list<std::string_view> values,
                                 Language language = Language::English) {
    return FormatMessage(kind, std::span<const std::string_view>(values.begin(), values.size()),
                         language);
}

// `english` in `language`: found as the text of `kind` (any kind when kind is Other) with its
// values put into that language's template. A text the catalogue does not know stays as it is.
std::string Localized(std::string_view english, Language language,
                      MessageKind kind = MessageKind::Other);
// A Diagnostic's message in `language`.
inline std::string LocalizedMessage(const Diagnostic& diagnostic, Language language) {
    return Localized(diagnostic.message, language, diagnostic.kind);
}

// One line of the converter's output in `language`: a "row 7: ", "line 3: ", "record 5: " or
// "corvalen-cli: " start and a "row 2, Frequency: " start are kept (translated), the rest is
// translated as a message, or piece by piece between "; " when it is no message as a whole.
std::string LocalizedLine(std::string_view line, Language language);

// Whether `english` is the text of `kind`, values put in (a tally's " (and 2 later rows)" at
// its end allowed).
bool IsTextOf(MessageKind kind, std::string_view english);

// The value that groups `diagnostic` with others of its kind (see MessageTemplate::groupBy);
// empty when its kind has none.
std::string GroupValue(const Diagnostic& diagnostic);

// A column's name (as the CSV header names it) in `language`.
std::string_view ColumnNameIn(std::string_view englishName, Language language);

// "row", "line" or "record" in `language`, and the word for the channel number a file gives.
std::string_view PlaceWord(Diagnostic::Place place, Language language);

}  // namespace corvalen
