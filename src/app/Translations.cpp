#include "app/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace corvalen {

bool InstallTranslations(QCoreApplication& app, const QLocale& locale) {
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
        return true;
    }
    delete own;
    return false;
}

}  // namespace corvalen
