#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace corvalen {

// The values of a JSON text in the order a parser meets them: members in file order, a repeated
// key as often as it stands. Each returns false to stop the reading.
class JsonEvents {
public:
    virtual ~JsonEvents() = default;
    virtual bool Null() = 0;
    virtual bool Boolean(bool value) = 0;
    virtual bool Integer(std::int64_t value) = 0;    // a negative whole number
    virtual bool Unsigned(std::uint64_t value) = 0;  // a whole number without a minus sign
    virtual bool Float(double value) = 0;            // any other number
    virtual bool String(std::string& value) = 0;     // may be moved from
    virtual bool StartObject() = 0;
    virtual bool Key(std::string& name) = 0;  // may be moved from
    virtual bool EndObject() = 0;
    virtual bool StartArray() = 0;
    virtual bool EndArray() = 0;
};

// A parser of whole JSON texts faster than the one the list readers have of their own. It takes
// only what it reads whole and well: for any other text (not well-formed, a number it cannot
// hold) it says false, and the reader parses the text again itself and says what is wrong.
// Given to a read through ReadSettings by the programs that link one (the editor does).
class FastJsonParser {
public:
    virtual ~FastJsonParser() = default;
    // Hands every value of `text` to `events`; false where it does not take the text or
    // `events` stopped the reading.
    virtual bool Parse(std::string_view text, JsonEvents& events) const = 0;
};

}  // namespace corvalen
