#pragma once

#include <QLocale>

class QCoreApplication;

namespace corvalen {

// Loads the editor's translation for `locale` (built into the program) and Qt's own for its
// standard buttons, where there is one, into `app`. Returns whether the editor's own was found;
// without it every text stays in English.
bool InstallTranslations(QCoreApplication& app, const QLocale& locale = QLocale());

}  // namespace corvalen
