#pragma once

#include <string>
#include <utility>
#include <variant>

#include "io/Diagnostic.h"

namespace corvalen {

// A failure that the user has to hear about: what went wrong and where (file, line, row, cell).
// Like a Diagnostic it holds values, not a sentence: its kind and the values that kind names;
// the text is made where it is shown (ErrorText in Messages.h), in the user's language.
struct Error {
    MessageKind kind = MessageKind::ErrorReason;
    MessageValues values = {};
    // The file that could not be read, opened or saved ("-" standard input or output), and
    // which of these (ErrorCannotRead, ErrorCannotOpen, ErrorCannotSave): said in front of the
    // kind's sentence, "Cannot read "a.csv": ...". Empty for an error of no file.
    std::string file = {};
    MessageKind step = MessageKind::ErrorCannotRead;
};

// Either a value or an Error. The core returns these instead of throwing, so every caller
// decides itself whether a failure becomes a message box, a status-bar line or an exit code.
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
