#include "app/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>
#include <memory>

#include "channel/ProblemGroups.h"

namespace corvalen {

namespace {

class EditorMessageTexts : public MessageTexts {
public:
    explicit EditorMessageTexts(Language language) : MessageTexts(language) {
        // Each English template translated in the context "Messages" (tests/io/messages_ts.cpp).
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

    std::string_view Template(MessageKind kind, TemplatePart part) const override {
        const auto index = static_cast<std::size_t>(kind) * 3 + static_cast<std::size_t>(part);
        return index < m_texts.size() ? std::string_view(m_texts[index])
                                      : TemplateText(kind, part, language());
    }

private:
    std::vector<std::string> m_texts;  // three a kind, in the order of TemplatePart
};

std::unique_ptr<EditorMessageTexts> g_texts;

}  // namespace

bool InstallTranslations(QCoreApplication& app, const QLocale& locale) {
    // A language chosen again replaces the one before.
    static QPointer<QTranslator> s_qt;
    static QPointer<QTranslator> s_own;
    for (QPointer<QTranslator>* installed : {&s_qt, &s_own}) {
        if (*installed) {
            QCoreApplication::removeTranslator(*installed);
            delete installed->data();
        }
    }
    auto* own = new QTranslator(&app);
    const bool translated = own->load(locale, QStringLiteral("corvalen"), QStringLiteral("_"),
                                      QStringLiteral(":/i18n"));
    // Numbers are written and typed as the texts' language writes them ("9.590" in German).
    QLocale::setDefault(translated ? locale : QLocale(QLocale::English, QLocale::UnitedStates));
    if (!translated) {
        delete own;
        g_texts = std::make_unique<EditorMessageTexts>(Language::English);
        return false;
    }
    // Qt's own texts ("Strg+" in shortcuts) in the editor's language only: English keeps Qt's.
    auto* qt = new QTranslator(&app);
    if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(qt);
        s_qt = qt;
    } else {
        delete qt;
    }
    QCoreApplication::installTranslator(own);
    s_own = own;
    g_texts = std::make_unique<EditorMessageTexts>(
        locale.language() == QLocale::German ? Language::German : Language::English);
    return true;
}

const MessageTexts& EditorTexts() {
    if (!g_texts) {
        g_texts = std::make_unique<EditorMessageTexts>(Language::English);
    }
    return *g_texts;
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
