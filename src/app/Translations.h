#pragma once

#include <QLocale>
#include <QString>

#include "io/Diagnostic.h"
#include "io/Messages.h"

class QCoreApplication;

namespace corvalen {

// Loads the editor's translation for `locale` and Qt's own; false without the editor's (English).
bool InstallTranslations(QCoreApplication& app, const QLocale& locale = QLocale());

// The core's messages translated in the context "Messages"; made again by InstallTranslations.
const MessageTexts& EditorTexts();

// A Diagnostic's line in the editor's language ("row 7: <sentence>").
QString DiagnosticLineText(const Diagnostic& diagnostic);

}  // namespace corvalen
