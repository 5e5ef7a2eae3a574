#pragma once

#include <QLocale>
#include <QString>
#include <string_view>

#include "app/EditorMessages.h"
#include "io/Diagnostic.h"
#include "io/Messages.h"

class QCoreApplication;

namespace corvalen {

// Loads the editor's translation for `locale` (built into the program) and Qt's own for its
// standard buttons, where there is one, into `app`. Returns whether the editor's own was found;
// without it every text stays in English.
bool InstallTranslations(QCoreApplication& app, const QLocale& locale = QLocale());

// The language of the core's texts (problems, reports) in the editor: German once the editor's
// German translation is installed, else English.
Language CoreLanguage();
// A Diagnostic or an Error is said through EditorTexts (EditorMessages.h).

}  // namespace corvalen
