#include "app/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

#include "app/EditorMessages.h"

namespace corvalen {

namespace {
Language g_coreLanguage = Language::English;
}  // namespace

Language CoreLanguage() {
    return g_coreLanguage;
}

bool InstallTranslations(QCoreApplication& app, const QLocale& locale) {
    // A language chosen again replaces the one before.
    static QPointer<QTranslator> s_qt;
    static QPointer<QTranslator> s_own;
    for (QPointer<QTranslator>* installed : {&s_qt, &s_own}) {
        if (*installed) {
            QCoreApplication::removeTranslator(*installed);
            delete installed->data();
        }
    }
    g_coreLanguage = Language::English;
    auto* own = new QTranslator(&app);
    const bool translated = own->load(locale, QStringLiteral("corvalen"), QStringLiteral("_"),
                                      QStringLiteral(":/i18n"));
    // Numbers are written, and typed, as the texts' language writes them: "9.590" beside
    // German texts, "9,590" beside the English ones.
    const QLocale numbers = translated ? locale : QLocale(QLocale::English, QLocale::UnitedStates);
    QLocale::setDefault(numbers);
    if (!translated) {
        delete own;
        RenewEditorTexts();
        return false;
    }
    // Qt's own texts (the file dialogs, the standard buttons, "Strg+" in shortcuts) as the system
    // has them, in the editor's language only: an English editor keeps Qt's English too.
    auto* qt = new QTranslator(&app);
    if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(qt);
        s_qt = qt;
    } else {
        delete qt;
    }
    QCoreApplication::installTranslator(own);
    s_own = own;
    g_coreLanguage = locale.language() == QLocale::German ? Language::German : Language::English;
    RenewEditorTexts();
    return true;
}

}  // namespace corvalen
