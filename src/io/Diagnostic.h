#pragma once

#include <charconv>
#include <string>
#include <vector>

#include "io/MessageKind.h"

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
    // Which message it is (its text without the values): reports group by it, and the message
    // catalogue (Messages.h) gives its German.
    MessageKind kind = MessageKind::Other;

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

// Where the rows of a table read from a file came from, so reports can name the file's line
// and the channel as the file gives it (a CHIRP file's Location, which need not be the number
// the receiver gets). Empty for a table that was not read from a file.
struct RowOrigins {
    std::vector<int> lines;              // lines[row - 1]: the line the row starts on
    std::vector<std::string> locations;  // CHIRP files: each row's Location as written
};

}  // namespace corvalen
