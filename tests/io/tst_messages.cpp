#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "../BadInputs.h"
#include "../TestTables.h"
#include "TestData.h"
#include "channel/CellChecks.h"
#include "channel/ProblemGroups.h"
#include "channel/ReceiverModel.h"
#include "channel/TableChecks.h"
#include "csv/ChirpCsv.h"
#include "csv/CsvReader.h"
#include "files/ChannelFiles.h"
#include "formats/BookmarkList.h"
#include "formats/ScheduleFilter.h"
#include "io/Messages.h"
#include "io/MessagesTs.h"
#include "io/Result.h"
#include "table/Columns.h"

using namespace corvalen;

namespace {

QString Utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// The placeholders of a template, sorted, each once: "{1}", "{c}", "{2:groups}", ...
std::vector<std::string> Placeholders(std::string_view text) {
    std::set<std::string> found;
    for (const auto& match : QRegularExpression("\\{[^}]*\\}").globalMatch(Utf8(text))) {
        found.insert(match.captured().toStdString());
    }
    return {found.begin(), found.end()};
}

// Whether `text` holds English words beside its placeholders.
bool HasWords(std::string_view text) {
    return Utf8(text)
        .remove(QRegularExpression("\\{[^}]*\\}"))
        .contains(QRegularExpression("[a-z]"));
}

// The type of each of the values {1} ... {9} that `text` names ("" plain, "field", "groups",
// ...); the vector is as long as the highest value named.
std::vector<std::string> PlaceholderTypes(std::string_view text) {
    std::vector<std::string> types;
    for (const auto& match :
         QRegularExpression("\\{([1-9])(?::([^}]*))?\\}").globalMatch(Utf8(text))) {
        const auto index = static_cast<std::size_t>(match.captured(1).toInt() - 1);
        types.resize(std::max(types.size(), index + 1));
        if (!match.captured(2).isEmpty()) {
            types[index] = match.captured(2).toStdString();
        }
    }
    return types;
}

// The values of member `member` (from 0) of a group of `kind`: each fits its placeholder's type
// (a count for a noun, group numbers, names), and those of one member differ from every other
// member's but for the values the kind groups by, which members share.
std::vector<std::string> SampleValues(MessageKind kind, int member) {
    // A value plain in the sentence may be a count in the member's detail.
    std::vector<std::string> types = PlaceholderTypes(TemplateOf(kind).english);
    for (const TemplatePart part : {TemplatePart::Heading, TemplatePart::Member}) {
        const std::vector<std::string> more =
            PlaceholderTypes(TemplateText(kind, part, Language::English));
        types.resize(std::max(types.size(), more.size()));
        for (std::size_t i = 0; i < more.size(); ++i) {
            types[i] = types[i].empty() ? more[i] : types[i];
        }
    }
    const unsigned shared = GroupedValues(kind);
    std::vector<std::string> values;
    for (std::size_t i = 0; i < types.size(); ++i) {
        const bool same = (shared >> i & 1u) != 0;
        const int who = same ? 9 : member;
        const std::string_view type = types[i];
        // Numbers of four digits that no other value or place holds.
        const std::string number = std::to_string(4000 + 1000 * who + 10 * static_cast<int>(i) + 1);
        if (type == "groups") {
            values.push_back(who == 0 ? "13" : who == 1 ? "14, 15" : "16");
        } else if (type == "list") {
            values.push_back("Name" + number + "\nFrequency \"" + number + "\"");
        } else if (type.empty() || type == "words" || type == "phrase" || type == "reason") {
            values.push_back("\"v" + number + "\"");
        } else {
            values.push_back(number);  // a count
        }
    }
    return values;
}

// One row per kind of the catalogue, named by its English sentence.
void KindRows() {
    QTest::addColumn<int>("kind");
    for (int k = 0; k < int(MessageCatalogue().size()); ++k) {
        const std::string_view english = TemplateOf(static_cast<MessageKind>(k)).english;
        QTest::newRow(qPrintable(QString::number(k) + QLatin1Char(' ') + Utf8(english).left(60)))
            << k;
    }
}

// How value `index` (from 0) of `values` shows in a message in `language`.
std::string Shown(const MessageValues& values, std::size_t index, const std::string& type,
                  Language language) {
    const std::string placeholder =
        "{" + std::to_string(index + 1) + (type.empty() ? "" : ":" + type) + "}";
    return FillTemplate(placeholder, values, Callsign, language);
}

}  // namespace

