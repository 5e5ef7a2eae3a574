#include <QDir>
#include <QFile>

#include "EditorTest.h"
#include "TestData.h"
#include "app/Translations.h"
#include "channel/ReceiverModel.h"
#include "files/ChannelFiles.h"
#include "formats/BookmarkList.h"
#include "table/MemoryTable.h"

using namespace corvalen;
using testing::Channels;
using testing::RowsNumbered;

namespace {

// The save commands: the action, the filter entry the name is chosen under, and the format
// that entry stands for (its --to word).
struct SaveCommand {
    const char* tag;
    const char* action;
    int filter;
    std::string_view format;
};
constexpr SaveCommand kSaves[] = {
    {"Save .csv", "saveCsvAction", 0, "csv"},
    {"Save .g3m", "saveMemoryFileAction", 0, "memory"},
    {"Save as CHIRP", "saveChirpAction", 0, "chirp"},
    {"Save as SDR# list", "saveListAction", 0, "sdrsharp"},
    {"Save as SDR++ list", "saveListAction", 1, "sdrpp"},
    {"Save as gqrx bookmarks", "saveListAction", 2, "gqrx"},
};

const ChannelFormat& Format(std::string_view word) {
    return *FormatNamed(word);
}

QString Latin1(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// Whether a name ending in `extension` is one a format `action` offers writes as it stands.
bool OffersExtension(const char* action, const QString& extension) {
    for (const SaveCommand& save : kSaves) {
        for (const std::string_view own : Format(save.format).AllExtensions()) {
            if (QLatin1String(save.action) == action &&
                extension.compare(Latin1(own), Qt::CaseInsensitive) == 0) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace

// The names the save dialogs produce: a save never writes one format under another's name, it
// proposes the document's name with its format's extension, and a dialog's last name stays with
// its own kind of file.
class TestSaveNames : public EditorTest {
    Q_OBJECT

private slots:
    void init() { setUpEditor(); }

    // Every save, given a name with the extension of any format (or none), writes its own
    // format under its own extension and leaves the other file alone; a name with the extension
    // of a format the dialog offers picks that format.
    void savedUnderTheFormatsExtension_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("filter");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written");
        QStringList extensions = {QString()};
        for (const ChannelFormat* format : ChannelFormats()) {
            for (const std::string_view extension : format->AllExtensions()) {
                extensions << Latin1(extension) << Latin1(extension).toUpper();
            }
        }
        extensions.removeDuplicates();
        const ReceiverModel model("313");
        for (const SaveCommand& save : kSaves) {
            const QString own = Latin1(Format(save.format).Extensions(model).front());
            for (const QString& typed : extensions) {
                if (save.format == "memory" && typed.compare(".15m", Qt::CaseInsensitive) == 0) {
                    continue;  // another model's memory file: refused (see below)
                }
                const QString written =
                    OffersExtension(save.action, typed) ? "list" + typed : "list" + own;
                QTest::addRow("%s as list%s", save.tag, qPrintable(typed))
                    << save.action << save.filter << "list" + typed << written;
            }
        }
        // A name that says no format gets the format's extension after it.
        QTest::newRow("Save as SDR++ list as my.list") << "saveListAction" << 1 << "my.list"
                                                       << "my.list.json";
    }
    void savedUnderTheFormatsExtension() {
        QFETCH(QString, action);
        QFETCH(int, filter);
        QFETCH(QString, typed);
        QFETCH(QString, written);
        if (action == QLatin1String("saveListAction") && filter == 0 && !SdrSharpListsSupported()) {
            QSKIP("this build writes no SDR# lists");
        }
        startWindow(Channels(2));
        // The file the typed name points at, when it exists, keeps its bytes.
        const QByteArray old("bytes of another file");
        const bool other = typed != written;
        if (other) {
            QVERIFY(testing::WriteBytes(path(typed), old));
        }
        m_dialogs->answers = {path(typed)};
        m_dialogs->filters = {filter};
        trigger(action.toLatin1().constData());
        QVERIFY2(QFile::exists(path(written)), qPrintable(statusLine(*m_window)));
        QVERIFY2(statusLine(*m_window).contains(written), qPrintable(statusLine(*m_window)));
        if (other) {
            QCOMPARE(testing::ReadBytes(path(typed)), old);
        }
        QStringList files = QDir(m_dir->path()).entryList({"list*", "my*"}, QDir::Files);
        if (other) {
            files.removeAll(typed);
        }
        QCOMPARE(files, QStringList{written});
    }

    // A memory file of another receiver model is refused, not written as one of this model's.
    void memoryFileOfAnotherModelIsRefused() {
        startWindow(Channels(2));
        m_dialogs->answers = {path("list.15m")};
        trigger("saveMemoryFileAction");
        QVERIFY(!QFile::exists(path("list.15m")));
        QVERIFY(!QFile::exists(path("list.15m.g3m")));
        QVERIFY2(statusLine(*m_window).contains("is a .15m memory file"),
                 qPrintable(statusLine(*m_window)));
    }

    // Each save proposes the document's name with the extension of the format its dialog
    // offers first, for the receiver model's files.
    void proposesTheDocumentsName_data() {
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("proposed");
        for (const char* name : {"313", "315"}) {
            const ReceiverModel model = ReceiverModel::FromText(name).value();
            for (const SaveCommand& save : kSaves) {
                if (save.filter == 0) {
                    QTest::addRow("%s, model %s", save.tag, name)
                        << name << save.action
                        << "channels" + Latin1(Format(save.format).Extensions(model).front());
                }
            }
        }
    }
    void proposesTheDocumentsName() {
        QFETCH(QString, model);
        QFETCH(QString, action);
        QFETCH(QString, proposed);
        startWindow(Channels(2));  // opened from channels.csv
        m_window->document().setModelName(model);
        m_dialogs->answers = {QString()};
        trigger(action.toLatin1().constData());
        // The name alone: the dialog starts in the Winradio folder.
        QCOMPARE(m_dialogs->shown.last().fileName, proposed);
        QCOMPARE(m_dialogs->shown.last().initialFolder, m_window->document().winradioPath());
    }

    // A name chosen in one kind of dialog is not where another kind starts; within its kind it
    // is kept.
    void lastNameStaysWithItsKind_data() {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("second");
        QTest::addColumn<QString>("startsFrom");  // the second dialog's file name
        const auto row = [](const char* name, const char* first, const char* answer,
                            const char* second, const char* startsFrom) {
            QTest::newRow(name) << first << answer << second << startsFrom;
        };
        row("Winradio program, then Open", "winradioFolderAction", "G313/G313.exe", "openCsvAction",
            "");
        row("Open, then Winradio program", "openCsvAction", "other.csv", "winradioFolderAction",
            "");
        row("Winradio program, then Open .g3m", "winradioFolderAction", "G313/G313.exe",
            "openMemoryFileAction", "");
        row("Appended SDR++ list, then Save as list", "appendAction", "extra.json",
            "saveListAction", "=channels.xml");
        row("Schedule, then Append", "importScheduleAction", "sked-A26.csv", "appendAction", "");
        row("Open, then Open again", "openCsvAction", "other.csv", "openCsvAction", "other.csv");
        row("Open .g3m, then Open .g3m again", "openMemoryFileAction", "other.g3m",
            "openMemoryFileAction", "other.g3m");
    }
    void lastNameStaysWithItsKind() {
        QFETCH(QString, first);
        QFETCH(QString, answer);
        QFETCH(QString, second);
        QFETCH(QString, startsFrom);
        startWindow(Channels(2));
        m_dialogs->answers = {path(answer)};
        trigger(first.toLatin1().constData());
        m_window->document().undoStack().setClean();  // no question before an open
        m_dialogs->answers = {QString()};
        trigger(second.toLatin1().constData());
        // "=name": the name a save proposes, as it stands.
        QCOMPARE(m_dialogs->shown.last().fileName, startsFrom.isEmpty()         ? QString()
                                                   : startsFrom.startsWith('=') ? startsFrom.mid(1)
                                                                                : path(startsFrom));
    }

    // The status line and its tooltip count what the memory file holds after the save.
    void memoryFileSaveCountsWhatTheFileHolds_data() {
        QTest::addColumn<QList<int>>("numbers");
        QTest::addColumn<QByteArray>("oldPlaces");  // per old record: '#' one, '0' an empty place
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("firstDetail");
        QTest::newRow("rows repeat")
            << QList<int>{1, 2, 3, 2, 1} << QByteArray()
            << "Wrote 3 records of 92 bytes to m.g3m; 2 rows replaced by a later row with the "
               "same Number; 2 problems reported"
            << "Replaced by a later row with the same Number: row 1 (by row 5), row 2 (by row 4)";
        QTest::newRow("over a file with empty places")
            << QList<int>{1, 2, 2, 3} << QByteArray("##0##0#")
            << "Wrote 3 records of 92 bytes to m.g3m; 3 records already in the file kept; 1 row "
               "replaced by a later row with the same Number; 1 problem reported"
            << "Replaced by a later row with the same Number: row 2 (by row 3)";
        QList<int> chirp;  // 134 rows, the last 25 repeating channels 1 to 25
        for (int n = 1; n <= 109; ++n) {
            chirp << n;
        }
        for (int n = 1; n <= 25; ++n) {
            chirp << n;
        }
        QString rows;
        for (int n = 1; n <= 20; ++n) {
            rows += QStringLiteral("row %1 (by row %2), ").arg(n).arg(109 + n);
        }
        QTest::newRow("134 rows, 25 repeated")
            << chirp << QByteArray()
            << "Wrote 109 records of 92 bytes to m.g3m; 25 rows replaced by a later row with the "
               "same Number; 25 problems reported"
            << "Replaced by a later row with the same Number: " + rows + "5 more";
        QTest::newRow("no repeats") << QList<int>{1, 2} << QByteArray("###")
                                    << "Wrote 2 records of 92 bytes to m.g3m; 1 record already "
                                       "in the file kept"
                                    << "";
    }
    void memoryFileSaveCountsWhatTheFileHolds() {
        QFETCH(QList<int>, numbers);
        QFETCH(QByteArray, oldPlaces);
        QFETCH(QString, status);
        QFETCH(QString, firstDetail);
        startWindow(RowsNumbered(numbers));
        QByteArray old;
        for (const char place : oldPlaces) {
            old += QByteArray(92, place == '#' ? char(0xAB) : char(0));
        }
        if (!oldPlaces.isEmpty()) {
            QVERIFY(testing::WriteBytes(path("m.g3m"), old));
        }
        m_dialogs->answers = {path("m.g3m")};
        trigger("saveMemoryFileAction");
        QCOMPARE(statusLine(*m_window), status);
        QCOMPARE(statusTooltip(*m_window).section('\n', 0, 0), firstDetail);
        // (What the file then holds: the converter's summaryCountsWhatTheFileHolds.)
    }
    // An EiBi schedule opened as a channel file is refused, saying how to import it; the table
    // stays.
    void scheduleOpenedAsChannelFileIsRefused() {
        startWindow(Channels(2));
        const QString sked = QStringLiteral(CORVALEN_TEST_DATA_DIR "/formats/eibi/sked-A26.csv");
        m_dialogs->answers = {sked};
        trigger("openCsvAction");
        QVERIFY2(statusLine(*m_window).contains(
                     "is an EiBi broadcast schedule: pick its broadcasts with File > Import "
                     "Broadcast Schedule, or with corvalen-cli schedule"),
                 qPrintable(statusLine(*m_window)));
        QCOMPARE(table().ChannelCount(), 2);
    }

    // The texts a format declares are shown in the language loaded (last: the translation
    // stays installed).
    void formatTextsInGerman() {
        QVERIFY(InstallTranslations(*QCoreApplication::instance(),
                                    QLocale(QLocale::German, QLocale::Germany)));
        startWindow(RowsNumbered({1, 2, 1}));
        m_dialogs->answers = {path("m.g3m")};
        trigger("saveMemoryFileAction");
        QCOMPARE(m_dialogs->shown.last().filter, QStringLiteral("Speicherdateien (*.g3m)|*.g3m"));
        QVERIFY2(statusLine(*m_window).startsWith(
                     QStringLiteral("2 Datensätze zu 92 Byte in m.g3m geschrieben; 1 Zeile durch "
                                    "eine spätere Zeile mit derselben Nummer ersetzt")),
                 qPrintable(statusLine(*m_window)));
        QVERIFY2(statusTooltip(*m_window).startsWith(
                     QStringLiteral("Durch eine spätere Zeile mit derselben Nummer ersetzt: Zeile "
                                    "1 (durch Zeile 3)")),
                 qPrintable(statusTooltip(*m_window)));
    }
};

QTEST_MAIN(TestSaveNames)
#include "tst_savenames.moc"
