#include "io/LineTranslation.h"

#include <algorithm>
#include <array>
#include <optional>
#include <utility>
#include <vector>

#include "table/Columns.h"

namespace corvalen {

std::string TranslatedLine(std::string_view line, Language language);

namespace {

// Words and phrases of the lines' values and of "; " pieces no template knows, longest first
// where one starts another.
constexpr std::pair<std::string_view, std::string_view> kWords[] = {
    {"no field", "kein Feld"},
    {"two files", "zwei Dateien"},
    {"no problems or notices", "keine Probleme oder Hinweise"},
    {"a SKED.csv and an OUTPUT file", "eine SKED.csv- und eine OUTPUT-Datei"},
    {"SDR# list", "SDR#-Liste"},
    {"SDR++ list", "SDR++-Liste"},
    {"more group names", "weitere Gruppennamen"},
    {"more group name", "weiteren Gruppennamen"},
    {"later rows", "spätere Zeilen"},
    {"later row", "spätere Zeile"},
    {"entries have", "Einträge haben"},
    {"entry has", "Eintrag hat"},
    {"The filter gives", "Der Filter ergibt"},
    {"The file holds", "Die Datei hält"},
    {"The range makes", "Der Bereich ergibt"},
    {"no more fit", "keine passen mehr"},
    {"more fit", "passen noch"},
    {"writing", "zum Schreiben"},
    {"reading", "zum Lesen"},
    {"checking", "zum Prüfen"},
    {"or", "oder"},
    {"broadcasts", "Sendungen"},
    {"broadcast", "Sendung"},
    {"and the file ends inside a record", "und die Datei endet mitten in einem Datensatz"},
    {"all verify", "alle stimmen"},
    {"bad checksums", "falsche Prüfsummen"},
    {"bad checksum", "falsche Prüfsumme"},
    {"blank lines", "leere Zeilen"},
    {"blank line", "leere Zeile"},
    {"empty rows", "leere Zeilen"},
    {"empty row", "leere Zeile"},
    {"input lines", "Eingabezeilen"},
    {"input line", "Eingabezeile"},
    {"reserved field", "reserviertes Feld"},
    {"no group", "keine Gruppe"},
    {"an INPUT and an OUTPUT file", "eine INPUT- und eine OUTPUT-Datei"},
    {"one FILE.g3m or FILE.15m", "eine FILE.g3m oder FILE.15m"},
    {"one FILE", "eine FILE"},
    {"channels", "Kanäle"},
    {"channel", "Kanal"},
    {"records", "Datensätze"},
    {"record", "Datensatz"},
    {"rows", "Zeilen"},
    {"row", "Zeile"},
    {"lines", "Zeilen"},
    {"line", "Zeile"},
    {"problems", "Probleme"},
    {"problem", "Problem"},
    {"notices", "Hinweise"},
    {"notice", "Hinweis"},
    {"groups", "Gruppen"},
    {"group", "Gruppe"},
    {"fields", "Felder"},
    {"field", "Feld"},
    {"more", "weitere"},
    {"and", "und"},
};

// The column names, each with its German, for the words of a line.
const std::array<std::pair<std::string_view, std::string_view>, kImportedColumnCount> kColumns =
    [] {
        std::array<std::pair<std::string_view, std::string_view>, kImportedColumnCount> names{};
        for (std::size_t i = 0; i < names.size(); ++i) {
            names[i] = {kCsvHeaderNames[i], ColumnNameIn(kCsvHeaderNames[i], Language::German)};
        }
        // Longest first, where one name starts another.
        std::stable_sort(names.begin(), names.end(), [](const auto& a, const auto& b) {
            return a.first.size() > b.first.size();
        });
        return names;
    }();

bool IsWordCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// `text` with every whole word or phrase of kWords and kColumnNames replaced.
std::string TranslateWords(std::string_view text) {
    std::string out;
    std::size_t i = 0;
    while (i < text.size()) {
        const bool wordStart = i == 0 || !IsWordCharacter(text[i - 1]);
        bool replaced = false;
        if (wordStart && IsWordCharacter(text[i])) {
            const auto tryTable = [&](const auto& table) {
                for (const auto& [english, german] : table) {
                    if (text.substr(i).starts_with(english) &&
                        (i + english.size() == text.size() ||
                         !IsWordCharacter(text[i + english.size()]))) {
                        out.append(german);
                        i += english.size();
                        return true;
                    }
                }
                return false;
            };
            replaced = tryTable(kColumns) || tryTable(kWords);
        }
        if (!replaced) {
            out.push_back(text[i++]);
        }
    }
    return out;
}

// The frame of a grouped report's line and the places it names: no line of its own.
bool IsGroupKind(MessageKind kind) {
    return kind >= MessageKind::GroupLine;
}

// One piece of a template: a literal text, or a placeholder.
struct Piece {
    std::string_view literal;
    char type = 0;  // 0 literal; 'v' value, 'c' column, 'w' words, 'r' reason
    int slot = 0;   // values are numbered from 1; {c} takes a slot of its own
};

std::vector<Piece> Pieces(std::string_view text) {
    std::vector<Piece> pieces;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '{') {
            continue;
        }
        const std::size_t close = text.find('}', i);
        if (close == std::string_view::npos || close - i > 20) {
            continue;
        }
        const std::string_view inside = text.substr(i + 1, close - i - 1);
        Piece piece;
        if (inside == "c") {
            piece.type = 'c';
            piece.slot = 20;
        } else if (!inside.empty() && inside[0] >= '1' && inside[0] <= '9' &&
                   (inside.size() == 1 || inside[1] == ':')) {
            // A plain value, a reason (itself a line), or words said in the language.
            const std::string_view type = inside.size() == 1 ? "" : inside.substr(2);
            piece.type = type.empty() ? 'v' : type == "reason" ? 'r' : 'w';
            piece.slot = inside[0] - '0';
        } else {
            continue;
        }
        if (i > start) {
            pieces.push_back({text.substr(start, i - start)});
        }
        pieces.push_back(piece);
        start = close + 1;
        i = close;
    }
    if (start < text.size()) {
        pieces.push_back({text.substr(start)});
    }
    return pieces;
}

