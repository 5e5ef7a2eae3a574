#pragma once

#include <QLocale>
#include <QString>
#include <string_view>

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
// A text of the core, or a Diagnostic's message, in that language.
QString CoreText(std::string_view english, MessageKind kind = MessageKind::Other);
QString CoreText(const Diagnostic& diagnostic);

}  // namespace corvalen