class TestMessages : public QObject {
    Q_OBJECT

private slots:
    // Every kind has its sentence, group heading and member detail in German, with the same
    // values in each as the English; said with its values, each value is in its place and no
    // placeholder is left.
    void everyKindHasGerman_data() { KindRows(); }
    void everyKindHasGerman() {
        QFETCH(int, kind);
        const MessageTemplate& entry = TemplateOf(static_cast<MessageKind>(kind));
        QCOMPARE(int(entry.kind), kind);
        for (const TemplatePart part :
             {TemplatePart::Sentence, TemplatePart::Heading, TemplatePart::Member}) {
            const std::string_view english = TemplateText(entry.kind, part, Language::English);
            const std::string_view german = TemplateText(entry.kind, part, Language::German);
            QCOMPARE(german.empty(), english.empty());
            // A template of words has German words; one of values alone may stay as it is.
            if (HasWords(english) && part != TemplatePart::Member &&
                entry.kind != MessageKind::PlaceLocation) {  // CHIRP's word in German too
                QVERIFY2(german != english, english.data());
            }
            QCOMPARE(Placeholders(german), Placeholders(english));
        }
        // A heading names only the values every member of its group has.
        const std::string_view heading =
            TemplateText(entry.kind, TemplatePart::Heading, Language::English);
        for (std::size_t i = 0; i < PlaceholderTypes(heading).size(); ++i) {
            if (heading.find("{" + std::to_string(i + 1)) != std::string_view::npos) {
                QVERIFY2((GroupedValues(entry.kind) >> i & 1u) != 0, heading.data());
            }
        }

        const Diagnostic said{Diagnostic::Place::Row, 4, Callsign, entry.kind,
                              SampleValues(entry.kind, 0)};
        const std::string english = MessageText(said, Language::English);
        const std::string german = MessageText(said, Language::German);
        QVERIFY2(german.find('{') == std::string::npos, german.c_str());
        QVERIFY2(english.find('{') == std::string::npos, english.c_str());
        if (HasWords(entry.english) && said.kind != MessageKind::PlaceLocation) {
            QVERIFY2(german != english, german.c_str());
        }
        const std::vector<std::string> types = PlaceholderTypes(entry.german);
        for (std::size_t i = 0; i < types.size(); ++i) {
            const std::string shown = Shown(said.args, i, types[i], Language::German);
            QVERIFY2(german.find(shown) != std::string::npos, (german + " lacks " + shown).c_str());
        }
        // The column a sentence names is said in German too.
        if (entry.german.find("{c}") != std::string_view::npos) {
            QVERIFY2(german.find("Rufzeichen") != std::string::npos, german.c_str());
        }
    }

    // Two members of a group, each with values of its own: the grouped line shows each one's
    // values beside its own place and none beside the other's, and its heading only what they
    // share. In English and in German.
    void groupedLineShowsEachMembersOwnValues_data() { KindRows(); }
    void groupedLineShowsEachMembersOwnValues() {
        QFETCH(int, kind);
        const auto messageKind = static_cast<MessageKind>(kind);
        const std::vector<Diagnostic> problems = {
            {Diagnostic::Place::Row, 3, Callsign, messageKind, SampleValues(messageKind, 0)},
            {Diagnostic::Place::Row, 7, Callsign, messageKind, SampleValues(messageKind, 1)}};
        const std::vector<ProblemGroup> groups = GroupProblems(problems);
        QCOMPARE(groups.size(), std::size_t{1});
        const std::vector<std::string> types = PlaceholderTypes(TemplateOf(messageKind).english);
        const unsigned shared = GroupedValues(messageKind);
        for (const Language language : {Language::English, Language::German}) {
            const ProblemPlaces places(nullptr, nullptr, CatalogueTexts(language));
            for (const LineForm form : {LineForm::Report, LineForm::Panel}) {
                const std::string line = GroupLine(groups[0], problems, places, form);
                const std::string row = language == Language::German ? "Zeile " : "row ";
                const std::size_t first = line.find(row + "3");
                const std::size_t second = line.find(row + "7");
                QVERIFY2(
                    first != std::string::npos && second != std::string::npos && first < second,
                    line.c_str());
                const std::string heading = line.substr(0, first);
                const std::string segments[] = {line.substr(first, second - first),
                                                line.substr(second)};
                bool ownShown[2] = {false, false};
                bool ownValues = false;
                for (std::size_t i = 0; i < types.size(); ++i) {
                    if ((shared >> i & 1u) != 0) {
                        continue;
                    }
                    for (int member = 0; member < 2; ++member) {
                        const std::string value = Shown(
                            problems[static_cast<std::size_t>(member)].args, i, types[i], language);
                        if (value.empty()) {
                            continue;
                        }
                        ownValues = true;
                        QVERIFY2(heading.find(value) == std::string::npos,
                                 (line + "\nheading shows " + value).c_str());
                        QVERIFY2(segments[1 - member].find(value) == std::string::npos,
                                 (line + "\nbeside the other row: " + value).c_str());
                        ownShown[member] =
                            ownShown[member] || segments[member].find(value) != std::string::npos;
                    }
                }
                // A member with values of its own shows some of them.
                if (ownValues) {
                    QVERIFY2(ownShown[0] && ownShown[1], line.c_str());
                }
            }
        }
    }

