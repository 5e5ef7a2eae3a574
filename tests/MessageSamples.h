#pragma once

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "io/Messages.h"

// Values to fill a message kind's placeholders with in tests: each value fits its placeholder's
// type (a count for a noun, group numbers, names), and those of one member differ from every
// other member's, except the values the kind groups by, which members share.

namespace corvalen::testing {

// The type of each of the values {1} ... {9} that `text` names ("" plain, "field", "groups",
// ...); the vector is as long as the highest value named.
inline std::vector<std::string> PlaceholderTypes(std::string_view text) {
    std::vector<std::string> types;
    for (std::size_t at = text.find('{'); at != std::string_view::npos;
         at = text.find('{', at + 1)) {
        const std::size_t close = text.find('}', at);
        if (close == std::string_view::npos || at + 1 >= close) {
            continue;
        }
        const char digit = text[at + 1];
        if (digit < '1' || digit > '9') {
            continue;
        }
        const auto index = static_cast<std::size_t>(digit - '1');
        if (types.size() <= index) {
            types.resize(index + 1);
        }
        if (close > at + 3 && text[at + 2] == ':') {
            types[index] = std::string(text.substr(at + 3, close - at - 3));
        }
    }
    return types;
}

// The values of member `member` (from 0) of a group of `kind`.
inline std::vector<std::string> SampleValues(MessageKind kind, int member) {
    // A value plain in the sentence may be a count in the member's detail.
    std::vector<std::string> types = PlaceholderTypes(TemplateOf(kind).english);
    for (const TemplatePart part : {TemplatePart::Heading, TemplatePart::Member}) {
        const std::vector<std::string> more =
            PlaceholderTypes(TemplateText(kind, part, Language::English));
        types.resize(std::max(types.size(), more.size()));
        for (std::size_t i = 0; i < more.size(); ++i) {
            types[i] = types[i].empty() ? more[i] : types[i];
        }
    }
    const unsigned shared = GroupedValues(kind);
    std::vector<std::string> values;
    for (std::size_t i = 0; i < types.size(); ++i) {
        const bool same = (shared >> i & 1u) != 0;
        const int who = same ? 9 : member;
        const std::string_view type = types[i];
        // Numbers of four digits that no other value or place holds.
        const std::string number = std::to_string(4000 + 1000 * who + 10 * static_cast<int>(i) + 1);
        if (type == "groups") {
            values.push_back(who == 0 ? "13" : who == 1 ? "14, 15" : "16");
        } else if (type == "list") {
            values.push_back("Name" + number + "\nFrequency \"" + number + "\"");
        } else if (type.empty() || type == "words" || type == "phrase" || type == "reason") {
            values.push_back("\"v" + number + "\"");
        } else {
            values.push_back(number);  // a count
        }
    }
    return values;
}

}  // namespace corvalen::testing
