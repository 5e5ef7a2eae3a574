#pragma once

#include <cstddef>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "io/Diagnostic.h"
#include "io/MessageKind.h"
#include "io/Result.h"

// The message catalogue: every kind of message the core and the converter give, in English and
// German. Each kind has three templates: its sentence, the heading of a group of such messages
// (what every member shares) and a member's detail (what each has of its own). A kind without a
// heading groups by all its values; one whose heading is empty and that has values of its own
// shows each member's whole sentence.
//
// Placeholders: {1} ... {9} a value as it stands (a cell as quoted, a number, a file name); {c}
// the name of the message's column; and a value said in the message's language:
//   {N:noun}   a count with its noun ("3 fields", "1 Feld"), nouns of CountNoun;
//   {N:groups} group numbers "1, 3" as "groups 1, 3", "" as "no group";
//   {N:list}   names separated by "\n", as "A, B and C" (column names said in the language; a
//              last name "+N" is "N more"); {N:or} the same as "A, B or C", {N:names} "A, B, C";
//   {N:file}   a file name in quotes, "-" as standard input ({N:output}: to standard output);
//   {N:phrase} one of a few fixed names ("SDR# list");
//   {N:reason} what the operating system or a parser said;
//   {N:later}  a count of later rows told with the first: " (and 2 later rows)", empty for 0.

namespace corvalen {

enum class Language { English, German };

struct MessageTemplate {
    MessageKind kind;
    std::string_view english;
    std::string_view german;
    std::string_view headingEnglish = {};
    std::string_view headingGerman = {};
    std::string_view memberEnglish = {};
    std::string_view memberGerman = {};  // empty: the same as the English
    // The values (bit 0 for {1}, bit 1 for {2}, ...) a group of this kind is keyed by: members
    // of one group have the same values there. 0 with a heading: none.
    unsigned groupBy = 0;
};

// Which of a kind's templates.
enum class TemplatePart { Sentence, Heading, Member };

// Every kind, in the order of MessageKind.
std::span<const MessageTemplate> MessageCatalogue();
const MessageTemplate& TemplateOf(MessageKind kind);
// The template of `part` in `language` (the member's German is its English where none is given;
// a heading that says nothing of its own is empty).
std::string_view TemplateText(MessageKind kind, TemplatePart part, Language language);
// The values a group of `kind` is keyed by (see MessageTemplate::groupBy).
unsigned GroupedValues(MessageKind kind);

// Where the texts of messages come from: the catalogue in one language, or (in the editor) its
// translations. `Template` must return the same text for the same arguments while it lives.
class MessageTexts {
public:
    explicit MessageTexts(Language language) : m_language(language) {}
    virtual ~MessageTexts() = default;
    Language language() const { return m_language; }
    virtual std::string_view Template(MessageKind kind, TemplatePart part) const {
        return TemplateText(kind, part, m_language);
    }

private:
    Language m_language;
};

// The catalogue's texts in `language`.
const MessageTexts& CatalogueTexts(Language language);

// The language messages are given in: German where the environment's locale says so (LC_ALL,
// else LC_MESSAGES, else LANG, the first that is set, starting with "de"), else English.
Language LanguageFromEnvironment();

// `templateText` with its placeholders filled: {N} by values[N - 1], {c} by the name of `column`
// (-1 for none), the typed ones in `language`.
std::string FillTemplate(std::string_view templateText, std::span<const std::string_view> values,
                         int column, Language language);
std::string FillTemplate(std::string_view templateText, const MessageValues& values, int column,
                         Language language);

// The sentence of `kind` with `values`, in `language`.
std::string FormatMessage(MessageKind kind, const MessageValues& values,
                          Language language = Language::English, int column = -1);

// The sentence of `kind` in `texts`, filled with `values`.
std::string Sentence(const MessageTexts& texts, MessageKind kind,
                     std::initializer_list<std::string_view> values);

// A Diagnostic's sentence, its group heading and its member detail (see above).
std::string MessageText(const Diagnostic& diagnostic, const MessageTexts& texts);
std::string MessageText(const Diagnostic& diagnostic, Language language = Language::English);
std::string GroupHeading(const Diagnostic& diagnostic, const MessageTexts& texts);
std::string MemberDetail(const Diagnostic& diagnostic, const MessageTexts& texts);

// An Error's sentence: its kind's, after "Cannot read "FILE": " where it names a file.
std::string ErrorSentence(const Error& error, const MessageTexts& texts);
std::string ErrorSentence(const Error& error, Language language = Language::English);

// "row 7: <message>", "line 12: <message>" or "record 3: <message>", in `language`.
std::string DiagnosticLine(const Diagnostic& diagnostic, Language language = Language::English);
// The same added to `out`, for reports of many lines (English).
void AppendDiagnosticLine(const Diagnostic& diagnostic, std::string& out);

// Counted things, the nouns of the catalogue; Counted(3, CountNoun::Channel, ...) is
// "3 channels", "3 Kanäle".
enum class CountNoun {
#include "CountNouns.inc"
};
std::string Counted(std::size_t count, CountNoun noun, Language language = Language::English);
// A count with its thousands grouped by commas, as the programs write counts: "2,147,483,648".
std::string GroupedDigits(unsigned long long value);
// The noun of a place's count: lines, channels (rows) or records.
CountNoun PlaceNoun(Diagnostic::Place place);
// The kind that names a place: "line 12", "row 7" or "record 3".
MessageKind PlaceKind(Diagnostic::Place place);

// A column's name (as the CSV header names it) in `language`; "column N" past the 19.
std::string ColumnNameIn(int column, Language language);

}  // namespace corvalen
