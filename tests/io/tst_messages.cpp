#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <string>
#include <vector>

#include "channel/ReceiverModel.h"
#include "channel/TableChecks.h"
#include "csv/ChirpCsv.h"
#include "csv/CsvReader.h"
#include "files/ChannelFiles.h"
#include "formats/BookmarkList.h"
#include "formats/ScheduleFilter.h"
#include "io/Messages.h"
#include "table/Columns.h"

using namespace corvalen;

namespace {

// The placeholders of a template, sorted: "{1}", "{c}", "{w2}", ...
std::vector<std::string> Placeholders(std::string_view text) {
    std::vector<std::string> found;
    for (std::size_t open = text.find('{'); open != std::string_view::npos;
         open = text.find('{', open + 1)) {
        found.emplace_back(text.substr(open, text.find('}', open) - open + 1));
    }
    std::sort(found.begin(), found.end());
    found.erase(std::unique(found.begin(), found.end()), found.end());
    return found;
}

}  // namespace

class TestMessages : public QObject {
    Q_OBJECT

private slots:
    // Every kind of message has its German, with the same values in it.
    void everyKindHasGerman() {
        for (int k = static_cast<int>(MessageKind::Other) + 1;
             k <= static_cast<int>(MessageKind::GroupMore); ++k) {
            const MessageTemplate& entry = TemplateOf(static_cast<MessageKind>(k));
            const QByteArray where = "kind " + QByteArray::number(k);
            QVERIFY2(entry.kind == static_cast<MessageKind>(k), where + " has no catalogue entry");
            // A template of words has German words; one of placeholders alone may stay as it is.
            std::string bare(entry.english);
            for (const std::string& placeholder : Placeholders(entry.english)) {
                for (std::size_t at; (at = bare.find(placeholder)) != std::string::npos;) {
                    bare.erase(at, placeholder.size());
                }
            }
            const bool words =
                std::any_of(bare.begin(), bare.end(), [](char c) { return c >= 'a' && c <= 'z'; });
            QVERIFY2(!entry.german.empty() && (!words || entry.german != entry.english),
                     where + ": no German for " +
                         QByteArray(entry.english.data(), qsizetype(entry.english.size())));
            QCOMPARE(Placeholders(entry.german), Placeholders(entry.english));
        }
    }

