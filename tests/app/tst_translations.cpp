#include <QAbstractButton>
#include <QDockWidget>
#include <QGroupBox>
#include <QProcess>
#include <QRegularExpression>
#include <QTabBar>
#include <QXmlStreamReader>

#include "EditorTest.h"
#include "app/ChannelRangeDialog.h"
#include "app/CompareDialog.h"
#include "app/EditDialogs.h"
#include "app/ProblemsPanel.h"
#include "app/ScheduleDialog.h"
#include "app/SeasonPreviewDialog.h"
#include "app/SetFieldDialog.h"
#include "app/StatusText.h"
#include "channel/ProblemGroups.h"
#include "g3m/MemoryRecord.h"

using namespace corvalen;

// The editor in the user's language: German captions where the translation has them, the
// English source texts where no translation exists. The English case runs first, before any
// translation is loaded into the application.
class TestTranslations : public EditorTest {
    Q_OBJECT

private:
    // A message of a .ts file: where it is used, its source text, whether its translation is
    // unfinished (or empty), and the forms of a text with a count.
    struct TsMessage {
        QString context;
        QString source;
        bool missing = false;
        QStringList forms;
    };
    // The messages of a .ts file; a file that cannot be read is a missing message of its own.
    static QList<TsMessage> Messages(const QString& tsFile) {
        QFile file(tsFile);
        if (!file.open(QIODevice::ReadOnly)) {
            return {{QStringLiteral("cannot read"), tsFile, true, {}}};
        }
        QList<TsMessage> messages;
        QXmlStreamReader xml(&file);
        QString context;
        QString translation;  // the text of the translation being read, its forms included
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isCharacters()) {
                translation += xml.text();
            } else if (xml.isEndElement() && xml.name() == QLatin1String("translation")) {
                messages.last().missing |= translation.trimmed().isEmpty();
            }
            if (!xml.isStartElement()) {
                continue;
            }
            const auto text = [&] {
                return xml.readElementText(QXmlStreamReader::IncludeChildElements);
            };
            if (xml.name() == QLatin1String("name")) {
                context = text();
            } else if (xml.name() == QLatin1String("source")) {
                messages.append({context, text(), false, {}});
            } else if (xml.name() == QLatin1String("translation")) {
                messages.last().missing = !xml.attributes().value(QLatin1String("type")).isEmpty();
                translation.clear();
            } else if (xml.name() == QLatin1String("numerusform")) {
                messages.last().forms << text();
                translation += messages.last().forms.last();
            }
        }
        if (xml.hasError()) {
            messages.append({tsFile, xml.errorString(), true, {}});
        }
        return messages;
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

    static void Put(ShownTexts& out, const QString& key, const QString& text) {
        if (!Plain(text).isEmpty()) {
            out.insert(key, Plain(text));
        }
    }

    static void collectAction(QAction* action, const QString& key, ShownTexts& out) {
        if (action->isSeparator() || !action->isVisible()) {
            return;
        }
        const auto put = [&](const QString& what, const QString& text) {
            Put(out, key + what, text);
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
            Put(out, path + what, text);
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
        if (!WithModal(open, [&](QWidget* dialog) {
                out = Collect(dialog);
                if (auto* modal = qobject_cast<QDialog*>(dialog)) {
                    modal->reject();
                }
            })) {
            out.insert(QStringLiteral("(no dialog)"), QStringLiteral("no dialog was shown"));
        }
        return out;
    }

    // The texts of one of the editor's windows or dialogs, in the language installed now.
    ShownTexts shownTexts(const QString& what) {
        setUpEditor();
        if (what == QLatin1String("main window")) {
            MemoryTable channels = testing::Channels(3);
            channels.SetCellText(2, Groups, "2+17");  // the Problems panel shows
            startWindow(channels);
            m_window->findBar().open();
            (void)QTest::qWaitFor([this] { return m_window->problemsPanel().isVisible(); }, 2000);
            ShownTexts texts = Collect(m_window.get());
            // The status line tells of the file just read, whose name it holds.
            m_window.reset();
            return texts;
        }
        if (what == QLatin1String("Add Channel Range")) {
            ChannelRangeDialog dialog(testing::Channels(3));
            return Collect(&dialog);
        }
        if (what == QLatin1String("Set Field")) {
            SetFieldDialog dialog(testing::Channels(3), Mode, 2);
            return Collect(&dialog);
        }
        if (what == QLatin1String("broadcast schedule")) {
            const Schedule schedule = ReadEibiSchedule("kHz:75;\n6000;1800-1900;Sa;;A\n");
            ScheduleDialog dialog(schedule, QStringLiteral("sked.csv"));
            return Collect(&dialog);
        }
        if (what == QLatin1String("season update")) {
            const MemoryTable table = testing::Channels(2);
            SeasonUpdate update;
            update.kept = {1};
            update.updated = {{2, "1800-1900 E"}};
            SeasonPreviewDialog dialog(table, update, QStringLiteral("sked.csv"));
            return Collect(&dialog);
        }
        if (what == QLatin1String("Compare with File")) {
            startWindow(testing::Channels(3));  // closed by the next setUpEditor()
            CompareDialog dialog(m_window->document(),
                                 CORVALEN_TEST_DATA_DIR "/cli/channel5/expected.csv");
            return Collect(&dialog);
        }
        if (what == QLatin1String("Go to Channel")) {
            QtEditDialogs dialogs(nullptr);
            return CollectModal([&] { dialogs.askChannelNumber(); });
        }
        if (what == QLatin1String("file dialog")) {
            QtFileDialogPresenter files(nullptr);
            const FileDialogSettings settings{m_dir->path(), QString(), "CSV (*.csv)|*.csv",
                                              "Corvalen"};
            return CollectModal([&] { files.show(settings); });
        }
        if (what == QLatin1String("print dialog")) {
            startWindow(testing::Channels(3));
            return CollectModal([&] { trigger("printAction"); });
        }
        const auto boxes = MakeQtMessageBoxes(nullptr);
        const QString title = QStringLiteral("Corvalen");
        if (what == QLatin1String("unsaved changes")) {
            return CollectModal([&] { boxes->askUnsavedChanges(title, title, ".g3m"); });
        }
        if (what == QLatin1String("overwrite")) {
            return CollectModal([&] { boxes->confirmOverwrite(title, title); });
        }
        if (what == QLatin1String("Location 0")) {
            return CollectModal([&] { boxes->askChirpNumbering(title, title); });
        }
        return CollectModal([&] { boxes->information(title, title); });
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
                const std::string_view name = ModeName(code);
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
        QStringList missing;
        for (const TsMessage& message : Messages(ts)) {
            if (message.missing) {
                missing << message.context + ": " + message.source;
            }
        }
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
        // A language without a translation keeps the English source texts.
        QVERIFY(!InstallLanguage({QLocale::Japanese, QLocale::Japan}));
        const ShownTexts english = shownTexts(what);
        QVERIFY(InstallLanguage({QLocale::German, QLocale::Germany}));
        const ShownTexts german = shownTexts(what);
        QVERIFY(!german.isEmpty());
        QVERIFY(german != english || what == QLatin1String("information"));  // "Corvalen", "OK"
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

    // Every numerus text of the German file has its two forms, which differ and hold the count.
    void everyCountHasBothForms() {
        QVERIFY(InstallLanguage({QLocale::German, QLocale::Germany}));
        int numerus = 0;
        QStringList wrong;
        for (const TsMessage& message : Messages(QString::fromUtf8(CORVALEN_SOURCE_DIR) +
                                                 QStringLiteral("/translations/corvalen_de.ts"))) {
            if (message.forms.isEmpty()) {
                continue;
            }
            ++numerus;
            const QByteArray c = message.context.toUtf8();
            const QByteArray s = message.source.toUtf8();
            const QString single = QCoreApplication::translate(c, s, nullptr, 1);
            const QString plural = QCoreApplication::translate(c, s, nullptr, 3);
            if (message.forms.size() != 2 || single == plural ||
                !single.contains(QLatin1Char('1')) || !plural.contains(QLatin1Char('3')) ||
                plural.contains(QLatin1String("(s)"))) {
                wrong << message.context + ": " + message.source + " -> " + single + " / " + plural;
            }
        }
        QVERIFY(numerus > 0);
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QLatin1Char('\n'))));
    }

    // Every kind of the core's messages has its German in the editor's compiled translation,
    // the same as the core's catalogue gives (so the converter and the editor say it alike).
    void coreMessagesHaveTheCataloguesGerman() {
        const std::size_t count = MessageCatalogue().size();
        QVERIFY(InstallLanguage({QLocale::German, QLocale::Germany}));
        const MessageTexts& texts = EditorTexts();
        for (std::size_t k = 0; k < count; ++k) {
            const auto kind = static_cast<MessageKind>(k);
            for (const TemplatePart part :
                 {TemplatePart::Sentence, TemplatePart::Heading, TemplatePart::Member}) {
                const std::string_view expected = TemplateText(kind, part, Language::German);
                QVERIFY2(
                    texts.Template(kind, part) == expected,
                    (std::string(texts.Template(kind, part)) + " is not " + std::string(expected))
                        .c_str());
            }
        }
        // A problem said in the editor: the Problems panel's words for the grouped check.
        const auto tooLong = [](int row, const char* text, const char* cut) {
            return Diagnostic{
                Diagnostic::Place::Row, row, Callsign, MessageKind::TextTooLong, {text, "12", cut}};
        };
        const std::vector<Diagnostic> problems = {
            tooLong(3, "\"WWV Fort Collins Colorado\"", "\"WWV Fort Col\""),
            tooLong(7, "\"CFRX Toronto Ontario\"", "\"CFRX Toronto\"")};
        const ProblemPlaces places(nullptr, nullptr, texts);
        QCOMPARE(QString::fromStdString(GroupedReport(problems, places).front()),
                 QStringLiteral("2 Kanäle: Rufzeichen länger als 12 Zeichen, auf 12 "
                                "gekürzt: Zeile 3: \"WWV Fort Collins Colorado\" → "
                                "\"WWV Fort Col\"; Zeile 7: \"CFRX Toronto Ontario\" → "
                                "\"CFRX Toronto\""));
        // An Error too.
        QCOMPARE(ErrorText({MessageKind::ErrorNotRegular, {}, "a.csv"}),
                 QStringLiteral("Kann \"a.csv\" nicht lesen: es ist keine gewöhnliche Datei"));
    }

    // What the readers of bookmark lists and schedules say, and the texts a format declares,
    // come in German too; Add Channel Range takes the decimal comma, as the cell editor does.
    void germanMessagesAndNumbers() {
        QVERIFY(InstallLanguage({QLocale::German, QLocale::Germany}));
        startWindow(testing::RowsNumbered({1, 2, 1}));
        trigger("saveMemoryFileAction", path("m.g3m"));
        QCOMPARE(m_dialogs->shown.last().filter, QStringLiteral("Speicherdateien (*.g3m)|*.g3m"));
        VERIFY_STARTS(statusLine(*m_window),
                      QStringLiteral("2 Datensätze zu 92 Byte in m.g3m geschrieben; 1 Zeile durch "
                                     "eine spätere Zeile mit derselben Nummer ersetzt"));
        VERIFY_STARTS(statusTooltip(*m_window),
                      QStringLiteral("Durch eine spätere Zeile mit derselben Nummer ersetzt: Zeile "
                                     "1 (durch Zeile 3)"));
        QVERIFY(m_window->fileActions().appendFile(
            QStringLiteral(CORVALEN_TEST_DATA_DIR "/formats/sdrpp_lists/input.json")));
        VERIFY_HOLDS(status(), "Lesezeichen \"Half\" der Liste");
        const Schedule schedule = ReadEibiSchedule("kHz:75;\n6000;;;;A\n");
        ScheduleDialog dialog(schedule, QStringLiteral("sked.csv"));
        dialog.findChild<QLineEdit*>(QStringLiteral("at"))->setText(QStringLiteral("25"));
        VERIFY_STARTS(dialog.findChild<QLabel*>(QStringLiteral("count"))->text(),
                      QStringLiteral("Die Zeit \"25\" ist weder"));
        ChannelRangeDialog range(table());
        range.findChild<QLineEdit*>(QStringLiteral("start"))->setText(QStringLiteral("118,1"));
        range.findChild<QLineEdit*>(QStringLiteral("stop"))->setText(QStringLiteral("118,15"));
        range.findChild<QLineEdit*>(QStringLiteral("step"))->setText(QStringLiteral("8,33"));
        const std::optional<RangeFill> fill = range.fill();
        VERIFY_STARTS(range.findChild<QLabel*>(QStringLiteral("preview"))->text(),
                      QStringLiteral("Fügt "));
        QVERIFY(fill.has_value() && fill->range.Count() >= 2);
    }
};

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
