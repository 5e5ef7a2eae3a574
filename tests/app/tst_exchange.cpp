#include <QHeaderView>
#include <QPrinter>
#include <QRegularExpression>
#include <QTableView>
#include <QUndoStack>

#include "EditorTest.h"
#include "app/PrintActions.h"
#include "csv/ChirpCsv.h"
#include "files/ChannelFiles.h"
#include "g3m/G3mFile.h"
#include "io/SafeFile.h"

using namespace corvalen;

namespace {

// Prints into a PDF file instead of asking for a printer; `accept` false is a cancel.
class PdfPrinterChooser : public PrinterChooser {
public:
    QString file;
    bool accept = true;
    bool choose(QPrinter& printer) override {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        return accept;
    }
};

int PdfPages(const QByteArray& pdf) {
    return int(
        QString::fromLatin1(pdf).count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))));
}

}  // namespace

class TestExchange : public EditorTest {
    Q_OBJECT

    QString writeChirp(const QString& name, int channels) {
        testing::WriteBytes(path(name), QByteArray::fromStdString(
                                            BuildChirpCsvText(testing::Channels(channels)).bytes));
        return path(name);
    }

private slots:
    void init() { setUpEditor(); }

    void everyOpenRecognisesChirpFiles() {
        MainWindow& window = startWindow(testing::Channels(5));
        m_dialogs->answers = {writeChirp(QStringLiteral("list.csv"), 3)};
        trigger("openCsvAction");
        QCOMPARE(table().ChannelCount(), 3);
        QCOMPARE(table().CellText(2, Frequency), std::string("7010000"));
        QCOMPARE(table().CellText(2, Mode), std::string("USB"));
        QVERIFY2(status().startsWith("Read 3 channels from the CHIRP file list.csv"),
                 qPrintable(status()));
        window.document().undoStack().undo();
        QCOMPARE(table().ChannelCount(), 5);
        // A file from "Recent files" or a drop is recognised the same way.
        m_boxes->unsavedAnswers = {UnsavedChangesAnswer::Discard};  // the undone open
        QVERIFY(window.fileActions().openFile(path(QStringLiteral("list.csv"))));
        QCOMPARE(table().ChannelCount(), 3);
    }

    void saveAsChirpKeepsTheUnsavedMark() {
        MainWindow& window = startWindow(testing::Channels(3));
        model().setData(model().index(0, Callsign), QStringLiteral("NEW"));
        QVERIFY(window.isWindowModified());
        const QString target = path(QStringLiteral("chirp.csv"));
        m_dialogs->answers = {target};
        trigger("saveChirpAction");
        QCOMPARE(testing::ReadBytes(target),
                 QByteArray::fromStdString(BuildChirpCsvText(table()).bytes));
        QVERIFY2(status().startsWith("Saved 3 channels to the CHIRP file chirp.csv; 4 problems "
                                     "reported\nrow 1: Bandwidth \"2400\" has no place"),
                 qPrintable(status()));
        QCOMPARE(m_dialogs->shown.last().filter, QStringLiteral("CHIRP files (*.csv)|*.csv"));
        QVERIFY(window.isWindowModified());  // an export: the table itself is not saved
    }