    // Shown members are capped; a line for every one is there for --all.
    void groupsShowThreeMembersThenCount() {
        std::vector<Diagnostic> problems;
        for (int row = 1; row <= 5; ++row) {
            problems.push_back({Diagnostic::Place::Row,
                                row,
                                Number,
                                MessageKind::NumberNotChannel,
                                {"\"x" + std::to_string(row) + "\""}});
        }
        const std::vector<ProblemGroup> groups = GroupProblems(problems);
        QCOMPARE(groups.size(), std::size_t{1});
        const ProblemPlaces places(nullptr, nullptr);
        QCOMPARE(GroupLine(groups[0], problems, places),
                 std::string("5 channels: Number is not a channel number from 1 to 65535; row not "
                             "written: row 1: \"x1\"; row 2: \"x2\"; row 3: \"x3\"; and 2 more"));
        // In German, with the file's lines and a CHIRP file's Locations beside the rows.
        RowOrigins origins;
        origins.lines = {2, 3, 4, 5, 7};
        origins.locations = {"0", "1", "2", "3", "5"};
        QCOMPARE(GroupLine(groups[0], problems,
                           ProblemPlaces(nullptr, &origins, CatalogueTexts(Language::German)),
                           LineForm::Report, 5),
                 std::string("5 Kanäle: Nummer ist keine Kanalnummer von 1 bis 65535; Zeile "
                             "nicht geschrieben: Zeile 1 (Zeile 2, Location 0): \"x1\"; Zeile 2 "
                             "(Zeile 3, Location 1): \"x2\"; Zeile 3 (Zeile 4, Location 2): "
                             "\"x3\"; Zeile 4 (Zeile 5, Location 3): \"x4\"; Zeile 5 (Zeile 7, "
                             "Location 5): \"x5\""));
    }

