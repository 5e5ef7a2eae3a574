#include "io/Messages.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdlib>
#include <optional>
#include <utility>
#include <vector>

#include "convert/TextLines.h"
#include "table/Columns.h"

namespace corvalen {

namespace {

using K = MessageKind;

// Every kind's texts, in the order of MessageKind, made from io/MessageCatalogue.txt.
constexpr MessageTemplate kCatalogue[] = {
#include "MessageCatalogue.inc"
};

// Words a text takes as values, English and German: column names, system reasons, phrases.
constexpr std::pair<std::string_view, std::string_view> kWords[] = {
#include "MessageWords.inc"
};

// `english` in `language`: the German of a word of the catalogue, else as it stands.
std::string_view WordIn(std::string_view english, Language language) {
    using Word = std::pair<std::string_view, std::string_view>;
    const auto* found = language == Language::German
                            ? std::ranges::find(kWords, english, &Word::first)
                            : std::end(kWords);
    return found != std::end(kWords) ? found->second : english;
}

// The nouns of counts, in the order of CountNoun: the placeholder's name ("{1:field}"), the
// singular and plural in English and German.
struct Noun {
    std::string_view key;
    std::string_view english[2];
    std::string_view german[2];
};
constexpr Noun kNouns[] = {
#include "MessageNouns.inc"
};

// One placeholder of a template: {N}, {N:type} or {c}.
struct Placeholder {
    std::size_t begin = 0;  // of the "{"
    std::size_t end = 0;    // after the "}"
    int value = 0;          // from 1; 0 for {c}
    std::string_view type;  // after the ":", empty for none
};

// The placeholder that starts at `at` (a "{"), if it is one.
std::optional<Placeholder> PlaceholderAt(std::string_view text, std::size_t at) {
    const std::size_t close = text.find('}', at);
    if (close == std::string_view::npos || close - at > 20) {
        return std::nullopt;
    }
    const std::string_view inside = text.substr(at + 1, close - at - 1);
    Placeholder placeholder;
    placeholder.begin = at;
    placeholder.end = close + 1;
    if (inside == "c") {
        return placeholder;
    }
    if (inside.empty() || inside[0] < '1' || inside[0] > '9') {
        return std::nullopt;
    }
    placeholder.value = inside[0] - '0';
    if (inside.size() > 1) {
        if (inside[1] != ':') {
            return std::nullopt;
        }
        placeholder.type = inside.substr(2);
    }
    return placeholder;
}

// The values (bit 0 for {1}) that `text` names.
unsigned ValuesNamed(std::string_view text) {
    unsigned named = 0;
    for (std::size_t at = text.find('{'); at != std::string_view::npos;
         at = text.find('{', at + 1)) {
        if (const std::optional<Placeholder> placeholder = PlaceholderAt(text, at);
            placeholder && placeholder->value > 0) {
            named |= 1u << (placeholder->value - 1);
        }
    }
    return named;
}

std::size_t CountOf(std::string_view digits) {
    std::size_t count = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), count);
    return count;
}

std::string GroupsIn(std::string_view numbers, Language language) {
    const bool german = language == Language::German;
    if (numbers.empty()) {
        return german ? "keine Gruppe" : "no group";
    }
    const bool several = numbers.find(',') != std::string_view::npos;
    return std::string(german ? (several ? "Gruppen " : "Gruppe ")
                              : (several ? "groups " : "group ")) +
           std::string(numbers);
}

// Names separated by "\n" as "A, B and C" (`lastJoin` " and "); a last name "+N" says N more.
std::string ListIn(std::string_view names, Language language, std::string_view lastJoin) {
    const std::vector<std::string_view> items = Split(names, '\n');
    std::string list;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const std::string_view item = items[i];
        list.append(i == 0 ? "" : i + 1 == items.size() ? lastJoin : ", ");
        if (i > 0 && i + 1 == items.size() && item.starts_with('+')) {
            list.append(item.substr(1)).append(language == Language::German ? " weitere" : " more");
        } else {
            // A column's name, perhaps followed by a value ("Bandwidth \"2400\"").
            std::string_view name;
            for (const std::string_view column : kCsvHeaderNames) {
                if (item.starts_with(column) && column.size() > name.size() &&
                    (item.size() == column.size() || item[column.size()] == ' ')) {
                    name = column;
                }
            }
            list.append(WordIn(name, language)).append(item.substr(name.size()));
        }
    }
    return list;
}

