#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

#include "../TestTables.h"
#include "TestData.h"
#include "convert/Windows1252.h"
#include "csv/CsvWriter.h"
#include "files/ChannelFiles.h"
#include "formats/BookmarkList.h"
#include "io/Messages.h"

using namespace corvalen;

namespace {

// An SDR++ list whose one bookmark holds `arrays` arrays one in another, under five objects.
QByteArray NestedInBookmark(int arrays) {
    return R"({"lists":{"A":{"bookmarks":{"a":{"frequency":7000000.0,"x":)" +
           QByteArray(arrays, '[') + QByteArray(arrays, ']') + "}}}}}";
}

// A list read as lines: "ERROR" and the message, or "D" and each report, then "R" and each
// row's frequency, name, bandwidth, mode and group.
QStringList ReadLines(const Result<BookmarkRead>& read) {
    QStringList lines;
    if (!read) {
        lines << "ERROR " + QString::fromStdString(corvalen::ErrorSentence(read.error()));
    } else {
        for (const Diagnostic& diagnostic : read->diagnostics) {
            lines << "D " + QString::fromStdString(DiagnosticLine(diagnostic));
        }
        for (int row = 1; row < read->table.RowCount(); ++row) {
            const auto cell = [&](int column) { return testing::Cell(read->table, row, column); };
            const QString group =
                cell(Groups).isEmpty()
                    ? QString()
                    : QString::fromStdString(read->groupNames[cell(Groups).toUInt() - 1]);
            lines << "R " + QStringList{cell(Frequency), cell(Callsign), cell(Bandwidth),
                                        cell(Mode), group}
                                .join('|');
        }
    }
    return lines;
}

// Compares with a golden file; CORVALEN_WRITE_GOLDEN=1 writes it instead, to be checked by eye.
void CompareGolden(const QByteArray& actual, const QString& path) {
    if (qEnvironmentVariableIsSet("CORVALEN_WRITE_GOLDEN")) {
        QVERIFY(testing::WriteBytes(path, actual));
        return;
    }
    QCOMPARE(actual, testing::ReadBytes(path));
}

// What a bookmark list keeps of every channel: frequency, name, bandwidth and group; gqrx's
// bookmarks the name without blanks around it and every group, and with `mode` the mode.
QStringList Kept(const MemoryTable& table, const std::vector<std::string>& groups,
                 bool gqrx = false, bool mode = false) {
    QStringList rows;
    for (int row = 1; row < table.RowCount(); ++row) {
        const auto cell = [&](int column) { return testing::Cell(table, row, column); };
        QStringList names;
        for (const QString& group : cell(Groups).split('+', Qt::SkipEmptyParts)) {
            names << QString::fromStdString(groups[group.toUInt() - 1]);
        }
        rows << QStringList{cell(Frequency), gqrx ? cell(Callsign).trimmed() : cell(Callsign),
                            cell(Bandwidth), gqrx ? names.join('+') : names.value(0),
                            mode ? cell(Mode) : QString()}
                    .join('|');
    }
    return rows;
}

}  // namespace

