#pragma once

#include <functional>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "channel/ReceiverModel.h"
#include "csv/CsvReader.h"
#include "g3m/ReplacedRow.h"
#include "io/Diagnostic.h"
#include "io/Result.h"
#include "table/ColumnSet.h"
#include "table/MemoryTable.h"

// The formats of channel files behind one door (ChannelFiles.h): each format is one class in a
// file of its own, and nothing else names a format; the editor and the converter ask the door,
// which asks the registry (ChannelFormats). Adding a format: see "One door for channel files"
// in docs/architecture.md; the German of its editor texts goes into translations/corvalen_de.ts.

namespace corvalen {

class ChannelFormat;
enum class ChirpNumbering;  // csv/ChirpCsv.h

// What reading or writing one channel file did, as the editor's status line and the converter's
// summary tell it. Every member has a default, so that a format names only those it fills.
struct ChannelFileReport {
    const ChannelFormat* format = nullptr;  // the format read or written
    int recordsRead = 0;     // reading: lines after the header, or whole records of a memory file
    int channels = 0;        // reading: channel rows read; writing a CSV file: channel rows written
    int recordsWritten = 0;  // writing a memory file: records it holds from the rows, one a channel
    int recordsKept = 0;     // writing a memory file: records already in it that no row replaced
                             // (its empty places not counted)
    std::vector<ReplacedRow> rowsReplaced{};  // writing a memory file: rows a later one replaced
    int rowsNotWritten = 0;                   // writing: rows without a usable channel number
    int rowsSkipped = 0;      // writing: rows whose cells are all empty (no channel, no word)
    int badChecksums = 0;     // reading a memory file: records whose checksum does not match
    int incompleteBytes = 0;  // reading a memory file: bytes of a record the file ends inside
    RowOrigins origins{};     // reading a CSV file: the line of each row, a CHIRP file's Locations
    // In file or row order: place Line or Record when reading, Row when writing.
    std::vector<Diagnostic> diagnostics{};
    std::vector<std::string> saveNotices{};  // writing: what the save itself had to tell

    std::size_t NoticeCount() const;
    std::size_t ErrorCount() const { return diagnostics.size() - NoticeCount(); }
};

// A table read from a file, with what reading it found.
struct ChannelFileRead {
    MemoryTable table = MemoryTable::ImportLayout();  // 19 captioned columns, one row per channel
    ChannelFileReport report;
    bool holdsLocationZero = false;  // a CHIRP file with a channel at Location 0
    // Bookmark lists: the group names by receiver group ([0] is group 1), so a list written from
    // the table names its groups as they came, and gqrx's tag colours by name.
    std::vector<std::string> groupNames;
    std::map<std::string, std::string> groupColours{};
};

// What a read needs besides the file.
struct ReadSettings {
    ReceiverModel model;  // memory files: the records' model
    // Bookmark lists: the group names the table already has; the list's take the groups after.
    std::vector<std::string> knownGroups;
    // A file without any channel is refused unless this is set and the file is not empty: the
    // editor opens the export of an empty memory (its header line alone) as a table to fill.
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
    std::map<std::string, std::string> groupColours{};  // and their colours by name ("#rrggbb")
};

// The texts the editor shows for a format, in English; translated in the context
// "corvalen::FileActions", the nouns in the context "Count" (see EditorText.h).
struct FormatTexts {
    const char* filter;  // its save dialog's entry, "Description (*.ext)|*.ext"
    // Its entry in the "Open Winradio .csv file" dialog, where that differs; else nullptr.
    const char* openFilter;
    // After opening a file and after a save: %1 the channels read or what was written
    // (savedNouns), %2 the file's name, %3 (where the text has it) the model's record length.
    const char* read;
    const char* saved;
    const char* savedNouns[2] = {"channel", "channels"};  // what a save counts
    const char* readReported[2] = {"line", "lines"};      // what reading reports
    // What a save reports, or nullptr: problems and notices, counted apart.
    const char* savedReported[2] = {"problem", "problems"};
};

// Rows handed over one at a time, without a table: each row's cells in the import's column
// order, valid only during the call.
using RowSink = std::function<void(std::span<const std::string_view> cells)>;
// A walk over rows: hands every row, in order, to the sink it is given. An error ends it.
struct RowSource {
    std::size_t expectedRows = 0;  // room made at once; more rows still fit
    std::function<Status(const RowSink& take)> walk;

    explicit operator bool() const { return static_cast<bool>(walk); }
};

class ChannelFormat {
public:
    virtual ~ChannelFormat() = default;

