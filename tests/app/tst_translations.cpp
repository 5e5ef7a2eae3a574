#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProcess>
#include <QXmlStreamReader>
#include <QtTest>

#include "EditorTest.h"
#include "TestData.h"
#include "app/ScheduleDialog.h"
#include "app/Translations.h"
#include "channel/ProblemGroups.h"

// The editor in the user's language: German captions where the translation has them, the
// English source texts where no translation exists. The English case runs first, before any
// translation is loaded into the application.
class TestTranslations : public EditorTest {
    Q_OBJECT

private:
    QStringList menuTitles() const {
        QStringList titles;
        for (QAction* action : m_window->menuBar()->actions()) {
            titles << action->text().remove(QLatin1Char('&'));  // without the mnemonic marks
        }
        return titles;
    }

    // The source texts of a .ts file that have no finished, non-empty translation.
    static QStringList untranslated(const QString& tsFile) {
        QFile file(tsFile);
        if (!file.open(QIODevice::ReadOnly)) {
            return {QStringLiteral("cannot read ") + tsFile};
        }
        QStringList missing;
        QXmlStreamReader xml(&file);
        QString context;
        QString source;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement) {
                continue;
            }
            if (xml.name() == QLatin1String("name")) {
                context = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            } else if (xml.name() == QLatin1String("source")) {
                source = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            } else if (xml.name() == QLatin1String("translation")) {
                const QString type = xml.attributes().value(QLatin1String("type")).toString();
                const QString text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
                if (!type.isEmpty() || text.trimmed().isEmpty()) {
                    missing << context + QStringLiteral(": ") + source;
                }
            }
        }
        if (xml.hasError()) {
            missing << tsFile + QStringLiteral(": ") + xml.errorString();
        }
        return missing;
    }