    // What the checks and readers say is found as its kind's text, and so said in German.
    void messagesHaveTheirKind_data() {
        // A CSV memory file, a CHIRP file, an SDR# or SDR++ list or an EiBi schedule.
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("model");
        const auto line = [](int column, const QByteArray& text) {
            QList<QByteArray> fields =
                QByteArray("1,7000000,2400,-1500,,,,,,3,0,0,0,-100,0,0,USB,CALL,Note").split(',');
            fields[column] = text;
            return "Number\r\n" + fields.join(',') + "\r\n";
        };
        QTest::newRow("number") << line(Number, "abc") << "313";
        QTest::newRow("empty number") << line(Number, "") << "313";
        QTest::newRow("frequency fraction") << line(Frequency, "7.5") << "313";
        QTest::newRow("frequency negative") << line(Frequency, "-5") << "313";
        QTest::newRow("frequency huge") << line(Frequency, "99999999999") << "313";
        QTest::newRow("bandwidth text") << line(Bandwidth, "wide") << "313";
        QTest::newRow("bandwidth huge") << line(Bandwidth, "9999999999") << "313";
        QTest::newRow("if shift fraction") << line(IfShift, "2.5") << "313";
        QTest::newRow("groups") << line(Groups, "0+3+x+2.5") << "313";
        QTest::newRow("one group") << line(Groups, "17") << "313";
        QTest::newRow("whole group") << line(Groups, "2.5") << "313";
        QTest::newRow("two groups") << line(Groups, "1+2") << "313";  // one in an SDR# list
        QTest::newRow("hotkey") << line(Hotkey, "F2") << "313";
        QTest::newRow("lockout") << line(Lockout, "x") << "313";
        QTest::newRow("squelch text") << line(LevelSquelch, "x") << "313";
        QTest::newRow("squelch above") << line(LevelSquelch, "5") << "313";
        QTest::newRow("squelch fraction") << line(LevelSquelch, "-100.5") << "313";
        QTest::newRow("secondary type") << line(SecondarySquelchType, "x") << "315";
        QTest::newRow("mode") << line(Mode, "WFM") << "313";
        QTest::newRow("empty mode") << line(Mode, "") << "313";
        QTest::newRow("long callsign") << line(Callsign, "ABCDEFGHIJKLMNOP") << "313";
        QTest::newRow("callsign long and unheld")
            << line(Callsign, "\xCE\xA9\xCE\xA9\xCE\xA9\xCE\xA9\xCE\xA9\xCE\xA9\xCE\xA9" "ABCDEFG")
            << "313";
        QTest::newRow("comment unheld") << line(Comments, "\xF0\x9F\x93\xBB") << "313";
        QTest::newRow("csv fields") << QByteArray("1,7000000,2400\r\n") << "313";
        QTest::newRow("csv no bandwidth") << QByteArray("N\r\n1,7000000,,x\r\n") << "313";
        QTest::newRow("repeats") << QByteArray("N\r\n" + line(Number, "1").mid(8) +
                                               line(Number, "1").mid(8))
                                 << "313";
        QTest::newRow("chirp") << QByteArray(
                                      "Location,Name,Frequency,Duplex,Mode,Skip\r\n"
                                      "0,A,146.52,+,WFM,X\r\n"
                                      ",,,\r\n\r\n"
                                      "x,B,abc,,,S,extra\r\n"
                                      "2,C,146.5,,FM\r\n")
                               << "313";
        QTest::newRow("sdr# list") << QByteArray(
                                          "<ArrayOfMemoryEntry><MemoryEntry><Name>\xE9</Name>"
                                          "<GroupName>G</GroupName><Frequency>x</Frequency>"
                                          "</MemoryEntry><MemoryEntry><Frequency>7000000.5"
                                          "</Frequency><DetectorType>RAW</DetectorType>"
                                          "</MemoryEntry></ArrayOfMemoryEntry>")
                                   << "313";
        // Quotes as ' here: one list more than the receiver has groups.
        QByteArray lists = "{'lists': {'A': {'bookmarks': {'x': {'frequency': 'x'}}}";
        for (int list = 1; list <= 17; ++list) {
            lists += ", '" + QByteArray::number(list) +
                     "': {'bookmarks': {'b': {'frequency': " + (list == 1 ? "7000000.5" : "7e6") +
                     "}}}";
        }
        lists.replace('\'', '"');
        QTest::newRow("sdr++ list") << lists + "}}"
                                    << "313";
        QTest::newRow("eibi schedule") << QByteArray(
                                              "kHz:75;Time(UTC):93;Days:59;ITU:49;Station:201;Lng:"
                                              "49;Target:62;Remarks:135;P:35;Start:60;Stop:60;\n"
                                              "x;0000-0100;;;A;E;Eu;;;;\n"
                                              "6000;2500-01;irr;;A;E;Eu;;;99xx;\n")
                                       << "313";
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
        add(WriteSdrppList(read.table, {}).diagnostics);
        if (const Result<BookmarkListText> xml = WriteSdrSharpList(read.table, {})) {
            add(xml->diagnostics);
        }
        QVERIFY(!said.empty());
        for (const Diagnostic& diagnostic : said) {
            const std::string german = LocalizedMessage(diagnostic, Language::German);
            QVERIFY2(IsTextOf(diagnostic.kind, diagnostic.message), diagnostic.message.c_str());
            QVERIFY2(german != diagnostic.message, diagnostic.message.c_str());
            QCOMPARE(LocalizedMessage(diagnostic, Language::English), diagnostic.message);
        }
    }

