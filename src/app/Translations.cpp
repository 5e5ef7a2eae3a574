#include "app/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "app/EditorMessages.h"
#include "io/LineTranslation.h"

namespace corvalen {

namespace {
Language g_coreLanguage = Language::English;
}  // namespace

Language CoreLanguage() {
    return g_coreLanguage;
}

QString CoreText(std::string_view english) {
    return QString::fromStdString(TranslatedLine(english, g_coreLanguage));
}

bool InstallTranslations(QCoreApplication& app, const QLocale& locale) {
    g_coreLanguage = Language::English;
    // Qt's translations of its standard buttons (OK, Cancel, Discard), as the system has them.
    auto* qt = new QTranslator(&app);
    if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(qt);
    } else {
        delete qt;
    }
    // The editor's own, compiled into its resources under :/i18n.
    auto* own = new QTranslator(&app);
    if (own->load(locale, QStringLiteral("corvalen"), QStringLiteral("_"),
                  QStringLiteral(":/i18n"))) {
        QCoreApplication::installTranslator(own);
        g_coreLanguage =
            locale.language() == QLocale::German ? Language::German : Language::English;
        RenewEditorTexts();
        return true;
    }
    delete own;
    RenewEditorTexts();
    return false;
}

}  // namespace corvalen