    // The channels of each kind of file go after the last row, with their own numbers, as one
    // undo step.
    void append_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("model");
        QTest::newRow("CHIRP file") << "chirp.csv"
                                    << "313";
        QTest::newRow("receiver CSV file") << "receiver.csv"
                                           << "313";
        QTest::newRow("G315 memory file") << "memory.15m"
                                          << "315";
    }
    void append() {
        QFETCH(QString, file);
        QFETCH(QString, model);
        startWindow(testing::Channels(2));
        m_window->document().setModelName(model);
        const MemoryTable channels = testing::Channels(3);
        if (file.endsWith(".15m")) {
            QVERIFY(SaveG3mFile(path(file).toStdString(), channels, "315").ok());
        } else if (file.startsWith("chirp")) {
            writeChirp(file, 3);
        } else {
            writeCsv(file, channels);
        }
        QUndoStack& undo = m_window->document().undoStack();
        const int steps = undo.count();
        m_dialogs->answers = {path(file)};
        trigger("appendAction");
        QVERIFY2(status().startsWith("Appended 3 channels from " + file + " after row 2"),
                 qPrintable(status()));
        QCOMPARE(testing::ColumnTexts(table(), Number), QStringList({"1", "2", "1", "2", "3"}));
        QCOMPARE(table().CellText(5, Callsign), std::string("C3"));
        QCOMPARE(undo.count(), steps + 1);
        undo.undo();
        QCOMPARE(table().ChannelCount(), 2);
        undo.redo();
        QCOMPARE(table().ChannelCount(), 5);
    }

    void appendToTheStartupGrid() {
        MainWindow& window = startWindow();
        QVERIFY(window.fileActions().appendFile(writeChirp(QStringLiteral("list.csv"), 2)));
        QCOMPARE(table().ColCount(), kImportedColumnCount);
        QCOMPARE(table().ChannelCount(), kStartupRowCount - 1 + 2);
        QCOMPARE(table().CellText(kStartupRowCount + 1, Callsign), std::string("C2"));
        QVERIFY(window.document().hasImportColumns());
        window.document().undoStack().undo();
        QCOMPARE(table().ColCount(), kStartupColumnCount);
        QVERIFY(!window.document().hasImportColumns());
    }

    void memoryFilesFollowTheModel_data() {
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("otherFile");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("313") << "313"
                             << "Memory files (*.g3m)|*.g3m"
                             << "x.15m"
                             << "x.15m is a .15m memory file, for the receiver models 305 and "
                                "315, not \"313\"; nothing opened";
        QTest::newRow("315") << "315"
                             << "Memory files (*.15m)|*.15m"
                             << "x.g3m"
                             << "x.g3m is a .g3m memory file; the receiver model 315 uses .15m "
                                "files; nothing opened";
    }
    void memoryFilesFollowTheModel() {
        QFETCH(QString, model);
        QFETCH(QString, filter);
        QFETCH(QString, otherFile);
        QFETCH(QString, refusal);
        MainWindow& window = startWindow(testing::Channels(2));
        window.document().setModelName(model);
        trigger("openG3mAction");  // cancelled
        QCOMPARE(m_dialogs->shown.last().filter, filter);
        testing::WriteBytes(path(otherFile), QByteArray(100, '\0'));
        QVERIFY(!window.fileActions().openFile(path(otherFile)));
        QVERIFY2(window.statusText().endsWith(refusal), qPrintable(window.statusText()));
        QCOMPARE(table().ChannelCount(), 2);
    }

    // Printing takes the rows, columns and order the grid shows.
    void printsTheGridAsShown() {
        MainWindow& window = startWindow(testing::Channels(12));
        QTableView& grid = *window.grid();
        grid.sortByColumn(Frequency, Qt::DescendingOrder);
        grid.setColumnHidden(Bandwidth, true);
        grid.horizontalHeader()->moveSection(Callsign, 0);
        window.findBar().findRows(QStringLiteral("C1"));  // C1, C10, C11, C12
        const ChannelListPrint list = window.printActions().listToPrint();
        QCOMPARE(list.title, QStringLiteral("channels.csv"));
        QCOMPARE(PrintedHeadings(list).mid(0, 4),
                 QStringList({"Callsign", "Number", "Frequency", "IF Shift"}));
        QCOMPARE(list.model->rowCount(), 4);
        QCOMPARE(PrintedRow(list, 3).mid(0, 3), QStringList({"C1", "1", "7005000"}));
        // Frequencies in the unit the grid shows.
        trigger("frequencyMHzAction");
        QCOMPARE(PrintedRow(window.printActions().listToPrint(), 3).mid(0, 3),
                 QStringList({"C1", "1", "7.005000"}));
    }

    void printAndExportPdf() {
        MainWindow& window = startWindow(testing::Channels(150));
        PdfPrinterChooser chooser;
        chooser.file = path(QStringLiteral("printed.pdf"));
        window.printActions().setPrinterChooser(&chooser);
        trigger("printAction");
        const int pages = PdfPages(testing::ReadBytes(chooser.file));
        QVERIFY2(pages >= 2, qPrintable(QString::number(pages)));  // 150 rows: more than a page
        QCOMPARE(window.statusText(), QStringLiteral("Printed %1 pages").arg(pages));

        const QString pdf = path(QStringLiteral("list.pdf"));
        m_dialogs->answers = {pdf};
        trigger("exportPdfAction");
        QVERIFY(testing::ReadBytes(pdf).startsWith("%PDF"));
        QCOMPARE(PdfPages(testing::ReadBytes(pdf)), pages);
        QCOMPARE(window.statusText(), QStringLiteral("Exported %1 pages to list.pdf").arg(pages));
        QCOMPARE(QDir(m_dir->path()).entryList({QStringLiteral(".*")}, QDir::Hidden | QDir::Files),
                 QStringList());  // no temporary file left behind
        // The mode every other save gives (the user's umask applied), not a private one.
        const QString csv = path(QStringLiteral("list.csv"));
        QVERIFY(corvalen::WriteFileAtomically(csv.toStdString(), "x").ok());
        QCOMPARE(QFile::permissions(pdf), QFile::permissions(csv));

        chooser.accept = false;
        trigger("printAction");
        QCOMPARE(window.statusText(), QStringLiteral("Exported %1 pages to list.pdf").arg(pages));
    }
};

QTEST_MAIN(TestExchange)
#include "tst_exchange.moc"
