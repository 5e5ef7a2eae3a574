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

using namespace corvalen;

namespace {

QByteArray Lines(const std::vector<Diagnostic>& diagnostics) {
    QByteArray lines;
    for (const Diagnostic& diagnostic : diagnostics) {
        lines += QByteArray::fromStdString(diagnostic.ToString()) + '\n';
    }
    return lines;
}

// Compares with a golden file; CORVALEN_WRITE_GOLDEN=1 writes it instead, to be checked by eye.
void CompareGolden(const QByteArray& actual, const QString& path) {
    if (qEnvironmentVariableIsSet("CORVALEN_WRITE_GOLDEN")) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(actual);
        return;
    }
    QCOMPARE(actual, testing::ReadBytes(path));
}

// What a bookmark list keeps of every channel: frequency, name, bandwidth and group.
QStringList Kept(const MemoryTable& table, const std::vector<std::string>& groups) {
    QStringList rows;
    for (int row = 1; row < table.RowCount(); ++row) {
        QString group = QString::fromStdString(std::string(table.CellText(row, Groups)));
        if (!group.isEmpty()) {
            group = QString::fromStdString(groups[group.section('+', 0, 0).toUInt() - 1]);
        }
        rows << QStringList{QString::fromStdString(std::string(table.CellText(row, Frequency))),
                            QString::fromStdString(std::string(table.CellText(row, Callsign))),
                            QString::fromStdString(std::string(table.CellText(row, Bandwidth))),
                            group}
                    .join('|');
    }
    return rows;
}

}  // namespace

