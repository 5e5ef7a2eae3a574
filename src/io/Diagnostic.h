#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "io/MessageKind.h"

namespace corvalen {

// The values a message names, as texts ({1} the first), kept in one string separated by NULs,
// so that each of a table's many problems holds one allocation at most. A value holds no NUL (a
// cell is quoted, its control characters as escapes).
class MessageValues {
public:
    MessageValues() = default;
    MessageValues(std::initializer_list<std::string_view> values) {
        std::size_t size = values.size();
        for (const std::string_view value : values) {
            size += value.size();
        }
        m_text.reserve(size);
        for (const std::string_view value : values) {
            push_back(value);
        }
    }
    MessageValues(const std::vector<std::string>& values) {
        for (const std::string& value : values) {
            push_back(value);
        }
    }

    void push_back(std::string_view value) { Start().append(value); }
    // Starts one more value and gives the text to append it to.
    std::string& Start() {
        if (m_count++ > 0) {
            m_text.push_back('\0');
        }
        return m_text;
    }

    std::size_t size() const { return m_count; }
    bool empty() const { return m_count == 0; }
    std::string_view operator[](std::size_t index) const {
        std::size_t start = 0;
        for (std::size_t i = 0; i < index; ++i) {
            start = m_text.find('\0', start) + 1;
        }
        const std::size_t end = m_text.find('\0', start);
        return std::string_view(m_text).substr(
            start, end == std::string::npos ? std::string::npos : end - start);
    }
    // The value at `index`, empty past the last.
    std::string_view ValueOr(std::size_t index) const {
        return index < m_count ? (*this)[index] : std::string_view();
    }
    bool operator==(const MessageValues&) const = default;

private:
    std::string m_text;
    std::uint32_t m_count = 0;
};

// A problem found in one line of an input file, one row of the table or one record of a .g3m
// file that did not stop the command. It holds what was found, not a sentence; the text is made
// where it is shown, in the user's language (Messages.h).
struct Diagnostic {
    enum class Place { Line, Row, Record };
    // An error: a value could not be taken and something else (or nothing) was written, or a
    // channel is lost. A notice: what was written is most likely what was meant.
    enum class Severity { Error, Notice };

    Place place = Place::Row;
    int number = 0;   // line in the file, table row or record in the file, each from 1
    int column = -1;  // table column concerned, -1 for the whole line or row
    MessageKind kind = MessageKind::NumberEmpty;  // which message, what reports group by
    MessageValues args;                           // the values it names: a quoted cell, a limit
    Severity severity = Severity::Error;

    bool IsNotice() const { return severity == Severity::Notice; }
    bool operator==(const Diagnostic&) const = default;
};

// Where the rows of a table read from a file came from, so reports can name the file's line and
// the channel as the file gives it (a CHIRP file's Location). `firstRow` is the table row the
// file's first row became.
struct RowOrigins {
    std::vector<int> lines;              // lines[row - firstRow]: the line the row starts on
    std::vector<std::string> locations;  // CHIRP files: each row's Location as written
    int firstRow = 1;
    // Rows read without a table: each row's Number as written, numberEnds[row - firstRow] where
    // it ends.
    std::string numbers;
    std::vector<std::uint32_t> numberEnds;

    void AddNumber(std::string_view number) {
        numbers.append(number);
        numberEnds.push_back(static_cast<std::uint32_t>(numbers.size()));
    }
    // The Number of `row` as AddNumber kept it; nothing when none was kept.
    std::optional<std::string_view> NumberOf(int row) const {
        const auto index = static_cast<std::size_t>(row - firstRow);
        if (row < firstRow || index >= numberEnds.size()) {
            return std::nullopt;
        }
        const std::uint32_t start = index == 0 ? 0 : numberEnds[index - 1];
        return std::string_view(numbers).substr(start, numberEnds[index] - start);
    }
};

}  // namespace corvalen