    // What a list reader or a schedule filter refuses is a message of the catalogue.
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
        QTest::newRow("a schedule opened") << "open" << QByteArray("kHz:75;\n");
    }
    void refusalsAreMessages() {
        QFETCH(QString, reader);
        QFETCH(QByteArray, input);
        const std::string_view text(input.constData(), static_cast<std::size_t>(input.size()));
        QTemporaryDir dir;
        const std::string file = dir.filePath(QStringLiteral("sked.csv")).toStdString();
        if (reader == "open") {
            QFile out(QString::fromStdString(file));
            QVERIFY(out.open(QIODevice::WriteOnly) && out.write(input) == input.size());
        }
        std::string message;
        const auto take = [&](const auto& result) {
            message = result ? std::string() : result.error().message;
        };
        reader == "sdr#"    ? take(ReadSdrSharpList(text))
        : reader == "sdr++" ? take(ReadSdrppList(text))
        : reader == "at"    ? take(ParseScheduleTime(text))
        : reader == "day"   ? take(ParseWeekday(text))
        : reader == "band"  ? take(ParseBand(text))
        : reader == "open"  ? take(ReadChannelFile(file, {*ReceiverModel::FromText("313"), {}}))
                            : take(ParseScheduleDate(text));
        const auto catalogue = MessageCatalogue();
        QVERIFY2(std::any_of(
                     catalogue.begin(), catalogue.end(),
                     [&](const MessageTemplate& entry) { return IsTextOf(entry.kind, message); }),
                 message.c_str());
        QVERIFY2(LocalizedLine(message, Language::German) != message, message.c_str());
    }

    // The converter's lines in German: the place, the column, the message and a summary's pieces.
    void germanLines_data() {
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("german");
        QTest::newRow("check line") << "row 2, Mode: is empty; written as CW"
                                    << "Zeile 2, Modus: ist leer; als CW geschrieben";
        QTest::newRow("report line")
            << R"(row 7: Number "abc" is not a channel number from 1 to 65535; row not written)"
            << R"(Zeile 7: Nummer "abc" ist keine Kanalnummer von 1 bis 65535; Zeile nicht )"
               "geschrieben";
        QTest::newRow("summary")
            << "wrote 3 records to a.g3m; 1 row not written; 2 records already in the file kept"
            << "3 Datensätze nach a.g3m geschrieben; 1 Zeile nicht geschrieben; 2 Datensätze der "
               "Datei behalten";
        QTest::newRow("grouped")
            << R"(2 channels: Callsign "ABCDEFGHIJKLM" is longer than 12 characters; written as )"
               R"("ABCDEFGHIJKL" (line 2, Location 0; line 3, Location 1))"
            << R"(2 Kanäle: Rufzeichen "ABCDEFGHIJKLM" ist länger als 12 Zeichen; als )"
               R"("ABCDEFGHIJKL" geschrieben (Zeile 2, Location 0; Zeile 3, Location 1))";
        QTest::newRow("check line, a value that reads as another message")
            << R"(row 1, Groups: "2+17" names "17", which is not a group from 1 to 16; written )"
               "as group 2"
            << R"(Zeile 1, Gruppen: "2+17" nennt "17", keine Gruppe von 1 bis 16; als Gruppe 2 )"
               "geschrieben";
        QTest::newRow("a tally of later rows after a value")
            << R"(row 8: Mode "AMS" has no equal in an SDR# list; written as AM (and 2 later rows))"
               " (Number 8)"
            << R"(Zeile 8: Modus "AMS" hat in einer SDR#-Liste keine Entsprechung; als AM )"
               "geschrieben (und 2 spätere Zeilen) (Nummer 8)";
        QTest::newRow("reason naming its line")
            << R"(corvalen-cli: Cannot read "a.xml": line 3 is not well-formed XML: Start-end )"
               "tags mismatch"
            << R"(corvalen-cli: Kann "a.xml" nicht lesen: Zeile 3 ist kein wohlgeformtes XML: )"
               "Start- und End-Tag passen nicht zusammen";
        QTest::newRow("schedule summary")
            << "wrote 5 channels to s.csv from 5 of 14 broadcasts in sked.csv; 2 lines reported"
            << "5 Kanäle nach s.csv geschrieben aus 5 von 14 Sendungen in sked.csv; 2 Zeilen "
               "gemeldet";
        QTest::newRow("no room in the table")
            << "The filter gives 9 channels; with the 65530 rows already in the table that is more "
               "than 65535 rows; 5 more fit"
            << "Der Filter ergibt 9 Kanäle; mit den 65530 Zeilen, die schon in der Tabelle stehen, "
               "sind das mehr als 65535 Zeilen; 5 passen noch";
        QTest::newRow("numbers run out")
            << "Channel numbers 65535 to 65539 go past 65535, the highest channel number"
            << "Kanalnummern 65535 bis 65539 gehen über 65535 hinaus, die höchste Kanalnummer";
        QTest::newRow("no channels") << "corvalen-cli: no channels in -"
                                     << "corvalen-cli: keine Kanäle in -";
        QTest::newRow("usage error") << "corvalen-cli: unknown option --x; see corvalen-cli --help"
                                     << "corvalen-cli: unbekannte Option --x; siehe corvalen-cli "
                                        "--help";
        QTest::newRow("diff, a changed channel")
            << R"(channel 3 changed: Mode "usb" -> "CW"; Callsign "and" -> "or")"
            << R"(Kanal 3 geändert: Mode "usb" -> "CW"; Callsign "and" -> "or")";
        QTest::newRow("diff, repeated number")
            << "corvalen-cli: a.csv: channel 1 of line 3 is given again in line 9; only line 9 is "
               "compared"
            << "corvalen-cli: a.csv: Kanal 1 aus Zeile 3 kommt in Zeile 9 wieder vor; nur Zeile 9 "
               "wird verglichen";
        QTest::newRow("diff summary")
            << "a.csv and b.g3m differ: 1 channel added, 0 removed, 2 changed; 1 row without a "
               "channel number"
            << "a.csv und b.g3m unterscheiden sich: 1 Kanal hinzugekommen, 0 entfernt, 2 "
               "geändert; 1 Zeile ohne Kanalnummer";
        QTest::newRow("diff, fields compared") << "compared Frequency, Mode, Callsign"
                                               << "verglichen: Frequenz, Modus, Rufzeichen";
        QTest::newRow("unknown text stays") << "something else; entirely"
                                            << "something else; entirely";
    }
    void germanLines() {
        QFETCH(QString, english);
        QFETCH(QString, german);
        QCOMPARE(QString::fromStdString(LocalizedLine(english.toStdString(), Language::German)),
                 german);
    }
};

QTEST_GUILESS_MAIN(TestMessages)
#include "tst_messages.moc"