using Slots = std::array<std::optional<std::string_view>, 22>;

bool IsColumnName(std::string_view text) {
    return std::find(kCsvHeaderNames.begin(), kCsvHeaderNames.end(), text) != kCsvHeaderNames.end();
}

// Matches `text` against pieces[index...], binding placeholders to the shortest text that lets
// the rest match.
bool Match(const std::vector<Piece>& pieces, std::size_t index, std::string_view text,
           Slots& slots) {
    if (index == pieces.size()) {
        return text.empty();
    }
    const Piece& piece = pieces[index];
    if (piece.type == 0) {
        return text.starts_with(piece.literal) &&
               Match(pieces, index + 1, text.substr(piece.literal.size()), slots);
    }
    std::optional<std::string_view>& slot = slots[static_cast<std::size_t>(piece.slot)];
    if (slot) {
        return text.starts_with(*slot) &&
               Match(pieces, index + 1, text.substr(slot->size()), slots);
    }
    const bool last = index + 1 == pieces.size();
    for (std::size_t length = last ? text.size() : 0; length <= text.size(); ++length) {
        const std::string_view value = text.substr(0, length);
        if (piece.type == 'c' && !IsColumnName(value)) {
            continue;
        }
        slot = value;
        if (Match(pieces, index + 1, text.substr(length), slots)) {
            return true;
        }
    }
    slot.reset();
    return false;
}

std::string Fill(const std::vector<Piece>& pieces, const Slots& slots, Language language) {
    std::string out;
    for (const Piece& piece : pieces) {
        if (piece.type == 0) {
            out.append(piece.literal);
            continue;
        }
        const std::string_view value = slots[static_cast<std::size_t>(piece.slot)].value_or("");
        if (language == Language::English || piece.type == 'v') {
            out.append(value);
        } else if (piece.type == 'c') {
            out.append(ColumnNameIn(value, language));
        } else if (piece.type == 'w') {
            out.append(TranslateWords(value));
        } else {
            out.append(TranslatedLine(value, language));
        }
    }
    return out;
}

// How many characters of a template are fixed text rather than values.
std::size_t LiteralLength(std::string_view templateText) {
    std::size_t length = 0;
    for (const Piece& piece : Pieces(templateText)) {
        length += piece.type == 0 ? piece.literal.size() : 0;
    }
    return length;
}

// The " (and 2 later rows)" that ends a message told once for several rows, or empty.
std::string_view LaterRowsTail(std::string_view text) {
    const std::size_t at = text.rfind(" (and ");
    if (at == std::string_view::npos) {
        return {};
    }
    const std::size_t end = text.find_first_not_of("0123456789", at + 6);
    const std::string_view rest = end == std::string_view::npos ? "" : text.substr(end);
    return end > at + 6 && (rest == " later row)" || rest == " later rows)") ? text.substr(at)
                                                                             : std::string_view();
}

// Matches `text` against a template's pieces, first without a tally's ending (which a value at
// the template's end would otherwise take in); `tail` is the ending left out, if any.
bool MatchMessage(const std::vector<Piece>& pieces, std::string_view text, Slots& slots,
                  std::string_view& tail) {
    tail = LaterRowsTail(text);
    if (!tail.empty() && Match(pieces, 0, text.substr(0, text.size() - tail.size()), slots)) {
        return true;
    }
    tail = {};
    slots = Slots();
    return Match(pieces, 0, text, slots);
}

