#pragma once

#include <QLocale>
#include <QString>

#include "io/Diagnostic.h"
#include "io/Messages.h"

class QCoreApplication;

namespace corvalen {

// Loads the editor's translation for `locale` and Qt's own into `app`. Returns whether the
// editor's own was found; without it every text stays in English.
bool InstallTranslations(QCoreApplication& app, const QLocale& locale = QLocale());

// The language of the core's texts (problems, reports) in the editor.
Language CoreLanguage();

// The core's messages in the editor: each kind's English templates (Messages.h) translated
// through Qt's translations in the context "Messages"; made again by InstallTranslations.
const MessageTexts& EditorTexts();

// A Diagnostic's sentence in the editor's language, and its line ("row 7: <sentence>").
QString DiagnosticText(const Diagnostic& diagnostic);
QString DiagnosticLineText(const Diagnostic& diagnostic);

}  // namespace corvalen
