#pragma once

#include <string>
#include <vector>

#include "io/MessageKind.h"

namespace corvalen {

// A problem found in one line of an input file, one row of the table or one record of a .g3m
// file that did not stop the command: the rest of the work went on, and the user is told what
// and where. It holds what was found, not a sentence: its kind, its place, its column and the
// values it names; the text is made where it is shown, in the user's language (Messages.h).
struct Diagnostic {
    enum class Place { Line, Row, Record };
    // An error: a value could not be taken, and something else (or nothing) was written in its
    // place, or a channel is lost. A notice: what was written is most likely what was meant,
    // or two channels look alike; the user is told so nothing changes without a word.
    enum class Severity { Error, Notice };

    Place place = Place::Row;
    int number = 0;   // line in the file, table row or record in the file, each from 1
    int column = -1;  // table column concerned, -1 for the whole line or row
    // Which message it is: reports group by it, and the message catalogue (Messages.h) gives
    // its English and German text.
    MessageKind kind = MessageKind::NumberEmpty;
    // The values the message names, as texts ({1} the first): a cell as quoted, a number, a
    // limit. Most kinds have one to three.
    std::vector<std::string> args;
    Severity severity = Severity::Error;

    bool IsNotice() const { return severity == Severity::Notice; }
    bool operator==(const Diagnostic&) const = default;
};

// Where the rows of a table read from a file came from, so reports can name the file's line
// and the channel as the file gives it (a CHIRP file's Location, which need not be the number
// the receiver gets). Empty for a table that was not read from a file. `firstRow` is the table
// row the file's first row became: 1 for a table read from the file, later for rows appended
// to a table that already had some.
struct RowOrigins {
    std::vector<int> lines;              // lines[row - firstRow]: the line the row starts on
    std::vector<std::string> locations;  // CHIRP files: each row's Location as written
    int firstRow = 1;
};

}  // namespace corvalen
