#include <QAbstractButton>
#include <QComboBox>
#include <QDockWidget>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QRegularExpression>
#include <QTabBar>
#include <QTimer>
#include <QXmlStreamReader>
#include <functional>

#include "EditorTest.h"
#include "TestData.h"
#include "app/ChannelRangeDialog.h"
#include "app/CompareDialog.h"
#include "app/EditDialogs.h"
#include "app/PrintActions.h"
#include "app/ProblemsPanel.h"
#include "app/ScheduleDialog.h"
#include "app/SeasonPreviewDialog.h"
#include "app/SetFieldDialog.h"
#include "app/StatusText.h"
#include "app/Translations.h"
#include "channel/ProblemGroups.h"
#include "g3m/MemoryRecord.h"
#include "table/Columns.h"

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

    // The texts a window shows, keyed by where they stand: titles, labels, buttons, hints in
    // empty fields, list entries, headings, tooltips, menus and their shortcuts.
    using ShownTexts = QMap<QString, QString>;

    static QString Plain(QString text) {
        text.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
        text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
        text.remove(QLatin1Char('&'));
        text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
        return text.simplified();
    }

    static void collectAction(QAction* action, const QString& key, ShownTexts& out) {
        if (action->isSeparator() || !action->isVisible()) {
            return;
        }
        const auto put = [&](const QString& what, const QString& text) {
            if (!Plain(text).isEmpty()) {
                out.insert(key + what, Plain(text));
            }
        };
        put(QStringLiteral(":text"), action->text());
        if (Plain(action->toolTip()) != Plain(action->text())) {
            put(QStringLiteral(":tip"), action->toolTip());
        }
        put(QStringLiteral(":keys"), action->shortcut().toString(QKeySequence::NativeText));
        if (QMenu* menu = action->menu()) {
            const QList<QAction*> entries = menu->actions();
            for (qsizetype i = 0; i < entries.size(); ++i) {
                collectAction(entries[i], key + QStringLiteral("/%1").arg(i), out);
            }
        }
    }

    static void collectWidget(QWidget* widget, QWidget* root, const QString& path,
                              ShownTexts& out) {
        if (widget != root && !widget->isVisibleTo(root)) {
            return;
        }
        const auto put = [&](const QString& what, const QString& text) {
            if (!Plain(text).isEmpty()) {
                out.insert(path + what, Plain(text));
            }
        };
        if (widget->isWindow() || qobject_cast<QDockWidget*>(widget) != nullptr) {
            put(QStringLiteral(":title"), widget->windowTitle());
        }
        put(QStringLiteral(":tip"), widget->toolTip());
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            put(QStringLiteral(":text"), label->text());
        } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            put(QStringLiteral(":text"), button->text());
        } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
            put(QStringLiteral(":text"), group->title());
        } else if (auto* line = qobject_cast<QLineEdit*>(widget)) {
            put(QStringLiteral(":hint"), line->placeholderText());
        } else if (auto* box = qobject_cast<QComboBox*>(widget)) {
            for (int i = 0; i < box->count(); ++i) {
                put(QStringLiteral(":item%1").arg(i), box->itemText(i));
            }
        } else if (auto* tabs = qobject_cast<QTabBar*>(widget)) {
            for (int i = 0; i < tabs->count(); ++i) {
                put(QStringLiteral(":tab%1").arg(i), tabs->tabText(i));
            }
        } else if (auto* header = qobject_cast<QHeaderView*>(widget);
                   header != nullptr && header->orientation() == Qt::Horizontal &&
                   header->model() != nullptr) {
            for (int i = 0; i < header->count(); ++i) {
                if (!header->isSectionHidden(i)) {
                    put(QStringLiteral(":heading%1").arg(i),
                        header->model()->headerData(i, Qt::Horizontal).toString());
                }
            }
        }
        const QList<QAction*> actions = widget->actions();
        for (qsizetype i = 0; i < actions.size(); ++i) {
            collectAction(actions[i], path + QStringLiteral(":action%1").arg(i), out);
        }
        QMap<QString, int> seen;
        for (QObject* child : widget->children()) {
            auto* childWidget = qobject_cast<QWidget*>(child);
            if (childWidget == nullptr || (childWidget->isWindow() && childWidget != root)) {
                continue;
            }
            const QString kind = QString::fromLatin1(child->metaObject()->className());
            collectWidget(
                childWidget, root,
                path + QLatin1Char('/') + kind + QLatin1Char('#') + QString::number(seen[kind]++),
                out);
        }
    }

    static ShownTexts Collect(QWidget* root) {
        ShownTexts out;
        collectWidget(root, root, QString(), out);
        return out;
    }

    // Runs `open`, which shows a modal dialog, and collects the dialog's texts before closing
    // it as Esc would.
    static ShownTexts CollectModal(const std::function<void()>& open) {
        ShownTexts out;
        bool seen = false;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (dialog == nullptr || seen) {
                return;
            }
            seen = true;
            out = Collect(dialog);
            if (auto* modal = qobject_cast<QDialog*>(dialog)) {
                modal->reject();
            }
        });
        poll.start(10);
        open();
        if (!seen) {
            out.insert(QStringLiteral("(no dialog)"), QStringLiteral("no dialog was shown"));
        }
        return out;
    }

    // The texts of one of the editor's windows or dialogs, in the language installed now.
    ShownTexts shownTexts(const QString& what) {
        setUpEditor();
        if (what == QLatin1String("main window")) {
            corvalen::MemoryTable channels = testing::Channels(3);
            channels.SetCellText(2, corvalen::Groups, "2+17");  // the Problems panel shows
            startWindow(channels);
            m_window->findBar().open();
            (void)QTest::qWaitFor([this] { return m_window->problemsPanel().isVisible(); }, 2000);
            ShownTexts texts = Collect(m_window.get());
            // The status line tells of the file just read, whose name it holds.
            m_window.reset();
            return texts;
        }
        if (what == QLatin1String("Add Channel Range")) {
            corvalen::ChannelRangeDialog dialog(testing::Channels(3));
            return Collect(&dialog);
        }
        if (what == QLatin1String("Set Field")) {
            corvalen::SetFieldDialog dialog(testing::Channels(3), corvalen::Mode, 2);
            return Collect(&dialog);
        }
        if (what == QLatin1String("broadcast schedule")) {
            const corvalen::Schedule schedule =
                corvalen::ReadEibiSchedule("kHz:75;\n6000;1800-1900;Sa;;A\n");
            corvalen::ScheduleDialog dialog(schedule, QStringLiteral("sked.csv"));
            return Collect(&dialog);
        }
        if (what == QLatin1String("season update")) {
            const corvalen::MemoryTable table = testing::Channels(2);
            corvalen::SeasonUpdate update;
            update.kept = {1};
            update.updated = {{2, "1800-1900 E"}};
            corvalen::SeasonPreviewDialog dialog(table, update, QStringLiteral("sked.csv"));
            return Collect(&dialog);
        }
        if (what == QLatin1String("Compare with File")) {
            startWindow(testing::Channels(3));
            ShownTexts texts;
            {
                corvalen::CompareDialog dialog(m_window->document(),
                                               CORVALEN_TEST_DATA_DIR "/cli/channel5/expected.csv");
                texts = Collect(&dialog);
            }
            m_window.reset();
            return texts;
        }
        if (what == QLatin1String("Go to Channel")) {
            corvalen::QtEditDialogs dialogs(nullptr);
            return CollectModal([&] { dialogs.askChannelNumber(); });
        }
        if (what == QLatin1String("file dialog")) {
            corvalen::QtFileDialogPresenter files(nullptr);
            corvalen::FileDialogSettings settings;
            settings.initialFolder = m_dir->path();
            settings.filter = QStringLiteral("CSV (*.csv)|*.csv");
            settings.title = QStringLiteral("Corvalen");
            return CollectModal([&] { files.show(settings); });
        }
        if (what == QLatin1String("print dialog")) {
            startWindow(testing::Channels(3));
            ShownTexts texts = CollectModal([&] { trigger("printAction"); });
            m_window.reset();
            return texts;
        }
        corvalen::QtMessageBoxes boxes(nullptr);
        const QString title = QStringLiteral("Corvalen");
        if (what == QLatin1String("unsaved changes")) {
            return CollectModal([&] { boxes.askUnsavedChanges(title, title, ".g3m"); });
        }
        if (what == QLatin1String("overwrite")) {
            return CollectModal([&] { boxes.confirmOverwrite(title, title); });
        }
        if (what == QLatin1String("Location 0")) {
            return CollectModal([&] { boxes.askChirpNumbering(title, title); });
        }
        return CollectModal([&] { boxes.information(title, title); });
    }

    // Words that are the same in both languages: names and units.
    static bool SameInEveryLanguage(const QString& word) {
        static const QSet<QString> names = [] {
            QSet<QString> set{"Corvalen", "CSV", "csv", "g3m", "Hz", "kHz", "MHz", "CHIRP", "SDR",
                              "Winradio", "WiNRADiO", "OK", "PDF", "EiBi", "Location", "Locations",
                              "Squelch", "Esc", "Tab", "Alt", "sked", "Sa", "NAME", "HHMM", "UTC",
                              "Eu", "NAm", "Start",
                              // German words too
                              "Name", "Band", "in", "an"};
            for (std::uint32_t code = 0; code < 32; ++code) {
                const std::string_view name = corvalen::ModeName(code);
                set.insert(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
            }
            return set;
        }();
        return names.contains(word);
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
#ifdef _WIN32
            QSKIP("lupdate is a program of the build machine: the Linux build runs it");
#endif
            ts = path(QStringLiteral("corvalen_de.ts"));
            QVERIFY(QFile::copy(source + QStringLiteral("/translations/corvalen_de.ts"), ts));
            QFile::setPermissions(ts, QFile::ReadOwner | QFile::WriteOwner);
            QProcess lupdate;
            lupdate.setProcessChannelMode(QProcess::MergedChannels);
            lupdate.start(QString::fromUtf8(CORVALEN_LUPDATE),
                          {QStringLiteral("-no-obsolete"), QStringLiteral("-locations"),
                           QStringLiteral("none"), QStringLiteral("-I"), source + "/src",
                           source + QStringLiteral("/src/app"),
                           source + QStringLiteral("/src/files"), QStringLiteral("-ts"), ts});
            QVERIFY(lupdate.waitForFinished(120000));
            QVERIFY2(lupdate.exitCode() == 0, lupdate.readAll().constData());
        }
        const QStringList missing = untranslated(ts);
        QVERIFY2(missing.isEmpty(),
                 qPrintable(QStringLiteral("no German for:\n") + missing.join(QLatin1Char('\n'))));
    }

    // Nothing the German window or its dialogs show is left in English, Qt's own dialogs and
    // buttons included: a text that is the same in both languages holds only names and units.
    void noEnglishLeftInGerman_data() {
        QTest::addColumn<QString>("what");
        for (const char* what :
             {"main window", "Add Channel Range", "Set Field", "broadcast schedule",
              "season update", "Compare with File", "Go to Channel", "file dialog", "print dialog",
              "unsaved changes", "overwrite", "Location 0", "information"}) {
            QTest::newRow(what) << QString::fromLatin1(what);
        }
    }
    void noEnglishLeftInGerman() {
        QFETCH(QString, what);
#ifdef _WIN32
        if (what == QLatin1String("print dialog")) {
            QSKIP("Windows shows its own print dialog, in the system's language");
        }
#endif
        corvalen::InstallTranslations(*QCoreApplication::instance(),
                                      QLocale(QLocale::English, QLocale::UnitedStates));
        const ShownTexts english = shownTexts(what);
        QVERIFY(corvalen::InstallTranslations(*QCoreApplication::instance(),
                                              QLocale(QLocale::German, QLocale::Germany)));
        const ShownTexts german = shownTexts(what);
        QVERIFY(!german.isEmpty());
        QStringList left;
        const QRegularExpression words(QStringLiteral("[A-Za-z][A-Za-z]+"));
        for (auto text = german.begin(); text != german.end(); ++text) {
            // A word of the English text left in the German one, the whole text or a part.
            // File names and paths are the same in both.
            const QRegularExpression paths(QStringLiteral("\\S*[/\\\\.]\\S*"));
            QSet<QString> englishWords;
            for (const QRegularExpressionMatch& word :
                 words.globalMatch(QString(english.value(text.key())).remove(paths))) {
                englishWords.insert(word.captured());
            }
            for (const QRegularExpressionMatch& word :
                 words.globalMatch(QString(text.value()).remove(paths))) {
                if (englishWords.contains(word.captured()) &&
                    !SameInEveryLanguage(word.captured())) {
                    left << text.key() + QStringLiteral(": ") + text.value();
                    break;
                }
            }
        }
        QVERIFY2(left.isEmpty(), qPrintable(QStringLiteral("in English:\n") + left.join('\n')));
    }

    // Every German text with a count reads right with one and with several.
    void countsReadRightWithOneAndSeveral_data() {
        QTest::addColumn<QString>("context");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("one");
        QTest::addColumn<QString>("several");
        const auto row = [](const char* name, const char* context, const char* source,
                            const char* one, const char* several) {
            QTest::newRow(name) << context << source << one << several;
        };
        row("rows", "Count", "%Ln row(s)", "1 Zeile", "9.750 Zeilen");
        row("channels", "Count", "%Ln channel(s)", "1 Kanal", "9.750 Kanäle");
        row("on channels", "corvalen::ScheduleDialog", "%1 of %2 pass, on %Ln channel(s)",
            "%1 von %2 passen, auf 1 Kanal", "%1 von %2 passen, auf 9.750 Kanälen");
    }
    void countsReadRightWithOneAndSeveral() {
        QFETCH(QString, context);
        QFETCH(QString, source);
        QFETCH(QString, one);
        QFETCH(QString, several);
        QVERIFY(corvalen::InstallTranslations(*QCoreApplication::instance(),
                                              QLocale(QLocale::German, QLocale::Germany)));
        const QByteArray c = context.toUtf8();
        const QByteArray s = source.toUtf8();
        QCOMPARE(QCoreApplication::translate(c, s, nullptr, 1), one);
        QCOMPARE(QCoreApplication::translate(c, s, nullptr, 9750), several);
    }

    // Every numerus text of the German file has its two forms, which differ and hold the count.
    void everyCountHasBothForms() {
        const QString file = QStringLiteral("corvalen_de.ts");
        QFile ts(QString::fromUtf8(CORVALEN_SOURCE_DIR) + QStringLiteral("/translations/") + file);
        QVERIFY(ts.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&ts);
        QString context;
        QString source;
        QStringList forms;
        int numerus = 0;
        QStringList wrong;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement() && xml.name() == QLatin1String("name")) {
                context = xml.readElementText();
            } else if (xml.isStartElement() && xml.name() == QLatin1String("source")) {
                source = xml.readElementText();
                forms.clear();
            } else if (xml.isStartElement() && xml.name() == QLatin1String("numerusform")) {
                forms << xml.readElementText();
            } else if (xml.isEndElement() && xml.name() == QLatin1String("message") &&
                       !forms.isEmpty()) {
                ++numerus;
                const QByteArray c = context.toUtf8();
                const QByteArray s = source.toUtf8();
                QVERIFY(corvalen::InstallTranslations(*QCoreApplication::instance(),
                                                      QLocale(QLocale::German, QLocale::Germany)));
                const QString single = QCoreApplication::translate(c, s, nullptr, 1);
                const QString plural = QCoreApplication::translate(c, s, nullptr, 3);
                if (forms.size() != 2 || single == plural || !single.contains(QLatin1Char('1')) ||
                    !plural.contains(QLatin1Char('3')) || plural.contains(QLatin1String("(s)"))) {
                    wrong << context + QStringLiteral(": ") + source + " -> " + single + " / " +
                                 plural;
                }
            }
        }
        QVERIFY(numerus > 0);
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QLatin1Char('\n'))));
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

    // Every kind of the core's messages has its German in the editor's compiled translation,
    // the same as the core's catalogue gives (so the converter and the editor say it alike).
    void coreMessagesHaveTheCataloguesGerman() {
        const std::size_t count = corvalen::MessageCatalogue().size();
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
        // An Error too.
        QCOMPARE(corvalen::ErrorText({corvalen::MessageKind::ErrorNotRegular, {}, "a.csv"}),
                 QStringLiteral("Kann \"a.csv\" nicht lesen: es ist keine gewöhnliche Datei"));
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