class TestBookmarkLists : public QObject {
    Q_OBJECT

private slots:
    // Each folder under data/formats with an input.xml, .json or .csv holds what reading it
    // reports (read.txt), the receiver CSV of its channels (expected.csv), and the three lists
    // written from them with their reports (sdrsharp.xml/.txt, sdrpp.json/.txt, gqrx.csv/.txt).
    // The SDR# lists are read again saved as UTF-16, either byte order, and named as no list is:
    // told by their content and read as they read in UTF-8, the lines that messages name
    // included.
    void goldenFiles_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("input");
        QTest::addColumn<int>("utf16");  // 0 as it is, 1 saved as UTF-16 LE, 2 as UTF-16 BE
        const QDir root(QStringLiteral(CORVALEN_TEST_DATA_DIR "/formats"));
        for (const QString& name : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            const QStringList inputs = QDir(root.filePath(name)).entryList({"input.*"});
            if (inputs.isEmpty()) {
                continue;
            }
            const QString input = root.filePath(name) + "/" + inputs.first();
            QTest::newRow(qPrintable(name)) << root.filePath(name) << input << 0;
            if (input.endsWith(".xml") &&
                IsWellFormedUtf8(testing::ReadBytes(input).toStdString())) {
                for (const int order : {1, 2}) {
                    QTest::addRow("%s, UTF-16 %s", qPrintable(name), order == 1 ? "LE" : "BE")
                        << root.filePath(name) << input << order;
                }
            }
        }
    }
    void goldenFiles() {
        QFETCH(QString, folder);
        QFETCH(QString, input);
        QFETCH(int, utf16);
        QTemporaryDir dir;
        const QString path = utf16 == 0 ? input : dir.filePath("saved as unicode.txt");
        QVERIFY(utf16 == 0 ||
                testing::WriteBytes(
                    path,
                    testing::Utf16Bytes(QString::fromUtf8(testing::ReadBytes(input)), utf16 == 1)));
        const auto read = ReadChannelFile(path.toStdString(), {"313", {}});
        QVERIFY2(read.ok(), read.ok() ? "" : corvalen::ErrorSentence(read.error()).c_str());
        QCOMPARE(read->report.format, input.endsWith(".xml")    ? &SdrSharpListFormat()
                                      : input.endsWith(".json") ? &SdrppListFormat()
                                                                : &GqrxBookmarksFormat());
        CompareGolden(testing::DiagnosticLines(read->report.diagnostics), folder + "/read.txt");
        CompareGolden(QByteArray::fromStdString(BuildCsvText(read->table, true).bytes),
                      folder + "/expected.csv");

        const auto sharp = WriteSdrSharpList(read->table, read->groupNames);
        QVERIFY(sharp.ok());
        CompareGolden(QByteArray::fromStdString(sharp->bytes), folder + "/sdrsharp.xml");
        CompareGolden(testing::DiagnosticLines(sharp->diagnostics), folder + "/sdrsharp.txt");
        const BookmarkListText sdrpp = *WriteSdrppList(read->table, read->groupNames);
        CompareGolden(QByteArray::fromStdString(sdrpp.bytes), folder + "/sdrpp.json");
        CompareGolden(testing::DiagnosticLines(sdrpp.diagnostics), folder + "/sdrpp.txt");
        const BookmarkListText gqrx =
            *WriteGqrxBookmarks(read->table, read->groupNames, read->groupColours);
        CompareGolden(QByteArray::fromStdString(gqrx.bytes), folder + "/gqrx.csv");
        CompareGolden(testing::DiagnosticLines(gqrx.diagnostics), folder + "/gqrx.txt");

        // The SDR# list read back gives every channel's frequency, name, bandwidth and first
        // group; both lists written again from what they read back are the same bytes (a mode
        // written as another stays that one).
        const auto sharpAgain = ReadSdrSharpList(sharp->bytes);
        QVERIFY(sharpAgain.ok());
        QCOMPARE(Kept(sharpAgain->table, sharpAgain->groupNames),
                 Kept(read->table, read->groupNames));
        QCOMPARE(WriteSdrSharpList(sharpAgain->table, sharpAgain->groupNames)->bytes, sharp->bytes);
        const auto sdrppAgain = ReadSdrppList(sdrpp.bytes);
        QVERIFY(sdrppAgain.ok());
        QVERIFY(sdrppAgain->table.ChannelCount() >= sdrpp.channelsWritten);
        QCOMPARE(WriteSdrppList(sdrppAgain->table, sdrppAgain->groupNames)->bytes, sdrpp.bytes);
        // gqrx bookmarks read back give every channel with all its groups, and its mode where
        // the file came from gqrx.
        const auto gqrxAgain = ReadGqrxBookmarks(gqrx.bytes);
        QVERIFY(gqrxAgain.ok());
        const bool fromGqrx = input.endsWith(".csv");
        QCOMPARE(Kept(gqrxAgain->table, gqrxAgain->groupNames, true, fromGqrx),
                 Kept(read->table, read->groupNames, true, fromGqrx));
        QCOMPARE(
            WriteGqrxBookmarks(gqrxAgain->table, gqrxAgain->groupNames, gqrxAgain->groupColours)
                ->bytes,
            gqrx.bytes);
    }

    // An SDR++ list keys its bookmarks by name: a name used again in one list gets the next
    // free suffix, one that a later row already spells out included; two receiver groups of
    // one name are one list. Rows are "Callsign|Groups", names come back as "list/name".
    void repeatedNamesInSdrppLists_data() {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QStringList>("groupNames");
        QTest::addColumn<QStringList>("expected");
        const auto row = [](const char* name, const QStringList& rows,
                            const QStringList& groupNames, const QStringList& expected) {
            QTest::newRow(name) << rows << groupNames << expected;
        };
        row("repeats and a spelled-out suffix", {"A|1", "A|1", "A (2)|1", "A|1"}, {"L"},
            {"L/A", "L/A (2)", "L/A (2) (2)", "L/A (3)"});
        row("one name in two lists", {"A|1", "A|2", "A|1+2"}, {"L", "M"},
            {"L/A", "M/A", "L/A (2)", "M/A (2)"});
        row("two groups of one name are one list", {"A|1", "A|2"}, {"X", "X"}, {"X/A", "X/A (2)"});
        row("no group, no name", {"|", "|0"}, {}, {"General/7100 kHz", "General/7100 kHz (2)"});
    }
    void repeatedNamesInSdrppLists() {
        QFETCH(QStringList, rows);
        QFETCH(QStringList, groupNames);
        QFETCH(QStringList, expected);
        MemoryTable table = MemoryTable::ImportLayout();
        int number = 0;
        for (const QString& row : rows) {
            table.AppendRow({std::to_string(++number), "7100000", "", "", "", "", "", "", "",
                             row.section('|', 1).toStdString(), "", "", "", "", "", "", "AM",
                             row.section('|', 0, 0).toStdString(), ""});
        }
        std::vector<std::string> names;
        for (const QString& name : groupNames) {
            names.push_back(name.toStdString());
        }
        const BookmarkListText list = *WriteSdrppList(table, names);
        const QJsonObject lists = QJsonDocument::fromJson(QByteArray::fromStdString(list.bytes))
                                      .object()["lists"]
                                      .toObject();
        QStringList written;
        for (const QString& listName : lists.keys()) {
            for (const QString& name : lists[listName].toObject()["bookmarks"].toObject().keys()) {
                written << listName + "/" + name;
            }
        }
        written.sort();
        expected.sort();
        QCOMPARE(written, expected);
    }

    // Lists read as lines, and files refused: SDR++ documents (told by their "{" or "["), SDR#
    // ones (by their "<") and gqrx bookmarks (the rest); the rows come from the helpers below.
    void documents_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("expected");
        AddSdrppDocuments();
        AddSdrsharpDocuments();
        AddGqrxDocuments();
        AddRefusals();
    }
    void documents() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, expected);
        const std::string text = bytes.toStdString();
        const bool json = text.starts_with('{') || text.starts_with('[');
        const QStringList lines = ReadLines(json                    ? ReadSdrppList(text)
                                            : text.starts_with('<') ? ReadSdrSharpList(text)
                                                                    : ReadGqrxBookmarks(text));
        if (expected.size() == 1 && expected[0].startsWith("ERROR ")) {
            // A refusal: its sentence says where and why.
            QVERIFY2(lines.size() == 1 && lines[0].contains(expected[0].mid(6)),
                     qPrintable(lines.join('\n')));
        } else {
            QCOMPARE(lines, expected);
        }
    }

    // Written back, a name holds no ";" and a tag neither ";" nor ",", which gqrx would read
    // as separators; each is said once.
    void gqrxSeparatorsReplaced() {
        MemoryTable table = MemoryTable::ImportLayout();
        for (const char* name : {"A;B", "C\nD", "E,F"}) {
            table.AppendRow({"1", "7100000", "", "", "", "", "", "", "", "1+2", "", "", "", "", "",
                             "", "AM", name, ""});
        }
        const BookmarkListText text = *WriteGqrxBookmarks(table, {"Air; Sea", "Prot Civ, RM"});
        QVERIFY(text.bytes.find("; A,B          ") != std::string::npos);
        QVERIFY(text.bytes.find("; C,D          ") != std::string::npos);
        QVERIFY(text.bytes.find("; Air  Sea,Prot Civ  RM\n") != std::string::npos);
        QCOMPARE(testing::DiagnosticLines(text.diagnostics),
                 "row 1: Groups \"Air; Sea\" holds a character gqrx reads as a separator; "
                 "written as \"Air  Sea\" (and 2 later rows)\n"
                 "row 1: Callsign \"A;B\" holds a character gqrx reads as a separator; written "
                 "as \"A,B\" (and 1 later row)\n");
    }

    // gqrx's files share .csv with the receiver's and CHIRP's: each is told by its content
    // alone, whatever its name ("=" starts the bytes themselves).
    void gqrxToldFromOtherCsv_data() {
        QTest::addColumn<QString>("file");  // under data/, or the bytes themselves
        QTest::addColumn<QString>("format");
        const auto row = [](const char* name, const char* file, const char* format) {
            QTest::newRow(name) << file << format;
        };
        row("as gqrx writes it", "formats/gqrx_as_written/input.csv", "gqrx");
        row("typed by hand", "formats/gqrx_handmade/input.csv", "gqrx");
        row("no tag table, no comments", "=7100000 ; A ; LSB ; 2700 ; Ham", "gqrx");
        row("the bookmarks comment alone", "=\n# Frequency ; Name", "gqrx");
        row("receiver CSV", "csv/winradio_export/input.csv", "csv");
        row("receiver CSV without its header", "csv/no_header/input.csv", "csv");
        row("receiver CSV, semicolons in a name",
            "=7,6070000,6000,0,0,0,0,0,0,0,0,0,0,-120,0,0,"
            "AM,\"A;B;C;D\",x",
            "csv");
        row("CHIRP CSV", "chirp/chirp_21_columns/input.csv", "chirp");
        row("CHIRP CSV, semicolons in a comment",
            "=Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,"
            "DtcsPolarity,RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment\n"
            "1;a;b;2;c,,146.52,,0,,88.5,88.5,023,NN,023,Tone->Tone,FM,5,,,",
            "chirp");
        row("EiBi schedule", "formats/eibi/sked-A26.csv", "csv");
        row("four fields", "=7100000 ; A ; LSB ; 2700", "csv");
        row("a bandwidth that is no number", "=7100000 ; A ; LSB ; wide ; Ham", "csv");
        // CHIRP's header however it stands, and words that only look like it.
        row("CHIRP header, quoted", "=\"Location\",\"Name\"\n", "chirp");
        row("CHIRP header after a byte-order mark", "=\xEF\xBB\xBFLocation,Name\n", "chirp");
        row("CHIRP header after comments", "=# list\r\n#\r\nLocation,Name\r\n1,A\r\n", "chirp");
        row("CHIRP header alone", "=Location", "chirp");
        row("receiver header", "=\"Number\",\"Frequency\",\"Bandwidth\"\r\n", "csv");
        row("receiver CSV, quoted, no header", "=\"1\",\"7100000\",\"2400\"\r\n", "csv");
        row("a longer word than Location", "=Locations,Name\n", "csv");
        row("CHIRP's word in a comment only", "=# Location\n", "csv");
        row("empty", "=", "csv");
    }
    void gqrxToldFromOtherCsv() {
        QFETCH(QString, file);
        QFETCH(QString, format);
        const QByteArray bytes = file.startsWith('=')
                                     ? file.mid(1).toUtf8()
                                     : testing::ReadBytes(CORVALEN_TEST_DATA_DIR "/" + file);
        QVERIFY(file.startsWith('=') || !bytes.isEmpty());
        QCOMPARE(FormatOf("list.csv", bytes.toStdString(), ReceiverModel("313")).ShortName(),
                 format.toStdString());
    }

