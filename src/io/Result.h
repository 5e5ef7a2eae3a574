#pragma once

#include <string>
#include <utility>
#include <variant>

#include "io/Diagnostic.h"

namespace corvalen {

// A failure that the user has to hear about. Like a Diagnostic it holds its kind and values, not
// a sentence (ErrorSentence in Messages.h makes that).
struct Error {
    MessageKind kind = MessageKind::ErrorReason;
    MessageValues values = {};
    // The file that could not be read, opened or saved ("-" standard input or output) and which
    // of these, said before the kind's sentence: "Cannot read "a.csv": ...". Empty for none.
    std::string file = {};
    MessageKind step = MessageKind::ErrorCannotRead;
};

// Either a value or an Error: the core returns these instead of throwing.
template <typename T>
class Result {
public:
    Result(T value) : m_state(std::move(value)) {}
    Result(Error error) : m_state(std::move(error)) {}

    bool ok() const { return std::holds_alternative<T>(m_state); }
    explicit operator bool() const { return ok(); }

    T& value() { return std::get<T>(m_state); }
    const T& value() const { return std::get<T>(m_state); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }
    T& operator*() { return value(); }
    const T& operator*() const { return value(); }

    const Error& error() const { return std::get<Error>(m_state); }

private:
    std::variant<T, Error> m_state;
};

// Success carries nothing.
struct Done {};
using Status = Result<Done>;

}  // namespace corvalen