    virtual std::string_view ShortName() const = 0;  // its word after --to: "csv", "chirp", ...
    virtual std::string_view Name() const = 0;       // its name in reports: "receiver CSV", ...
    // The extensions of its files for `model`, lower case with their dot; a save adds the
    // first to a name that has none of them.
    virtual std::vector<std::string_view> Extensions(ReceiverModel model) const = 0;
    // The extensions of its files for any receiver model (a memory file: .g3m and .15m).
    virtual std::vector<std::string_view> AllExtensions() const {
        return Extensions(ReceiverModel());
    }
    // Whether a file of this name is written in this format unless another is asked for (CHIRP
    // files share .csv with the receiver CSV, which the name alone says).
    virtual bool NamedFor(std::string_view path) const { return HasExtensionOf(path); }
    // Whether the name of a file ends in one of AllExtensions.
    bool HasExtensionOf(std::string_view path) const;
    // The editor's texts for the format (filters for `model`).
    virtual FormatTexts Texts(ReceiverModel model) const = 0;
    // Whether the "Open Winradio .csv file" dialog offers the format's files under a filter of
    // their own.
    virtual bool OpenedAsChannelFile() const { return true; }
    // Whether its files hold one record per channel number at the channel's place, updated in
    // place by a save.
    virtual bool HoldsRecords() const { return false; }

    // The longest file of the format that is read, for `model`.
    virtual std::size_t MaxFileBytes(ReceiverModel) const { return kMaxCsvFileBytes; }
    // Numbers the channels of a file read as `numbering` says, for formats that count them from
    // 0 (CHIRP).
    virtual void Renumber(ChannelFileRead&, ChirpNumbering) const {}

    // Done when this build reads and writes the format, else why not.
    virtual Status Supported() const { return Done{}; }
    // The columns a file of this format keeps for `model`: what a comparison of two files
    // compares.
    virtual ColumnSet HeldColumns(ReceiverModel) const { return ColumnSet::All(); }
    // Whether the read numbers the channels itself, from ReadSettings::firstNumber.
    virtual bool GivesNumbers() const { return false; }
    // Whether `bytes`, the whole content of a file, look like this format's own.
    virtual bool LooksLike(std::string_view bytes, ReceiverModel model) const = 0;
    // How many bytes from the start of a file LooksLike looks at: the start of a longer file
    // gives the same answer. npos for formats that look at the whole file.
    virtual std::size_t LooksAtStart() const { return std::string_view::npos; }
    // Reads the whole content of the file at `path` (named in messages). The error says why
    // the file cannot be taken at all; what is wrong inside goes into the report.
    virtual Result<ChannelFileRead> Read(const std::string& path, std::string_view bytes,
                                         const ReadSettings& settings) const = 0;
    // Writes the channel rows of `table` to `path`, replacing the file in one step (a memory
    // file is updated in place: records no row replaces stay). On failure the old file stays.
    virtual Result<ChannelFileReport> Write(const std::string& path, const MemoryTable& table,
                                            const WriteSettings& settings) const = 0;

    // For formats whose rows can be handed over as they are read: the walk over the rows of the
    // file at `path`, read a block at a time and never held whole (at most `maxBytes` long),
    // which fills `report` as it goes. An empty source where the file is to be read whole
    // instead: a format that reads the whole file first, a file that is no regular file, or one
    // whose Read has more to say than the rows (why it cannot be taken). The error is the read's.
    virtual Result<RowSource> RowsOf(const std::string&, std::size_t, ChannelFileReport&) const {
        return RowSource{};
    }
    // Writes the rows `rows` hands over as Write writes a table's; on an error of the walk
    // nothing is written. By default the rows are gathered into a table first.
    virtual Result<ChannelFileReport> WriteRows(const std::string& path, const RowSource& rows,
                                                const WriteSettings& settings) const;
};

// Today's formats, each with its one instance.
const ChannelFormat& ReceiverCsvFormat();    // the receiver software's CSV memory file
const ChannelFormat& ChirpCsvFormat();       // CHIRP's generic CSV file
const ChannelFormat& MemoryFileFormat();     // the binary memory file: .g3m or .15m
const ChannelFormat& SdrSharpListFormat();   // SDR#'s frequencies.xml (where built with pugixml)
const ChannelFormat& SdrppListFormat();      // SDR++'s frequency manager JSON
const ChannelFormat& GqrxBookmarksFormat();  // gqrx's bookmarks.csv

// Every format the door knows, the one a file falls back to (the receiver CSV) first: the only
// list of formats.
const std::vector<const ChannelFormat*>& ChannelFormats();

// The format whose files have the extension of `path` (for any receiver model), else nullptr.
// Of formats sharing an extension, the one the name alone says (NamedFor).
const ChannelFormat* ExtensionOwner(std::string_view path);
// The extension of a file name, lower case with its dot ("" for none): ".g3m" of "A.G3M".
std::string ExtensionOf(std::string_view path);
// The name a file of `format` is saved under when the user gave `path`: `path` itself when its
// extension is one of the format's, else with the format's first extension for `model` in place
// of another format's or added ("list" and "list.g3m" become "list.xml").
std::string NameForFormat(std::string_view path, const ChannelFormat& format, ReceiverModel model);

}  // namespace corvalen
