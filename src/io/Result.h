#pragma once

#include <string>
#include <utility>
#include <variant>

namespace corvalen {

// A failure that the user has to hear about: what went wrong and where (file, line, row, cell).
struct Error {
    std::string message;
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