// `english` as the text of `entry`, with its values put into that entry's text in `language`
// (a tally's ending put back after it); nothing when it is not that entry's text.
std::optional<std::string> TryTemplate(const MessageTemplate& entry, std::string_view english,
                                       Language language) {
    Slots slots;
    std::string_view tail;
    if (!MatchMessage(Pieces(entry.english), english, slots, tail)) {
        return std::nullopt;
    }
    return Fill(Pieces(language == Language::German ? entry.german : entry.english), slots,
                language) +
           (language == Language::German ? TranslateWords(tail) : std::string(tail));
}

// A "; " piece that is no template's text: a reason, or a phrase of known words.
std::string LocalizedPiece(std::string_view piece, Language language) {
    std::optional<std::string> best;
    std::size_t bestLiterals = 0;
    for (const MessageTemplate& entry : MessageCatalogue()) {
        if (IsGroupKind(entry.kind)) {
            continue;
        }
        // The template with the most fixed text wins, as for whole lines.
        if (std::optional<std::string> text = TryTemplate(entry, piece, language);
            text && (!best || LiteralLength(entry.english) > bestLiterals)) {
            best = std::move(text);
            bestLiterals = LiteralLength(entry.english);
        }
    }
    if (best) {
        return *best;
    }
    return std::string(ReasonIn(piece, language));
}

}  // namespace

std::string TranslatedLine(std::string_view line, Language language) {
    if (language == Language::English || line.empty()) {
        return std::string(line);
    }
    std::string out;
    std::string_view column;  // the column a "row 2, Frequency: " start names
    // "corvalen-cli: " stays; "row 7: ", "line 3: ", "record 5: " and "row 2, Frequency: "
    // are said in German.
    if (line.starts_with("corvalen-cli: ")) {
        out = "corvalen-cli: ";
        line.remove_prefix(14);
    }
    for (const Diagnostic::Place place :
         {Diagnostic::Place::Row, Diagnostic::Place::Line, Diagnostic::Place::Record}) {
        const std::string_view word = PlaceWord(place, Language::English);
        if (!line.starts_with(word) || line.size() <= word.size() + 1 || line[word.size()] != ' ') {
            continue;
        }
        std::size_t end = word.size() + 1;
        while (end < line.size() && line[end] >= '0' && line[end] <= '9') {
            ++end;
        }
        // "line 3 refers to ..." is a message of its own, which names its line itself.
        if (end == word.size() + 1 || end >= line.size() ||
            (line.substr(end, 2) != ": " && line.substr(end, 2) != ", ")) {
            continue;
        }
        out.append(PlaceWord(place, language)).append(line.substr(word.size(), end - word.size()));
        line.remove_prefix(end);
        if (line.starts_with(", ")) {
            const std::size_t colon = line.find(": ");
            if (colon != std::string_view::npos && IsColumnName(line.substr(2, colon - 2))) {
                column = line.substr(2, colon - 2);
                out.append(", ").append(ColumnNameIn(column, language));
                line.remove_prefix(colon);
            }
        }
        if (line.starts_with(": ")) {
            out.append(": ");
            line.remove_prefix(2);
        }
        break;
    }
    // The whole rest as one message ("row 2, Mode: is empty; ..." with its column put back in
    // front, as the message has it), else piece by piece. Where several templates match, the
    // one with the most fixed text is the message: a value may hold words of another template
    // ("Groups {1} is not a group" matches a "names ..., which is not a group" line too).
    std::optional<std::string> best;
    std::size_t bestLiterals = 0;
    const auto consider = [&](const MessageTemplate& entry, std::optional<std::string> text) {
        const std::size_t literals = LiteralLength(entry.english);
        if (text && (!best || literals > bestLiterals)) {
            best = std::move(text);
            bestLiterals = literals;
        }
    };
    const std::string whole = std::string(column) + " " + std::string(line);
    for (const MessageTemplate& entry : MessageCatalogue()) {
        // A summary is told in pieces between "; ", each of its own kind; a reason at the end
        // ("Cannot read ...: line 3 ...; refused") is told as a line of its own.
        if ((entry.kind >= MessageKind::CliWrote && entry.kind <= MessageKind::CliNoModel &&
             !entry.english.ends_with(":reason}")) ||
            IsGroupKind(entry.kind)) {
            continue;
        }
        if (!column.empty()) {
            if (std::optional<std::string> text = TryTemplate(entry, whole, language)) {
                const std::string_view name = ColumnNameIn(column, language);
                consider(entry,
                         std::string_view(*text).starts_with(name) && text->size() > name.size()
                             ? text->substr(name.size() + 1)
                             : *text);
                continue;
            }
        }
        consider(entry, TryTemplate(entry, line, language));
    }
    if (best) {
        return out + *best;
    }
    std::size_t start = 0;
    while (start <= line.size()) {
        std::size_t end = line.find("; ", start);
        if (end == std::string_view::npos) {
            end = line.size();
        }
        out.append(start == 0 ? "" : "; ")
            .append(LocalizedPiece(line.substr(start, end - start), language));
        start = end + 2;
    }
    return out;
}

}  // namespace corvalen
