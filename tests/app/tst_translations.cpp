#include <QMenuBar>
#include <QtTest>

#include "EditorTest.h"
#include "app/Translations.h"

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

private slots:
    void init() { setUpEditor(); }

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
};

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