private:
    static void Doc(const char* name, const QByteArray& bytes, const QStringList& expected) {
        QTest::newRow(name) << bytes << expected;
    }

    // Files that are no list, or that a list never is, are refused with where and why.
    static void AddRefusals() {
        const auto row = [](const char* name, const QByteArray& bytes, const char* error) {
            Doc(name, bytes, {QString("ERROR ") + error});
        };
        row("DTD",
            "<?xml version=\"1.0\"?>\n<!DOCTYPE x [<!ENTITY a \"b\">]>\n<ArrayOfMemoryEntry/>",
            "line 2 declares a document type (DTD)");
        row("entity",
            "<ArrayOfMemoryEntry>\n<MemoryEntry><Name>&lol;</Name></MemoryEntry></"
            "ArrayOfMemoryEntry>",
            "line 2 refers to an entity XML does not define");
        row("JSON cut", "{\"lists\": {\"A\": {\"bookmarks\": {\n",
            "line 2 is not well-formed JSON");
        row("JSON deep after it stops being JSON", "{\"lists\": [1,}\n" + QByteArray(40, '['),
            "line 2 nests more than 32");
        row("JSON 33 levels deep inside a bookmark", NestedInBookmark(28),
            "line 1 nests more than 32 levels deep");
        row("JSON number too large",
            "{\"lists\": {\"A\": {\"bookmarks\": {\"x\": {\"frequency\": 1E400}}}}}",
            "number overflow parsing '1E400'");
        QByteArray many = "{\"bookmarks\": {";
        for (int i = 0; i <= 65535; ++i) {
            many += (i == 0 ? "" : ",") + QByteArray("\"b") + QByteArray::number(i) +
                    "\": {\"frequency\": 7000000.0}";
        }
        row("JSON, more bookmarks than channels", many + "}}",
            "holds 65536 bookmarks, more than the 65535 channels");
        row("JSON with a lone surrogate", R"({"lists": {"\ud800": {}}})",
            "is not well-formed JSON");
        row("JSON with a name not UTF-8", "{\"lists\": {\"Caf\xe9\": {}}}",
            "is not well-formed JSON");
        row("JSON with text after it", "{\"lists\": {}} {}", "is not well-formed JSON");
        // Each broken where a parser that reads only what it is asked for could pass over it.
        for (const char* broken :
             {R"({"lists": {"A": {"bookmarks": {"a": {"frequency": 7000000.0,}}}}})",
              R"({"lists": {"A" {"bookmarks": {}}}})",
              R"({"lists": {"A": {"bookmarks": {"a": {"frequency": 07000000}}}}})",
              R"({"lists": {"A": {"bookmarks": {"a": {"frequency": 7000000.0 "mode": 1}}}}})",
              R"({"lists": {"A": {"bookmarks": {"a": {"frequency": 7e}}}}})",
              R"({"lists": {"A": {"bookmarks": {"a\x": {}}}}})", R"({"lists": {}}])",
              R"({"lists": [1, 2,]})", R"({"lists": {"A": {"bookmarks": {"a": tru}}}})"}) {
            row(broken, broken, "is not well-formed JSON");
        }
        row("JSON without lists", "{\"lists\": 3}", "has no \"lists\" object");
    }

    // How an SDR++ document's members are taken: a repeated key keeps its first place and takes
    // its last value at every level, members of no meaning are passed over wherever they nest,
    // and values that are no frequency are quoted as the file writes them. Each line is a
    // report line ("D"), a channel ("R frequency|name|bandwidth|mode|list") or the refusal.
    static void AddSdrppDocuments() {
        const QString groupsA =
            "D row 1: Groups now stand for the SDR++ list's group names: 1 \"A\"";
        const QString modeNull =
            "D row 1: Mode \"mode null\" is no mode the receiver has; kept as it is";
        const QString noLists =
            "ERROR the JSON has no \"lists\" object, so it is no SDR++ frequency "
            "manager file (nor a \"bookmarks\" object, as SDR++ exports)";
        Doc("a repeated bookmark keeps its first place and takes its last value",
            R"({"lists":{"A":{"bookmarks":{"x":{"frequency":1000000.0,"mode":2},"y":{"frequency":2000000.0,"mode":2},"x":{"frequency":3000000.0,"mode":4}}}}})",
            {groupsA, "R 3000000|x|2700|USB|A", "R 2000000|y|6000|AM|A"});
        Doc("SDR++'s export: bookmarks without a list",
            R"({"bookmarks":{"x":{"frequency":7000000.0,"mode":2}},"selectedList":"x"})",
            {"R 7000000|x|6000|AM|"});
        Doc("lists win over an exported bookmarks member",
            R"({"bookmarks":{"x":{"frequency":7000000.0}},"lists":{"A":{"bookmarks":{"y":{"frequency":8000000.0}}}}})",
            {groupsA, modeNull, "R 8000000|y|6000|mode null|A"});
        Doc("frequencies that are no number of Hz, and other values, quoted as written",
            R"({"lists":{"A":{"bookmarks":{"n":null,"o":{"frequency":{"hz":7},"mode":"AM","bandwidth":"wide"},"neg":{"frequency":-5},"big":{"frequency":1E20},"ok":{"frequency":7000000,"mode":[3],"bandwidth":-2}}}}})",
            {"D record 1: bookmark \"n\" of list \"A\": frequency \"null\" is not a "
             "frequency in Hz; left out",
             "D record 2: bookmark \"o\" of list \"A\": frequency \"{\"hz\":7}\" is not a "
             "frequency in Hz; left out",
             "D record 3: bookmark \"neg\" of list \"A\": frequency \"-5\" is not a "
             "frequency in Hz; left out",
             "D record 4: bookmark \"big\" of list \"A\": frequency \"1e+20\" is not a "
             "frequency in Hz; left out",
             groupsA, "D row 1: Mode \"mode [3]\" is no mode the receiver has; kept as it is",
             "R 7000000|ok|6000|mode [3]|A"});
        Doc("lists and bookmarks members that are no object are passed over",
            R"({"lists":{"A":5,"B":{"bookmarks":[1,2]},"C":{"show":true,"bookmarks":{"c1":{"frequency":7000000.5,"mode":2}}},"D":[{"bookmarks":{"d":{"frequency":1.0}}}]}})",
            {"D record 1: bookmark \"c1\" of list \"C\": frequency \"7000000.5\" is not a "
             "whole number of Hz; rounded to 7000001",
             "D row 1: Groups now stand for the SDR++ list's group names: 1 \"C\"",
             "R 7000001|c1|6000|AM|C"});
        Doc("members of no meaning, and lists nested elsewhere, are passed over",
            R"({"x":{"lists":{"Z":{"bookmarks":{"z":{"frequency":1000000.0}}}}},"lists":{"A":{"bookmarks":{"a":{"frequency":7000000,"extra":{"deep":[{"frequency":1}]},"mode":2,"bandwidth":9000.4}}}},"y":[{"lists":1}]})",
            {groupsA, "R 7000000|a|9000|AM|A"});
        Doc("a repeated member of a bookmark: the last",
            R"({"lists":{"A":{"bookmarks":{"a":{"frequency":"x","frequency":7000000.0,"mode":9,"mode":1}}}}})",
            {groupsA, "D row 1: Mode \"WFM\" is no mode the receiver has; kept as it is",
             "R 7000000|a|6000|WFM|A"});
        Doc("integers at the ends of their types, and halves",
            R"({"lists":{"A":{"bookmarks":{"u":{"frequency":18446744073709551615},"i":{"frequency":-9223372036854775808},"f":{"frequency":0.49},"h":{"frequency":0.5}}}}})",
            {"D record 2: bookmark \"i\" of list \"A\": frequency \"-9223372036854775808\" "
             "is not a frequency in Hz; left out",
             "D record 3: bookmark \"f\" of list \"A\": frequency \"0.49\" is not a "
             "frequency in Hz; left out",
             "D record 4: bookmark \"h\" of list \"A\": frequency \"0.5\" is not a whole "
             "number of Hz; rounded to 1",
             groupsA,
             "D row 1: Mode \"mode null\" is no mode the receiver has; kept as it is (and 1 "
             "later row)",
             "R 18446744073709551615|u|6000|mode null|A", "R 1|h|6000|mode null|A"});
        Doc("a document that is no object", R"([{"lists":{}}])", {noLists});
        Doc("no lists at all", R"({"lists":{}})", {});
        Doc("an exported bookmarks member that is no object", R"({"bookmarks":5})", {noLists});
        Doc("32 levels deep, inside a bookmark", NestedInBookmark(27),
            {groupsA, modeNull, "R 7000000|a|6000|mode null|A"});
        Doc("escapes in names",
            R"({"lists":{"A\u00e9":{"bookmarks":{"t\tab\u0041\ud83d\ude00":{"frequency":7000000}}}}})",
            {"D row 1: Groups now stand for the SDR++ list's group names: 1 \"A\u00e9\"", modeNull,
             "R 7000000|t\tabA\U0001F600|6000|mode null|A\u00e9"});
        Doc("empty names",
            R"({"lists":{"":{"bookmarks":{"":{"frequency":7000000.0}}},"A":{"bookmarks":{"":{"frequency":7100000.0}}}}})",
            {"D row 1: Mode \"mode null\" is no mode the receiver has; kept as it is (and 1 "
             "later row)",
             "D row 2: Groups now stand for the SDR++ list's group names: 1 \"A\"",
             "R 7000000||6000|mode null|", "R 7100000||6000|mode null|A"});
    }

    // What an SDR# entry's elements give, wherever they stand in it, and the lines reported.
    static void AddSdrsharpDocuments() {
        const QByteArray head = "<?xml version=\"1.0\"?>\n<ArrayOfMemoryEntry>\n";
        const QByteArray foot = "</ArrayOfMemoryEntry>\n";
        Doc("elements in another order, and the first of a repeated one",
            head +
                "<MemoryEntry><FilterBandwidth>9000</FilterBandwidth><Name>A</Name>"
                "<Frequency>7000000</Frequency><Name>B</Name><DetectorType>AM</DetectorType>"
                "<GroupName>G</GroupName><Frequency>8000000</Frequency></MemoryEntry>\n" +
                foot,
            {"D row 1: Groups now stand for the SDR# list's group names: 1 \"G\"",
             "R 7000000|A|9000|AM|G"});
        Doc("comments, CDATA, empty and nested elements",
            head +
                "<MemoryEntry><!-- x --><Name><![CDATA[a<b]]></Name><GroupName/>"
                "<Frequency><!-- y -->7100000</Frequency><Extra><Name>C</Name></Extra>"
                "<DetectorType></DetectorType></MemoryEntry>\n" +
                foot,
            {"D row 1: Mode \"\" is no mode the receiver has; kept as it is",
             "R 7100000|a<b|500||"});
        Doc("the lines of entries reported, counted on from one to the next",
            head + "<MemoryEntry>\n<Frequency>x</Frequency>\n</MemoryEntry>\n" +
                "<MemoryEntry><Frequency>7000000</Frequency><DetectorType>AM</DetectorType>"
                "</MemoryEntry>\n\n\n" +
                "<MemoryEntry>\n<Frequency>7000000.5</Frequency><DetectorType>AM</DetectorType>"
                "</MemoryEntry>\n" +
                "<MemoryEntry><Frequency></Frequency></MemoryEntry>\n" + foot,
            {"D line 3: Frequency \"x\" is not a frequency in Hz; entry left out",
             "D line 9: Frequency \"7000000.5\" is not a whole number of Hz; rounded to "
             "7000001",
             "D line 11: Frequency \"\" is not a frequency in Hz; entry left out",
             "R 7000000||6000|AM|", "R 7000001||6000|AM|"});
        const QByteArray two =
            "<MemoryEntry><Name>A</Name><Frequency>7000000</Frequency>"
            "<DetectorType>AM</DetectorType></MemoryEntry>\n"
            "<MemoryEntry><Name>B</Name><Frequency>7100000</Frequency>"
            "<DetectorType>AM</DetectorType></MemoryEntry>\n";
        Doc("a comment holding an end tag", head + two + "<!-- </MemoryEntry> -->\n" + foot,
            {"R 7000000|A|6000|AM|", "R 7100000|B|6000|AM|"});
        Doc("an entry in an entry",
            head +
                "<MemoryEntry><MemoryEntry><Frequency>1</Frequency></MemoryEntry>"
                "<Frequency>7000000</Frequency></MemoryEntry>" +
                foot,
            {"D row 1: Mode \"\" is no mode the receiver has; kept as it is", "R 7000000||500||"});
        Doc("entries in another element, text beside them",
            head + "<Other>" + two + "</Other>text" + two + foot,
            {"R 7000000|A|6000|AM|", "R 7100000|B|6000|AM|"});
        Doc("an attribute of the root holding '>'", "<ArrayOfMemoryEntry a=\"x>y\">" + two + foot,
            {"R 7000000|A|6000|AM|", "R 7100000|B|6000|AM|"});
        Doc("the root's end tag twice", head + two + foot + two + foot,
            {"ERROR line 8 is not well-formed XML: Start-end tags mismatch"});
        Doc("a NUL byte between entries", head + two + QByteArray(1, '\0') + two + foot,
            {"ERROR line 5 is not well-formed XML: Start-end tags mismatch"});
        Doc("UTF-8 in a list declared Latin-1",
            "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><ArrayOfMemoryEntry>"
            "<MemoryEntry><Name>Caf\xC3\xA9</Name><Frequency>7000000</Frequency>"
            "</MemoryEntry>" +
                foot,
            {"D row 1: Mode \"\" is no mode the receiver has; kept as it is",
             "R 7000000|Caf\u00C3\u00A9|500||"});
        Doc("no root", two,
            {"ERROR the XML has no <ArrayOfMemoryEntry> element, so it is no SDR# list"});
        Doc("an empty root", head + foot, {});
    }

    // What gqrx lines give where the golden files do not go: tags past the receiver's 16, a
    // modulation of no gqrx, other encodings, and files refused whole.
    static void AddGqrxDocuments() {
        QByteArray many;
        QStringList manyRead;
        QStringList named;
        for (int tag = 1; tag <= 17; ++tag) {
            many += QByteArray::number(7000000 + tag) + ";;AM;9000;T" + QByteArray::number(tag) +
                    (tag == 17 ? ",T1,T18\n" : "\n");
            named << QString("%1 \"T%1\"").arg(tag);
            manyRead << QString("R %1||9000|AM|T%2").arg(7000000 + tag).arg(tag == 17 ? 1 : tag);
        }
        named.removeLast();
        Doc("17 tags and one more", many,
            QStringList{"D row 1: Groups now stand for the gqrx bookmark file's group names: " +
                            named.join(", "),
                        "D row 17: Groups are 16 on the receiver, too few for 2 more group "
                        "names (first \"T17\"); 1 channel left without a group"} +
                manyRead);
        Doc("a modulation of no gqrx, and one kept",
            "7000000;A;FM Wide;9000;\n7100000;B;WFM (mono);;\n7200000;C;FM Wide;9000;",
            {"D line 2: Bandwidth \"\" is not a whole number of Hz; the mode's "
             "default taken",
             "D row 1: Mode \"FM Wide\" is no mode the receiver has; kept as it is "
             "(and 1 later row)",
             "D row 2: Mode \"WFM (mono)\" is no mode the receiver has; kept as it is",
             "R 7000000|A|9000|FM Wide|", "R 7100000|B|6000|WFM (mono)|",
             "R 7200000|C|9000|FM Wide|"});
        Doc("Windows-1252, a CR alone, a comment",
            "# Frequency\n7000000;a;AM;9000;\r7100000;b;AM;1;\n"
            "7200000;Caf\xe9;AM;9000;M\xfcnchen\n",
            {"D line 1: the file is not UTF-8 as gqrx writes it; read as "
             "Windows-1252",
             "D line 2: has 9 fields: neither a gqrx bookmark (5) nor a tag with its "
             "colour (name; #rrggbb); line left out",
             "D row 1: Groups now stand for the gqrx bookmark file's group names: "
             "1 \"M\u00fcnchen\"",
             "R 7200000|Caf\u00e9|9000|AM|M\u00fcnchen"});
        Doc("too large", QByteArray(static_cast<qsizetype>(kMaxBookmarkListBytes) + 1, ' '),
            {"ERROR the gqrx bookmark file is larger than 64 MiB; not read"});
        Doc("more bookmarks than channels", QByteArray("7000000;;AM;9000;\n").repeated(65536),
            {"ERROR the gqrx bookmark file holds 65536 bookmarks, more than the "
             "65535 channels a receiver holds; not read"});
    }
};

QTEST_GUILESS_MAIN(TestBookmarkLists)
#include "tst_bookmarklists.moc"
