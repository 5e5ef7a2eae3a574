#pragma once

#include <QLocale>
#include <string_view>

#include "app/EditorMessages.h"
#include "io/Diagnostic.h"
#include "io/Messages.h"

class QCoreApplication;

namespace corvalen {

// Loads the editor's translation for `locale` and Qt's own into `app`. Returns whether the
// editor's own was found; without it every text stays in English.
bool InstallTranslations(QCoreApplication& app, const QLocale& locale = QLocale());

// The language of the core's texts (problems, reports) in the editor.
Language CoreLanguage();

}  // namespace corvalen