void AppendValue(std::string& out, const Placeholder& placeholder, std::string_view value,
                 Language language) {
    const std::string_view type = placeholder.type;
    const bool german = language == Language::German;
    if (type.empty()) {
        out.append(value);
    } else if (type == "groups") {
        out.append(GroupsIn(value, language));
    } else if (type == "list" || type == "or" || type == "names") {
        out.append(ListIn(value, language,
                          type == "names" ? ", "
                          : type == "or"  ? (german ? " oder " : " or ")
                                          : (german ? " und " : " and ")));
    } else if (type == "file" || type == "output") {
        if (value == "-") {
            out.append(type == "file" ? (german ? "die Standardeingabe" : "standard input")
                                      : (german ? "in die Standardausgabe" : "to standard output"));
        } else {
            out.append("\"").append(value).append("\"");
        }
    } else if (type == "phrase" || type == "reason") {
        out.append(WordIn(value, language));
    } else if (type == "later") {
        if (const std::size_t count = CountOf(value); count > 0) {
            out.append(german ? " (und " : " (and ")
                .append(value)
                .append(count == 1 ? (german ? " spätere Zeile)" : " later row)")
                                   : (german ? " spätere Zeilen)" : " later rows)"));
        }
    } else {
        const auto* noun = std::ranges::find(kNouns, type, &Noun::key);
        out.append(noun == std::end(kNouns)
                       ? std::string(value)
                       : Counted(CountOf(value), static_cast<CountNoun>(noun - kNouns), language));
    }
}

// `values` is a span of texts or a MessageValues.
template <typename Values>
std::string Fill(std::string_view templateText, const Values& values, int column,
                 Language language) {
    std::string out;
    out.reserve(templateText.size() + 32);
    std::size_t done = 0;
    for (std::size_t at = templateText.find('{'); at != std::string_view::npos;
         at = templateText.find('{', at + 1)) {
        const std::optional<Placeholder> placeholder = PlaceholderAt(templateText, at);
        if (!placeholder) {
            continue;
        }
        out.append(templateText.substr(done, at - done));
        if (placeholder->value == 0) {
            out.append(ColumnNameIn(column, language));
        } else if (static_cast<std::size_t>(placeholder->value) <= values.size()) {
            AppendValue(out, *placeholder,
                        std::string_view(values[static_cast<std::size_t>(placeholder->value - 1)]),
                        language);
        }
        done = placeholder->end;
        at = placeholder->end - 1;
    }
    out.append(templateText.substr(done));
    return out;
}

// Whether the sentence of `kind` says all that a group of it shares: it names no value but
// those the group is keyed by.
bool SentenceIsShared(const MessageTemplate& entry) {
    return (ValuesNamed(entry.english) & ~entry.groupBy) == 0;
}

const std::string_view kSame = "";

}  // namespace

std::span<const MessageTemplate> MessageCatalogue() {
    return kCatalogue;
}

const MessageTemplate& TemplateOf(MessageKind kind) {
    return kCatalogue[static_cast<std::size_t>(kind)];
}

std::string_view TemplateText(MessageKind kind, TemplatePart part, Language language) {
    const MessageTemplate& entry = TemplateOf(kind);
    const bool german = language == Language::German;
    switch (part) {
        case TemplatePart::Sentence:
            return german ? entry.german : entry.english;
        case TemplatePart::Heading:
            if (entry.headingEnglish.empty()) {
                // A sentence that names only shared values is the heading itself.
                return SentenceIsShared(entry) ? (german ? entry.german : entry.english) : kSame;
            }
            return german ? entry.headingGerman : entry.headingEnglish;
        case TemplatePart::Member:
            if (entry.headingEnglish.empty()) {
                return kSame;
            }
            return german && !entry.memberGerman.empty() ? entry.memberGerman : entry.memberEnglish;
    }
    return kSame;
}

unsigned GroupedValues(MessageKind kind) {
    // Asked for every problem grouped: worked out once for every kind.
    static const std::array<unsigned, std::size(kCatalogue)> values = [] {
        std::array<unsigned, std::size(kCatalogue)> all{};
        for (std::size_t k = 0; k < all.size(); ++k) {
            const MessageTemplate& entry = kCatalogue[k];
            // Without a heading of its own, a group shares every value its sentence names.
            all[k] = entry.headingEnglish.empty() ? ValuesNamed(entry.english) : entry.groupBy;
        }
        return all;
    }();
    const auto index = static_cast<std::size_t>(kind);
    return index < values.size() ? values[index] : 0;
}

const MessageTexts& CatalogueTexts(Language language) {
    static const MessageTexts english(Language::English);
    static const MessageTexts german(Language::German);
    return language == Language::German ? german : english;
}

Language LanguageFromEnvironment() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') {
            return std::string_view(value).starts_with("de") ? Language::German : Language::English;
        }
    }
    return Language::English;
}

std::string FillTemplate(std::string_view templateText, std::span<const std::string_view> values,
                         int column, Language language) {
    return Fill(templateText, values, column, language);
}