    // Lines of problems in German: the place, the column, the message.
    void germanDiagnostics_data() {
        QTest::addColumn<int>("form");  // 0 a report's line, 1 as check and the panel list it
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<QString>("german");
        const auto row = [](const char* name, int form, int at, int column, MessageKind kind,
                            const QStringList& values, const QString& german) {
            QTest::newRow(name) << form << at << column << int(kind) << values << german;
        };
        row("check line", 1, 2, int(Mode), MessageKind::ModeEmpty, {"CW"},
            "Zeile 2, Modus: ist leer; als CW geschrieben");
        row("report line", 0, 7, int(Number), MessageKind::NumberNotChannel, {"\"abc\""},
            R"(Zeile 7: Nummer "abc" ist keine Kanalnummer von 1 bis 65535; Zeile nicht )"
            "geschrieben");
        row("a value that reads as another message", 1, 1, int(Groups),
            MessageKind::GroupsNameNotGroup, {"\"2+17\"", "\"17\"", "2"},
            R"(Zeile 1, Gruppen: "2+17" nennt "17", keine Gruppe von 1 bis 16; als Gruppe 2 )"
            "geschrieben");
        row("a tally of later rows", 0, 8, int(Mode), MessageKind::BookmarkModeWritten,
            {"\"AMS\"", "SDR# list", "AM", "2"},
            R"(Zeile 8: Modus "AMS" hat in einer SDR#-Liste keine Entsprechung; als AM )"
            "geschrieben (und 2 spätere Zeilen)");
        row("a long comment", 1, 3, int(Comments), MessageKind::TextTooLong,
            {"\"Sendet nur im Winter\"", "16", "\"Sendet nur im Wi\""},
            R"(Zeile 3, Kommentar: "Sendet nur im Winter" ist länger als 16 Zeichen; als )"
            R"("Sendet nur im Wi" geschrieben)");
        row("columns lost", 0, 1, -1, MessageKind::ChirpNoPlace,
            {"Bandwidth \"2400\"\nLevel Squelch \"-100\"", "1", "5"},
            R"(Zeile 1: Werte von Bandbreite "2400" und Squelch-Pegel "-100" haben in einer )"
            "CHIRP-Datei keinen Platz (zuerst in Zeile 1, 5 Zeilen insgesamt); nicht "
            "geschrieben");
    }
    void germanDiagnostics() {
        QFETCH(int, form);
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(int, kind);
        QFETCH(QStringList, values);
        QFETCH(QString, german);
        Diagnostic said{Diagnostic::Place::Row, row, column, static_cast<MessageKind>(kind), {}};
        for (const QString& value : values) {
            said.args.push_back(value.toStdString());
        }
        const std::string line = form == 0 ? DiagnosticLine(said, Language::German)
                                           : ProblemLine(said, CatalogueTexts(Language::German));
        QCOMPARE(QString::fromStdString(line), german);
    }

