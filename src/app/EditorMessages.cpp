#include "app/EditorMessages.h"

#include <QCoreApplication>
#include <memory>

#include "app/Translations.h"
#include "channel/ProblemGroups.h"

namespace corvalen {

namespace {

std::unique_ptr<EditorMessageTexts> g_texts;

}  // namespace

EditorMessageTexts::EditorMessageTexts() : MessageTexts(CoreLanguage()) {
    // Each English template as Qt's translation gives it (the "Messages" context of the .ts
    // files, which tests/io/messages_ts.cpp writes from the catalogue).
    m_texts.reserve(MessageCatalogue().size() * 3);
    for (const MessageTemplate& entry : MessageCatalogue()) {
        for (const TemplatePart part :
             {TemplatePart::Sentence, TemplatePart::Heading, TemplatePart::Member}) {
            const std::string english(TemplateText(entry.kind, part, Language::English));
            m_texts.push_back(
                english.empty()
                    ? english
                    : QCoreApplication::translate("Messages", english.c_str()).toStdString());
        }
    }
}

std::string_view EditorMessageTexts::Template(MessageKind kind, TemplatePart part) const {
    const auto index = static_cast<std::size_t>(kind) * 3 + static_cast<std::size_t>(part);
    return index < m_texts.size() ? std::string_view(m_texts[index])
                                  : TemplateText(kind, part, language());
}

const MessageTexts& EditorTexts() {
    if (!g_texts) {
        g_texts = std::make_unique<EditorMessageTexts>();
    }
    return *g_texts;
}

void RenewEditorTexts() {
    g_texts = std::make_unique<EditorMessageTexts>();
}

QString DiagnosticText(const Diagnostic& diagnostic) {
    return QString::fromStdString(MessageText(diagnostic, EditorTexts()));
}

QString DiagnosticLineText(const Diagnostic& diagnostic) {
    const MessageTexts& texts = EditorTexts();
    const std::string place = ProblemPlaces(nullptr, nullptr, texts).Place(diagnostic);
    const std::string sentence = MessageText(diagnostic, texts);
    const std::string_view values[] = {place, sentence};
    return QString::fromStdString(
        FillTemplate(texts.Template(MessageKind::GroupLine, TemplatePart::Sentence), values, -1,
                     texts.language()));
}

}  // namespace corvalen
