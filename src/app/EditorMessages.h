#pragma once

#include <QString>

#include "io/Diagnostic.h"
#include "io/Messages.h"

// The core's messages in the editor: each kind's English templates (Messages.h) translated
// through Qt's translations in the context "Messages", then filled with the message's values.

namespace corvalen {

// Translated by the translators installed when this was made.
class EditorMessageTexts : public MessageTexts {
public:
    EditorMessageTexts();
    std::string_view Template(MessageKind kind, TemplatePart part) const override;

private:
    std::vector<std::string> m_texts;  // three a kind, in the order of TemplatePart
};

// Made again by InstallTranslations.
const MessageTexts& EditorTexts();
void RenewEditorTexts();

// A Diagnostic's sentence in the editor's language, and its line ("row 7: <sentence>").
QString DiagnosticText(const Diagnostic& diagnostic);
QString DiagnosticLineText(const Diagnostic& diagnostic);

}  // namespace corvalen