std::string FillTemplate(std::string_view templateText, const MessageValues& values, int column,
                         Language language) {
    return Fill(templateText, values, column, language);
}

std::string FormatMessage(MessageKind kind, const MessageValues& values, Language language,
                          int column) {
    return Fill(TemplateText(kind, TemplatePart::Sentence, language), values, column, language);
}

std::string Sentence(const MessageTexts& texts, MessageKind kind,
                     std::initializer_list<std::string_view> values) {
    return Fill(texts.Template(kind, TemplatePart::Sentence),
                std::span<const std::string_view>(values.begin(), values.size()), -1,
                texts.language());
}

std::string MessageText(const Diagnostic& diagnostic, const MessageTexts& texts) {
    return FillTemplate(texts.Template(diagnostic.kind, TemplatePart::Sentence), diagnostic.args,
                        diagnostic.column, texts.language());
}

std::string MessageText(const Diagnostic& diagnostic, Language language) {
    return FormatMessage(diagnostic.kind, diagnostic.args, language, diagnostic.column);
}

std::string GroupHeading(const Diagnostic& diagnostic, const MessageTexts& texts) {
    return FillTemplate(texts.Template(diagnostic.kind, TemplatePart::Heading), diagnostic.args,
                        diagnostic.column, texts.language());
}

std::string MemberDetail(const Diagnostic& diagnostic, const MessageTexts& texts) {
    // A kind whose heading cannot say what its members share shows each one's whole sentence.
    if (texts.Template(diagnostic.kind, TemplatePart::Heading).empty()) {
        return MessageText(diagnostic, texts);
    }
    std::string detail = FillTemplate(texts.Template(diagnostic.kind, TemplatePart::Member),
                                      diagnostic.args, diagnostic.column, texts.language());
    // A tally's " (and 2 later rows)" alone.
    if (detail.starts_with(' ')) {
        detail.erase(0, 1);
    }
    return detail;
}

std::string ErrorSentence(const Error& error, const MessageTexts& texts) {
    std::string text = FillTemplate(texts.Template(error.kind, TemplatePart::Sentence),
                                    error.values, -1, texts.language());
    if (error.file.empty()) {
        return text;
    }
    return Sentence(texts, error.step, {error.file, text});
}

std::string ErrorSentence(const Error& error, Language language) {
    return ErrorSentence(error, CatalogueTexts(language));
}

std::string DiagnosticLine(const Diagnostic& diagnostic, Language language) {
    return FormatMessage(PlaceKind(diagnostic.place), {std::to_string(diagnostic.number)},
                         language) +
           ": " + MessageText(diagnostic, language);
}

void AppendDiagnosticLine(const Diagnostic& diagnostic, std::string& out) {
    const char* where = diagnostic.place == Diagnostic::Place::Line  ? "line "
                        : diagnostic.place == Diagnostic::Place::Row ? "row "
                                                                     : "record ";
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, diagnostic.number).ptr;
    out.append(where).append(digits, end).append(": ").append(MessageText(diagnostic));
}

std::string Counted(std::size_t count, CountNoun noun, Language language) {
    const Noun& entry = kNouns[static_cast<std::size_t>(noun)];
    const auto& forms = language == Language::German ? entry.german : entry.english;
    return std::to_string(count) + " " + std::string(forms[count == 1 ? 0 : 1]);
}

std::string GroupedDigits(unsigned long long value) {
    std::string digits = std::to_string(value);
    for (std::size_t at = digits.size(); at > 3; at -= 3) {
        digits.insert(at - 3, 1, ',');
    }
    return digits;
}

CountNoun PlaceNoun(Diagnostic::Place place) {
    return place == Diagnostic::Place::Line  ? CountNoun::Line
           : place == Diagnostic::Place::Row ? CountNoun::Channel
                                             : CountNoun::Record;
}

MessageKind PlaceKind(Diagnostic::Place place) {
    return place == Diagnostic::Place::Line  ? MessageKind::PlaceLine
           : place == Diagnostic::Place::Row ? MessageKind::PlaceRow
                                             : MessageKind::PlaceRecord;
}

std::string ColumnNameIn(int column, Language language) {
    if (column < 0) {
        return {};
    }
    if (column >= kImportedColumnCount) {
        return (language == Language::German ? "Spalte " : "column ") + std::to_string(column + 1);
    }
    const std::string_view name = kCsvHeaderNames[static_cast<std::size_t>(column)];
    if (name == "reserved") {
        return (language == Language::German ? "reserviertes Feld " : "reserved field ") +
               std::to_string(column);
    }
    return std::string(WordIn(name, language));
}

}  // namespace corvalen