class TestBookmarkLists : public QObject {
    Q_OBJECT

private slots:
    // Each folder under data/formats with an input.xml or input.json holds what reading it
    // reports (read.txt), the receiver CSV of its channels (expected.csv), and both lists
    // written from them with their reports (sdrsharp.xml/.txt, sdrpp.json/.txt).
    void goldenFiles_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("input");
        const QDir root(QStringLiteral(CORVALEN_TEST_DATA_DIR "/formats"));
        for (const QString& name : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            const QStringList inputs = QDir(root.filePath(name)).entryList({"input.*"});
            if (!inputs.isEmpty()) {
                QTest::newRow(name.toUtf8().constData())
                    << root.filePath(name) << root.filePath(name) + "/" + inputs.first();
            }
        }
    }
    void goldenFiles() {
        QFETCH(QString, folder);
        QFETCH(QString, input);
        const auto read = ReadChannelFile(input.toStdString(), {"313", {}});
        QVERIFY2(read.ok(), read.ok() ? "" : read.error().message.c_str());
        QCOMPARE(read->report.format,
                 input.endsWith(".xml") ? &SdrSharpListFormat() : &SdrppListFormat());
        CompareGolden(Lines(read->report.diagnostics), folder + "/read.txt");
        CompareGolden(QByteArray::fromStdString(BuildCsvText(read->table, true).bytes),
                      folder + "/expected.csv");

        const auto sharp = WriteSdrSharpList(read->table, read->groupNames);
        QVERIFY(sharp.ok());
        CompareGolden(QByteArray::fromStdString(sharp->bytes), folder + "/sdrsharp.xml");
        CompareGolden(Lines(sharp->diagnostics), folder + "/sdrsharp.txt");
        const BookmarkListText sdrpp = WriteSdrppList(read->table, read->groupNames);
        CompareGolden(QByteArray::fromStdString(sdrpp.bytes), folder + "/sdrpp.json");
        CompareGolden(Lines(sdrpp.diagnostics), folder + "/sdrpp.txt");

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
        QCOMPARE(WriteSdrppList(sdrppAgain->table, sdrppAgain->groupNames).bytes, sdrpp.bytes);
    }

    // The same SDR# lists saved as UTF-16, either byte order, and named as no list is: told
    // by their content and read as they read in UTF-8, the lines that messages name included.
    void utf16ListsReadAsInUtf8_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<bool>("littleEndian");
        const QDir root(QStringLiteral(CORVALEN_TEST_DATA_DIR "/formats"));
        for (const QString& name : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            const QByteArray input = testing::ReadBytes(root.filePath(name) + "/input.xml");
            if (!input.isEmpty() && IsWellFormedUtf8(input.toStdString())) {
                for (const bool little : {true, false}) {
                    QTest::newRow((name + (little ? " LE" : " BE")).toUtf8().constData())
                        << root.filePath(name) << little;
                }
            }
        }
    }
    void utf16ListsReadAsInUtf8() {
        QFETCH(QString, folder);
        QFETCH(bool, littleEndian);
        const QString text = QString::fromUtf8(testing::ReadBytes(folder + "/input.xml"));
        QByteArray bytes = littleEndian ? QByteArray("\xFF\xFE") : QByteArray("\xFE\xFF");
        for (const QChar unit : text) {
            const char high = static_cast<char>(unit.unicode() >> 8);
            const char low = static_cast<char>(unit.unicode() & 0xFF);
            bytes.append(littleEndian ? low : high).append(littleEndian ? high : low);
        }
        QTemporaryDir dir;
        const QString path = dir.filePath("saved as unicode.txt");
        QVERIFY(testing::WriteBytes(path, bytes));
        const auto read = ReadChannelFile(path.toStdString(), {"313", {}});
        QVERIFY2(read.ok(), read.ok() ? "" : read.error().message.c_str());
        QCOMPARE(read->report.format, &SdrSharpListFormat());
        QCOMPARE(Lines(read->report.diagnostics), testing::ReadBytes(folder + "/read.txt"));
        QCOMPARE(QByteArray::fromStdString(BuildCsvText(read->table, true).bytes),
                 testing::ReadBytes(folder + "/expected.csv"));
    }

    // An SDR++ list keys its bookmarks by name: a name used again in one list gets the next
    // free suffix, one that a later row already spells out included; two receiver groups of
    // one name are one list. Rows are "Callsign|Groups", names come back as "list/name".
    void repeatedNamesInSdrppLists_data() {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QStringList>("groupNames");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("repeats and a spelled-out suffix")
            << QStringList{"A|1", "A|1", "A (2)|1", "A|1"} << QStringList{"L"}
            << QStringList{"L/A", "L/A (2)", "L/A (2) (2)", "L/A (3)"};
        QTest::newRow("one name in two lists")
            << QStringList{"A|1", "A|2", "A|1+2"} << QStringList{"L", "M"}
            << QStringList{"L/A", "M/A", "L/A (2)", "M/A (2)"};
        QTest::newRow("two groups of one name are one list")
            << QStringList{"A|1", "A|2"} << QStringList{"X", "X"}
            << QStringList{"X/A", "X/A (2)"};
        QTest::newRow("no group, no name")
            << QStringList{"|", "|0"} << QStringList{}
            << QStringList{"General/7100 kHz", "General/7100 kHz (2)"};
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
        const BookmarkListText list = WriteSdrppList(table, names);
        const QJsonObject lists =
            QJsonDocument::fromJson(QByteArray::fromStdString(list.bytes)).object()["lists"]
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

    // Files that are no list, or that a list never is, are refused with where and why.
    void refused_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("error");
        QTest::newRow("DTD") << QByteArray(
                                    "<?xml version=\"1.0\"?>\n<!DOCTYPE x [<!ENTITY a "
                                    "\"b\">]>\n<ArrayOfMemoryEntry/>")
                             << "line 2 declares a document type (DTD)";
        QTest::newRow("entity") << QByteArray(
                                       "<ArrayOfMemoryEntry>\n<MemoryEntry><Name>&lol;"
                                       "</Name></MemoryEntry></ArrayOfMemoryEntry>")
                                << "line 2 refers to an entity XML does not define";
        QTest::newRow("not closed")
            << QByteArray("<ArrayOfMemoryEntry>\n<MemoryEntry>\n") << "is not well-formed XML";
        QTest::newRow("JSON cut") << QByteArray("{\"lists\": {\"A\": {\"bookmarks\": {\n")
                                  << "line 2 is not well-formed JSON";
        QTest::newRow("JSON deep") << QByteArray("{\"lists\":" + QByteArray(100, '[') + "}")
                                   << "nests more than 32 levels deep";
        QTest::newRow("JSON number too large")
            << QByteArray("{\"lists\": {\"A\": {\"bookmarks\": {\"x\": {\"frequency\": 1E400}}}}}")
            << "number overflow parsing '1E400'";
        QByteArray many = "{\"bookmarks\": {";
        for (int i = 0; i <= 65535; ++i) {
            many += (i == 0 ? "" : ",") + QByteArray("\"b") + QByteArray::number(i) +
                    "\": {\"frequency\": 7000000.0}";
        }
        QTest::newRow("more bookmarks than channels")
            << many + "}}" << "holds 65536 bookmarks, more than the 65535 channels";
        QTest::newRow("JSON without lists")
            << QByteArray("{\"lists\": 3}") << "has no \"lists\" object";
    }
    void refused() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, error);
        const std::string text = bytes.toStdString();
        const auto read = LooksLikeSdrppList(text) ? ReadSdrppList(text) : ReadSdrSharpList(text);
        QVERIFY(!read.ok());
        QVERIFY2(QString::fromStdString(read.error().message).contains(error),
                 read.error().message.c_str());
    }
};

QTEST_GUILESS_MAIN(TestBookmarkLists)
#include "tst_bookmarklists.moc"