    // What the checks and readers say: every kind given its values, and said in German.
    void messagesHaveTheirKind_data() {
        // A CSV memory file, a CHIRP file, an SDR# or SDR++ list or an EiBi schedule.
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("model");
        const auto row = [](const char* name, const QByteArray& file, const char* model = "313") {
            QTest::newRow(name) << file << QString(model);
        };
        // A line for each cell the checks report, every line channel 1 (which repeats too);
        // "1+2" is one group too many for an SDR# list.
        const std::pair<int, QByteArrayList> cells[] = {
            {Number, {"abc", ""}},
            {Frequency, {"7.5", "-5", "99999999999"}},
            {Bandwidth, {"wide", "9999999999"}},
            {IfShift, {"2.5"}},
            {Groups, {"0+3+x+2.5", "17", "2.5", "1+2"}},
            {Hotkey, {"F2"}},
            {Lockout, {"x"}},
            {LevelSquelch, {"x", "5", "-100.5"}},
            {SecondarySquelchType, {"x"}},
            {Mode, {"WFM", ""}},
            {Callsign,
             {"ABCDEFGHIJKLMNOP",
              "\xCE\xA9\xCE\xA9\xCE\xA9\xCE\xA9\xCE\xA9\xCE\xA9\xCE\xA9"
              "ABCDEFG"}},
            {Comments, {"\xF0\x9F\x93\xBB"}}};
        QByteArray lines = "Number\r\n";
        for (const auto& [column, texts] : cells) {
            for (const QByteArray& text : texts) {
                lines += badinput::ChannelLine(column, text);
            }
        }
        row("csv cells", lines, "315");
        row("csv fields", QByteArray("1,7000000,2400\r\n"));
        row("csv no bandwidth", QByteArray("N\r\n1,7000000,,x\r\n"));
        row("chirp", QByteArray("Location,Name,Frequency,Duplex,Mode,Skip\r\n"
                                "0,A,146.52,+,WFM,X\r\n"
                                ",,,\r\n\r\n"
                                "x,B,abc,,,S,extra\r\n"
                                "2,C,146.5,,FM\r\n"));
        row("sdr# list", QByteArray("<ArrayOfMemoryEntry><MemoryEntry><Name>\xE9</Name>"
                                    "<GroupName>G</GroupName><Frequency>x</Frequency>"
                                    "</MemoryEntry><MemoryEntry><Frequency>7000000.5"
                                    "</Frequency><DetectorType>RAW</DetectorType>"
                                    "</MemoryEntry></ArrayOfMemoryEntry>"));
        // Quotes as ' here: one list more than the receiver has groups.
        QByteArray lists = "{'lists': {'A': {'bookmarks': {'x': {'frequency': 'x'}}}";
        for (int list = 1; list <= 17; ++list) {
            lists += ", '" + QByteArray::number(list) +
                     "': {'bookmarks': {'b': {'frequency': " + (list == 1 ? "7000000.5" : "7e6") +
                     "}}}";
        }
        lists.replace('\'', '"');
        row("sdr++ list", lists + "}}");
        row("eibi schedule", ::testing::kEibiHeader +
                                 "x;0000-0100;;;A;E;Eu;;;;\n6000;2500-01;irr;;A;E;Eu;;;99xx;\n");
    }
    void messagesHaveTheirKind() {
        QFETCH(QByteArray, file);
        QFETCH(QString, model);
        const std::string_view bytes(file.constData(), static_cast<std::size_t>(file.size()));
        std::vector<Diagnostic> said;
        const auto add = [&](const std::vector<Diagnostic>& more) {
            said.insert(said.end(), more.begin(), more.end());
        };
        CsvImport read;
        if (LooksLikeEibiSchedule(bytes)) {
            const Schedule schedule = ReadEibiSchedule(bytes);
            add(schedule.diagnostics);
            ScheduleFilter filter;
            filter.day = 0;
            filter.date = 101;
            add(SelectBroadcasts(schedule, filter).notices);
        } else if (LooksLikeSdrSharpList(bytes) || LooksLikeSdrppList(bytes)) {
            Result<BookmarkRead> list =
                LooksLikeSdrppList(bytes) ? ReadSdrppList(bytes) : ReadSdrSharpList(bytes);
            QVERIFY(list);
            add(list->diagnostics);
            read.table = std::move(list->table);
        } else {
            read = LooksLikeChirpCsv(bytes) ? ReadChirpCsv(bytes) : ReadCsvMemory(bytes);
            ApplyChirpNumbering(read, ChirpNumbering::Shift);
            add(read.diagnostics);
        }
        add(CheckCells(read.table, *ReceiverModel::FromText(model.toStdString())));
        // And what the bookmark lists' writers say of the same channels.
        add(WriteSdrppList(read.table, {})->diagnostics);
        if (const Result<BookmarkListText> xml = WriteSdrSharpList(read.table, {})) {
            add(xml->diagnostics);
        }
        QVERIFY(!said.empty());
        for (const Diagnostic& diagnostic : said) {
            const std::string english = MessageText(diagnostic, Language::English);
            const std::string german = MessageText(diagnostic, Language::German);
            // Every value the sentence names is there (a tally of later rows may be left out).
            std::vector<std::string> types = PlaceholderTypes(TemplateOf(diagnostic.kind).english);
            while (!types.empty() && types.back() == "later") {
                types.pop_back();
            }
            QVERIFY2(diagnostic.args.size() >= types.size(), english.c_str());
            QVERIFY2(english.find('{') == std::string::npos, english.c_str());
            QVERIFY2(german != english, english.c_str());
        }
    }