private slots:
    void init() { setUpEditor(); }

    // Every text the editor shows through tr() has a German translation: the file as it stands
    // has none unfinished, and lupdate finds no source text the file lacks.
    void everyTextHasAGermanTranslation_data() {
        QTest::addColumn<bool>("updateFromSources");
        QTest::newRow("the German file") << false;
        QTest::newRow("the German file after lupdate over the sources") << true;
    }

    void everyTextHasAGermanTranslation() {
        QFETCH(bool, updateFromSources);
        const QString source = QString::fromUtf8(CORVALEN_SOURCE_DIR);
        QString ts = source + QStringLiteral("/translations/corvalen_de.ts");
        if (updateFromSources) {
            ts = path(QStringLiteral("corvalen_de.ts"));
            QVERIFY(QFile::copy(source + QStringLiteral("/translations/corvalen_de.ts"), ts));
            QFile::setPermissions(ts, QFile::ReadOwner | QFile::WriteOwner);
            QProcess lupdate;
            lupdate.setProcessChannelMode(QProcess::MergedChannels);
            lupdate.start(QString::fromUtf8(CORVALEN_LUPDATE),
                          {QStringLiteral("-no-obsolete"), QStringLiteral("-locations"),
                           QStringLiteral("none"), QStringLiteral("-I"), source + "/src",
                           source + QStringLiteral("/src/app"), QStringLiteral("-ts"), ts});
            QVERIFY(lupdate.waitForFinished(120000));
            QVERIFY2(lupdate.exitCode() == 0, lupdate.readAll().constData());
        }
        const QStringList missing = untranslated(ts);
        QVERIFY2(missing.isEmpty(),
                 qPrintable(QStringLiteral("no German for:\n") + missing.join(QLatin1Char('\n'))));
    }

    void languageWithoutTranslationKeepsEnglish() {
        QVERIFY(!corvalen::InstallTranslations(*QCoreApplication::instance(),
                                               QLocale(QLocale::Japanese, QLocale::Japan)));
        startWindow();
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Grid View[*]"));
        QVERIFY(button(QStringLiteral("Add Row")) != nullptr);
        QCOMPARE(menuTitles().first(), QStringLiteral("File"));
    }

    void germanWindowShowsGermanCaptions() {
        QVERIFY(corvalen::InstallTranslations(*QCoreApplication::instance(),
                                              QLocale(QLocale::German, QLocale::Austria)));
        startWindow();
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Tabellenansicht[*]"));
        QVERIFY(button(QStringLiteral("Zeile anfügen")) != nullptr);
        QVERIFY(button(QStringLiteral("Add Row")) == nullptr);
        QCOMPARE(menuTitles().mid(0, 3),
                 (QStringList{QStringLiteral("Datei"), QStringLiteral("Bearbeiten"),
                              QStringLiteral("Ansicht")}));
        // Texts built while the editor runs come translated too.
        click(QStringLiteral("Zeile anfügen"));
        QCOMPARE(m_window->findChild<QAction*>(QStringLiteral("undoAction"))->text(),
                 QStringLiteral("Rückgängig Zeile anfügen"));
    }

    // Every kind of the core's messages has its German in the .ts file's "Messages" context, the
    // same as the core's catalogue gives (so the converter and the editor say it alike), and the
    // editor's table of English templates is the catalogue's.
    void coreMessagesHaveTheCataloguesGerman() {
        std::size_t count = 0;
        const corvalen::EditorMessageTemplate* table = corvalen::EditorMessageTable(count);
        QCOMPARE(count, corvalen::MessageCatalogue().size());
        for (std::size_t k = 0; k < count; ++k) {
            const auto kind = static_cast<corvalen::MessageKind>(k);
            QCOMPARE(int(table[k].kind), int(k));
            const char* english[] = {table[k].sentence, table[k].heading, table[k].member};
            for (const corvalen::TemplatePart part :
                 {corvalen::TemplatePart::Sentence, corvalen::TemplatePart::Heading,
                  corvalen::TemplatePart::Member}) {
                QCOMPARE(std::string_view(english[static_cast<int>(part)]),
                         corvalen::TemplateText(kind, part, corvalen::Language::English));
            }
        }
        QVERIFY(corvalen::InstallTranslations(*QCoreApplication::instance(),
                                              QLocale(QLocale::German, QLocale::Germany)));
        const corvalen::MessageTexts& texts = corvalen::EditorTexts();
        for (std::size_t k = 0; k < count; ++k) {
            const auto kind = static_cast<corvalen::MessageKind>(k);
            for (const corvalen::TemplatePart part :
                 {corvalen::TemplatePart::Sentence, corvalen::TemplatePart::Heading,
                  corvalen::TemplatePart::Member}) {
                const std::string_view expected =
                    corvalen::TemplateText(kind, part, corvalen::Language::German);
                QVERIFY2(
                    texts.Template(kind, part) == expected,
                    (std::string(texts.Template(kind, part)) + " is not " + std::string(expected))
                        .c_str());
            }
        }
        // A problem said in the editor: the Problems panel's words for the grouped check.
        const std::vector<corvalen::Diagnostic> problems = {
            {corvalen::Diagnostic::Place::Row,
             3,
             17,
             corvalen::MessageKind::TextTooLong,
             {"\"WWV Fort Collins Colorado\"", "12", "\"WWV Fort Col\""}},
            {corvalen::Diagnostic::Place::Row,
             7,
             17,
             corvalen::MessageKind::TextTooLong,
             {"\"CFRX Toronto Ontario\"", "12", "\"CFRX Toronto\""}}};
        const corvalen::ProblemPlaces places(nullptr, nullptr, texts);
        QCOMPARE(QString::fromStdString(corvalen::GroupedReport(problems, places).front()),
                 QStringLiteral("2 Kanäle: Rufzeichen länger als 12 Zeichen, auf 12 "
                                "gekürzt: Zeile 3: \"WWV Fort Collins Colorado\" → "
                                "\"WWV Fort Col\"; Zeile 7: \"CFRX Toronto Ontario\" → "
                                "\"CFRX Toronto\""));
    }

    // What the readers of bookmark lists and schedules say comes in German too.
    void germanListAndScheduleMessages() {
        QVERIFY(corvalen::InstallTranslations(*QCoreApplication::instance(),
                                              QLocale(QLocale::German, QLocale::Germany)));
        startWindow();
        QVERIFY(m_window->fileActions().appendFile(
            QStringLiteral(CORVALEN_TEST_DATA_DIR "/formats/sdrpp_lists/input.json")));
        QVERIFY2(status().contains("Lesezeichen \"Half\" der Liste"), qPrintable(status()));
        const corvalen::Schedule schedule = corvalen::ReadEibiSchedule("kHz:75;\n6000;;;;A\n");
        corvalen::ScheduleDialog dialog(schedule, QStringLiteral("sked.csv"));
        dialog.findChild<QLineEdit*>(QStringLiteral("at"))->setText(QStringLiteral("25"));
        QVERIFY(dialog.findChild<QLabel*>(QStringLiteral("count"))
                    ->text()
                    .startsWith(QStringLiteral("Die Zeit \"25\" ist weder")));
    }
};

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
