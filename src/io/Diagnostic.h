#pragma once

#include <charconv>
#include <string>

namespace corvalen {

// A problem found in one line of an input file, one row of the table or one record of a .g3m
// file that did not stop the command: the rest of the work went on, and the user is told what
// and where.
struct Diagnostic {
    enum class Place { Line, Row, Record };
    // An error: a value could not be taken, and something else (or nothing) was written in its
    // place, or a channel is lost. A notice: what was written is most likely what was meant,
    // or two channels look alike; the user is told so nothing changes without a word.
    enum class Severity { Error, Notice };

    Place place = Place::Row;
    int number = 0;       // line in the file, table row or record in the file, each from 1
    int column = -1;      // table column concerned, -1 for the whole line or row
    std::string message;  // e.g. Number "abc" is not a channel number from 1 to 65535; ...
    Severity severity = Severity::Error;

    bool IsNotice() const { return severity == Severity::Notice; }

    // "row 7: <message>", "line 12: <message>" or "record 3: <message>".
    std::string ToString() const {
        std::string text;
        AppendTo(text);
        return text;
    }
    // The same added to `out`, for reports of many lines.
    void AppendTo(std::string& out) const {
        const char* where = place == Place::Line  ? "line "
                            : place == Place::Row ? "row "
                                                  : "record ";
        char digits[16];
        const auto end = std::to_chars(digits, digits + sizeof digits, number).ptr;
        out.append(where).append(digits, end).append(": ").append(message);
    }
    bool operator==(const Diagnostic&) const = default;
};

}  // namespace corvalen
