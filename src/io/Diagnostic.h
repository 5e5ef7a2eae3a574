#pragma once

#include <string>

namespace corvalen {

// A problem found in one line of an input file or one row of the table that did not stop the
// command: the rest of the work went on, and the user is told what and where.
struct Diagnostic {
    enum class Place { Line, Row };

    Place place = Place::Row;
    int number = 0;       // line number in the file (from 1) or table row (from 1)
    int column = -1;      // table column concerned, -1 for the whole line or row
    std::string message;  // e.g. Number "abc" is not a channel number from 1 to 65535; ...

    // "row 7: <message>" or "line 12: <message>".
    std::string ToString() const {
        return (place == Place::Line ? "line " : "row ") + std::to_string(number) + ": " + message;
    }
    bool operator==(const Diagnostic&) const = default;
};

}  // namespace corvalen
