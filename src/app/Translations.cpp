#include "app/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace corvalen {

namespace {
Language g_coreLanguage = Language::English;
}  // namespace

Language CoreLanguage() {
    return g_coreLanguage;
}

QString CoreText(std::string_view english, MessageKind kind) {
    return QString::fromStdString(Localized(english, g_coreLanguage, kind));
}

QString CoreText(const Diagnostic& diagnostic) {
    return CoreText(diagnostic.message, diagnostic.kind);
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
        return true;
    }
    delete own;
    return false;
}

}  // namespace corvalen
