#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "channel/ReceiverModel.h"
#include "io/Diagnostic.h"
#include "io/Result.h"
#include "table/MemoryTable.h"

// The formats of channel files behind one door (ChannelFiles.h). Each format is one class in a
// file of its own that knows its name, whether some bytes look like its own, how to read them
// into a table and how to write a table. Nothing else names a format: the editor and the
// converter ask the door, which asks the registry.
//
// Adding a format: write a class derived from ChannelFormat in files/NameFormat.cpp with a
// function `const ChannelFormat& NameFormat()` returning its one instance, declare that function
// below, add it to the list in ChannelFormats.cpp, and the .cpp to src/CMakeLists.txt. Its
// reader and writer get their own data-driven test and golden files.

namespace corvalen {

class ChannelFormat;

// What reading or writing one channel file did, as the editor's status line and the converter's
// summary tell it. Counts that mean nothing for the format stay 0.
struct ChannelFileReport {
    const ChannelFormat* format = nullptr;  // the format read or written
    int recordsRead = 0;     // reading: lines after the header, or whole records of a memory file
    int channels = 0;        // reading: channel rows read; writing a CSV file: channel rows written
    int recordsWritten = 0;  // writing a memory file: records placed (a repeated channel each time)
    int recordsKept = 0;     // writing a memory file: records already in it that no row replaced
    int rowsNotWritten = 0;  // writing: rows without a usable channel number
    int rowsSkipped = 0;     // writing: rows whose cells are all empty (no channel, no word)
    int badChecksums = 0;    // reading a memory file: records whose checksum does not match
    int incompleteBytes = 0;  // reading a memory file: bytes of a record the file ends inside
    RowOrigins origins;       // reading a CSV file: the line of each row, a CHIRP file's Locations
    // Errors and notices in file or row order: place Line or Record when reading, Row when
    // writing.
    std::vector<Diagnostic> diagnostics;
    // Writing: what the save itself had to tell (an owner it could not keep, other names of the
    // file that keep the old content).
    std::vector<std::string> saveNotices;

    std::size_t NoticeCount() const;
    std::size_t ErrorCount() const { return diagnostics.size() - NoticeCount(); }
};

// A table read from a file, with what reading it found.
struct ChannelFileRead {
    MemoryTable table = MemoryTable::ImportLayout();  // 19 captioned columns, one row per channel
    ChannelFileReport report;
    bool holdsLocationZero = false;  // a CHIRP file with a channel at Location 0
    // Bookmark lists: the list and group names by receiver group ([0] is group 1), so a list
    // written from the table names its groups as they came.
    std::vector<std::string> groupNames;
};

// What a read needs besides the file.
struct ReadSettings {
    ReceiverModel model;  // memory files: the records' model
    // Bookmark lists: the group names the table already has; the list's own names take the
    // receiver groups after them.
    std::vector<std::string> knownGroups;
    // A file without any channel is refused ("no channels in FILE") unless this is set and the
    // file is not empty: the editor opens the export of an empty memory (its header line
    // alone) as an empty table to fill.
    bool emptyAllowed = false;
    // Formats whose entries carry no channel number (GivesNumbers): the first channel's number.
    int firstNumber = 1;
};

// What a write needs besides the table.
struct WriteSettings {
    ReceiverModel model;     // memory files: the records' model
    bool importForm = true;  // receiver CSV: the 19-column form with its header line; false for
                             // the 10-column form of the editor's start-up grid
    std::vector<std::string> groupNames;  // bookmark lists: the names of receiver groups 1, 2, ...
};

class ChannelFormat {
public:
    virtual ~ChannelFormat() = default;

    // The format's name in reports: "receiver CSV", "CHIRP CSV", "memory file", "SDR# list",
    // "SDR++ list".
    virtual std::string_view Name() const = 0;
    // The file names it offers in a file dialog: "*.csv", "*.xml", "*.json", or "*.g3m" /
    // "*.15m" for `model`.
    virtual std::string Extensions(ReceiverModel model) const = 0;
    // Whether a file of this name is written in this format (.csv, .g3m, .15m, .xml, .json).
    virtual bool NamedFor(std::string_view path) const = 0;

    // Done when this build reads and writes the format, else why not.
    virtual Status Supported() const { return Done{}; }
    // Whether the read numbers the channels itself, one up from ReadSettings::firstNumber, as
    // for lists whose entries have no channel number.
    virtual bool GivesNumbers() const { return false; }
    // Whether `bytes`, the whole content of a file, look like this format's own, whatever the
    // file's name.
    virtual bool LooksLike(std::string_view bytes, ReceiverModel model) const = 0;

    enum class Fit { No, ByName, ByContent };
    // Whether the file at `path`, whose whole content is `bytes`, looks like this format's:
    // ByContent when its bytes say so, ByName when only its name does.
    Fit Recognise(std::string_view path, std::string_view bytes, ReceiverModel model) const {
        return LooksLike(bytes, model) ? Fit::ByContent : NamedFor(path) ? Fit::ByName : Fit::No;
    }
    // Reads the whole content of the file at `path` (named in messages). The error says why
    // the file cannot be taken at all; what is wrong inside goes into the report.
    virtual Result<ChannelFileRead> Read(const std::string& path, std::string_view bytes,
                                         const ReadSettings& settings) const = 0;
    // Writes the channel rows of `table` to `path`, replacing the file in one step (a memory
    // file is updated in place: records no row replaces stay). On failure the old file stays.
    virtual Result<ChannelFileReport> Write(const std::string& path, const MemoryTable& table,
                                            const WriteSettings& settings) const = 0;
};

// Today's formats, each with its one instance.
const ChannelFormat& ReceiverCsvFormat();   // the receiver software's CSV memory file
const ChannelFormat& ChirpCsvFormat();      // CHIRP's generic CSV file
const ChannelFormat& RecordFileFormat();    // the binary memory file: .g3m or .15m
const ChannelFormat& SdrSharpListFormat();  // SDR#'s frequencies.xml (refused by a build without
                                            // an XML library, saying so)
const ChannelFormat& SdrppListFormat();     // SDR++'s frequency manager JSON

// Every format the door knows, the one a file falls back to (the receiver CSV) first.
const std::vector<const ChannelFormat*>& ChannelFormats();

}  // namespace corvalen
