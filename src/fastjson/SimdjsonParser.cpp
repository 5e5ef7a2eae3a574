#include "fastjson/SimdjsonParser.h"

#include <simdjson.h>

#include <string>

namespace corvalen {

namespace {

// The text is walked once, front to back, with simdjson's on-demand parser, each value handed
// on as it is reached: no tree of the whole document is built first. That tree (a tape of
// eight bytes per value and its strings) was some 15 MB for a list of 65,535 bookmarks, in
// memory fresh for every read, and its building and walking took longer than this one walk.
// Any error simdjson finds along the way (it checks the whole text's UTF-8 first, and every
// value as it is reached) ends the walk with false.

bool Replay(simdjson::ondemand::value value, JsonEvents& events);

bool ReplayArray(simdjson::ondemand::array array, JsonEvents& events) {
    if (!events.StartArray()) {
        return false;
    }
    for (simdjson::simdjson_result<simdjson::ondemand::value> item : array) {
        simdjson::ondemand::value element;
        if (std::move(item).get(element) != simdjson::SUCCESS || !Replay(element, events)) {
            return false;
        }
    }
    return events.EndArray();
}

bool ReplayObject(simdjson::ondemand::object object, JsonEvents& events) {
    if (!events.StartObject()) {
        return false;
    }
    std::string key;
    for (simdjson::simdjson_result<simdjson::ondemand::field> member : object) {
        simdjson::ondemand::field field;
        std::string_view name;
        if (std::move(member).get(field) != simdjson::SUCCESS ||
            field.unescaped_key().get(name) != simdjson::SUCCESS) {
            return false;
        }
        key.assign(name);
        if (!events.Key(key) || !Replay(field.value(), events)) {
            return false;
        }
    }
    return events.EndObject();
}

bool Replay(simdjson::ondemand::value value, JsonEvents& events) {
    using Type = simdjson::ondemand::json_type;
    Type type;
    if (value.type().get(type) != simdjson::SUCCESS) {
        return false;
    }
    switch (type) {
        case Type::array: {
            simdjson::ondemand::array array;
            return value.get_array().get(array) == simdjson::SUCCESS && ReplayArray(array, events);
        }
        case Type::object: {
            simdjson::ondemand::object object;
            return value.get_object().get(object) == simdjson::SUCCESS &&
                   ReplayObject(object, events);
        }
        case Type::number: {
            using Number = simdjson::ondemand::number_type;
            Number kind;
            if (value.get_number_type().get(kind) != simdjson::SUCCESS) {
                return false;
            }
            if (kind == Number::signed_integer) {
                // A whole number without a minus sign is told apart only by its value.
                std::int64_t whole = 0;
                if (value.get_int64().get(whole) != simdjson::SUCCESS) {
                    return false;
                }
                return whole >= 0 ? events.Unsigned(static_cast<std::uint64_t>(whole))
                                  : events.Integer(whole);
            }
            if (kind == Number::unsigned_integer) {
                std::uint64_t whole = 0;
                return value.get_uint64().get(whole) == simdjson::SUCCESS && events.Unsigned(whole);
            }
            double number = 0;
            return value.get_double().get(number) == simdjson::SUCCESS && events.Float(number);
        }
        case Type::string: {
            std::string_view text;
            if (value.get_string().get(text) != simdjson::SUCCESS) {
                return false;
            }
            std::string copy(text);
            return events.String(copy);
        }
        case Type::boolean: {
            bool truth = false;
            return value.get_bool().get(truth) == simdjson::SUCCESS && events.Boolean(truth);
        }
        case Type::null: {
            bool null = false;
            return value.is_null().get(null) == simdjson::SUCCESS && null && events.Null();
        }
    }
    return false;
}

}  // namespace

bool SimdjsonParser::Parse(std::string_view text, JsonEvents& events) const {
    const simdjson::padded_string padded(text.data(), text.size());
    simdjson::ondemand::parser parser;
    simdjson::ondemand::document document;
    if (parser.iterate(padded).get(document) != simdjson::SUCCESS) {
        return false;
    }
    // Only a list's own form, an object (or an array), is walked here; a document that is a
    // single number or string is left to the reader's own parser.
    simdjson::ondemand::json_type type;
    if (document.type().get(type) != simdjson::SUCCESS) {
        return false;
    }
    bool walked = false;
    if (type == simdjson::ondemand::json_type::object) {
        simdjson::ondemand::object object;
        walked =
            document.get_object().get(object) == simdjson::SUCCESS && ReplayObject(object, events);
    } else if (type == simdjson::ondemand::json_type::array) {
        simdjson::ondemand::array array;
        walked = document.get_array().get(array) == simdjson::SUCCESS && ReplayArray(array, events);
    }
    // Nothing may follow the document's value: the walk must have ended at the text's end.
    return walked && document.current_location().error() == simdjson::OUT_OF_BOUNDS;
}

}  // namespace corvalen
