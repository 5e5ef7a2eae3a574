#pragma once

#include <map>
#include <string>
#include <string_view>

#include "io/Messages.h"

// The "Messages" context of a .ts file, made from the message catalogue: the editor translates
// each English template at run time (Translations.cpp), where lupdate cannot see it, so this
// context is written by messages_ts rather than by lupdate.

namespace corvalen::testing {

inline std::string XmlEscaped(std::string_view text) {
    constexpr std::string_view kEntities[] = {"&amp;", "&lt;", "&gt;", "&quot;", "&apos;"};
    std::string out;
    for (const char c : text) {
        const std::size_t escaped = std::string_view("&<>\"'").find(c);
        out += escaped == std::string_view::npos ? std::string_view(&c, 1) : kEntities[escaped];
    }
    return out;
}

// The context as lupdate writes one, each English template once in byte order with its German;
// empty, with `conflict` the template, when two kinds say the same English differently.
inline std::string MessagesContext(std::string& conflict) {
    std::map<std::string, std::string> german;
    for (const MessageTemplate& entry : MessageCatalogue()) {
        for (const TemplatePart part :
             {TemplatePart::Sentence, TemplatePart::Heading, TemplatePart::Member}) {
            const std::string english(TemplateText(entry.kind, part, Language::English));
            const std::string said(TemplateText(entry.kind, part, Language::German));
            if (english.empty()) {
                continue;
            }
            if (const auto [at, added] = german.emplace(english, said);
                !added && at->second != said) {
                conflict = english;
                return {};
            }
        }
    }
    std::string context = "<context>\n    <name>Messages</name>\n";
    for (const auto& [english, said] : german) {
        context += "    <message>\n        <source>" + XmlEscaped(english) +
                   "</source>\n        <translation>" + XmlEscaped(said) +
                   "</translation>\n    </message>\n";
    }
    return context + "</context>\n";
}

// Where the Messages context of `ts` starts and ends (after its line end); both at the "</TS>"
// line when it has none.
inline std::pair<std::size_t, std::size_t> MessagesContextIn(std::string_view ts) {
    const std::size_t name = ts.find("    <name>Messages</name>\n");
    if (name == std::string_view::npos) {
        const std::size_t end = ts.rfind("</TS>");
        return {end, end};
    }
    const std::size_t start = ts.rfind("<context>\n", name);
    return {start, ts.find("</context>\n", name) + 11};
}

}  // namespace corvalen::testing
