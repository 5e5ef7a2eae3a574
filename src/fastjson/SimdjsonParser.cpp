#include "fastjson/SimdjsonParser.h"

#include <simdjson.h>

#include <string>

namespace corvalen {

namespace {

bool Replay(simdjson::dom::element element, JsonEvents& events) {
    using Type = simdjson::dom::element_type;
    switch (element.type()) {
        case Type::ARRAY: {
            // A copy: the range-for would keep only a reference into the temporary result.
            const simdjson::dom::array array = element.get_array().value_unsafe();
            if (!events.StartArray()) {
                return false;
            }
            for (const simdjson::dom::element item : array) {
                if (!Replay(item, events)) {
                    return false;
                }
            }
            return events.EndArray();
        }
        case Type::OBJECT: {
            const simdjson::dom::object object = element.get_object().value_unsafe();
            if (!events.StartObject()) {
                return false;
            }
            for (const simdjson::dom::key_value_pair member : object) {
                std::string key(member.key);
                if (!events.Key(key) || !Replay(member.value, events)) {
                    return false;
                }
            }
            return events.EndObject();
        }
        case Type::INT64: {
            // simdjson gives int64 to every whole number that fits it; a number without a minus
            // sign is told apart only by its value.
            const std::int64_t value = element.get_int64().value_unsafe();
            return value >= 0 ? events.Unsigned(static_cast<std::uint64_t>(value))
                              : events.Integer(value);
        }
        case Type::UINT64:
            return events.Unsigned(element.get_uint64().value_unsafe());
        case Type::DOUBLE:
            return events.Float(element.get_double().value_unsafe());
        case Type::STRING: {
            std::string text(element.get_string().value_unsafe());
            return events.String(text);
        }
        case Type::BOOL:
            return events.Boolean(element.get_bool().value_unsafe());
        case Type::NULL_VALUE:
            return events.Null();
    }
    return false;
}

}  // namespace

bool SimdjsonParser::Parse(std::string_view text, JsonEvents& events) const {
    simdjson::dom::parser parser;
    simdjson::dom::element root;
    if (parser.parse(text.data(), text.size()).get(root) != simdjson::SUCCESS) {
        return false;
    }
    return Replay(root, events);
}

}  // namespace corvalen