    // What a list reader, a schedule filter or a file's reading refuses is a message of the
    // catalogue. Said in German, it holds none of the English words of its kind's template, nor
    // of the file's step: nothing of it is left in English.
    void refusalsAreMessages_data() {
        QTest::addColumn<QString>("reader");
        QTest::addColumn<QByteArray>("input");
        QTest::newRow("dtd") << "sdr#" << QByteArray("<ArrayOfMemoryEntry>\n<!DOCTYPE a>");
        QTest::newRow("entity") << "sdr#" << QByteArray("<ArrayOfMemoryEntry>&a;");
        QTest::newRow("not xml") << "sdr#" << QByteArray("<ArrayOfMemoryEntry><a></b>");
        QTest::newRow("no root") << "sdr#" << QByteArray("<a/>");
        QTest::newRow("deep") << "sdr++" << QByteArray(40, '[');
        QTest::newRow("not json") << "sdr++" << QByteArray("{\"lists\": ");
        QTest::newRow("huge number") << "sdr++" << QByteArray("[1E400]");
        QTest::newRow("no lists") << "sdr++" << QByteArray("{}");
        QTest::newRow("time") << "at" << QByteArray("25");
        QTest::newRow("day") << "day" << QByteArray("Xx");
        QTest::newRow("band") << "band" << QByteArray("9-1");
        QTest::newRow("date") << "date" << QByteArray("2026-02-30");
        QTest::newRow("model") << "model" << QByteArray("317");
        QTest::newRow("a schedule opened") << "open" << QByteArray("kHz:75;\n");
        QTest::newRow("a file missing") << "open" << QByteArray();
    }
    void refusalsAreMessages() {
        QFETCH(QString, reader);
        QFETCH(QByteArray, input);
        const std::string_view text(input.constData(), static_cast<std::size_t>(input.size()));
        QTemporaryDir dir;
        const std::string file = dir.filePath(QStringLiteral("sked.csv")).toStdString();
        if (reader == "open" && !input.isEmpty()) {
            QFile out(QString::fromStdString(file));
            QVERIFY(out.open(QIODevice::WriteOnly) && out.write(input) == input.size());
        }
        std::optional<Error> error;
        const auto take = [&](const auto& result) {
            error = result ? std::nullopt : std::optional<Error>(result.error());
        };
        reader == "sdr#"    ? take(ReadSdrSharpList(text))
        : reader == "sdr++" ? take(ReadSdrppList(text))
        : reader == "at"    ? take(ParseScheduleTime(text))
        : reader == "day"   ? take(ParseWeekday(text))
        : reader == "band"  ? take(ParseBand(text))
        : reader == "model" ? take(ReceiverModel::FromText(text))
        : reader == "open"  ? take(ReadChannelFile(file, {*ReceiverModel::FromText("313"), {}}))
                            : take(ParseScheduleDate(text));
        QVERIFY(error);
        const std::string german = ErrorSentence(*error, Language::German);
        QVERIFY2(german != ErrorSentence(*error), german.c_str());
        QVERIFY2(german.find('{') == std::string::npos, german.c_str());
        // The words of the German text, and those of the templates between their placeholders
        // (a word joined by '-' is a name: corvalen-cli).
        const auto words = [](std::string_view text) {
            std::vector<std::string> found(1);
            for (const char c : text) {
                if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '-') {
                    found.back() += c;
                } else if (!found.back().empty()) {
                    found.emplace_back();
                }
            }
            return found;
        };
        const std::vector<std::string> said = words(german);
        for (const MessageKind kind : {error->kind, error->step}) {
            for (const std::string& word : words(TemplateOf(kind).english)) {
                // Names stay: words with capitals (XML, EiBi, kHz), quoted keys ("lists") and
                // the converter's commands.
                if (word.size() > 2 && std::all_of(word.begin(), word.end(), ::islower) &&
                    german.find('"' + word + '"') == std::string::npos &&
                    german.find("corvalen-cli " + word) == std::string::npos) {
                    QVERIFY2(std::find(said.begin(), said.end(), word) == said.end(),
                             (german + ": " + word).c_str());
                }
            }
        }
    }

    // The "Messages" context of the German translation is the catalogue's, as messages_ts
    // writes it: the editor shows each message through it.
    void translationFileHasTheCatalogue() {
        std::string conflict;
        const std::string context = corvalen::testing::MessagesContext(conflict);
        QVERIFY2(conflict.empty(), conflict.c_str());
        QFile file(QStringLiteral(CORVALEN_TEST_DATA_DIR "/../../translations/corvalen_de.ts"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const std::string ts = file.readAll().toStdString();
        const auto [start, end] = corvalen::testing::MessagesContextIn(ts);
        QVERIFY2(ts.substr(start, end - start) == context,
                 "translations/corvalen_de.ts: run messages_ts on it");
    }

    // The one way counts are said, in English and in German.
    void counts() {
        const struct {
            std::size_t count;
            CountNoun noun;
            const char* english;
            const char* german;
        } rows[] = {{1, CountNoun::Channel, "1 channel", "1 Kanal"},
                    {2, CountNoun::Channel, "2 channels", "2 Kanäle"},
                    {0, CountNoun::Record, "0 records", "0 Datensätze"},
                    {1, CountNoun::EntryHas, "1 entry has", "1 Eintrag hat"},
                    {3, CountNoun::Character, "3 characters", "3 Zeichen"}};
        for (const auto& row : rows) {
            QCOMPARE(Counted(row.count, row.noun), std::string(row.english));
            QCOMPARE(Counted(row.count, row.noun, Language::German), std::string(row.german));
        }
    }
};

QTEST_GUILESS_MAIN(TestMessages)
#include "tst_messages.moc"
