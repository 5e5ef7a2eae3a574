#pragma once

#include <functional>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "channel/ReceiverModel.h"
#include "g3m/ReplacedRow.h"
#include "io/Diagnostic.h"
#include "io/Result.h"
#include "table/ColumnSet.h"
#include "table/MemoryTable.h"

// The formats of channel files behind one door (ChannelFiles.h). Each format is one class in a
// file of its own that declares its --to word, its name, its extensions and the editor's texts
// for it (its dialog filter, what reading and saving say), whether some bytes look like its
// own, how to read them into a table and how to write a table. Nothing else names a format:
// the editor and the converter ask the door, which asks the registry (ChannelFormats); what
// differs between formats is behind the virtual functions below.
// Adding a format: see "One door for channel files" in docs/architecture.md; the German of its
// editor texts goes into translations/corvalen_de.ts.

namespace corvalen {

class ChannelFormat;
enum class ChirpNumbering;  // csv/ChirpCsv.h

// What reading or writing one channel file did, as the editor's status line and the converter's
// summary tell it. Counts that mean nothing for the format stay 0. Every member has a default,
// so that a format names only those it fills.
struct ChannelFileReport {
    const ChannelFormat* format = nullptr;  // the format read or written
    int recordsRead = 0;     // reading: lines after the header, or whole records of a memory file
    int channels = 0;        // reading: channel rows read; writing a CSV file: channel rows written
    int recordsWritten = 0;  // writing a memory file: records it holds from the rows, one a channel
    int recordsKept = 0;     // writing a memory file: records already in it that no row replaced
                             // (its empty places not counted)
    // Writing a memory file: the rows whose record a later row with the same Number replaced,
    // in row order.
    std::vector<ReplacedRow> rowsReplaced{};
    int rowsNotWritten = 0;   // writing: rows without a usable channel number
    int rowsSkipped = 0;      // writing: rows whose cells are all empty (no channel, no word)
    int badChecksums = 0;     // reading a memory file: records whose checksum does not match
    int incompleteBytes = 0;  // reading a memory file: bytes of a record the file ends inside
    RowOrigins origins{};     // reading a CSV file: the line of each row, a CHIRP file's Locations
    // Errors and notices in file or row order: place Line or Record when reading, Row when
    // writing.
    std::vector<Diagnostic> diagnostics{};
    // Writing: what the save itself had to tell (an owner it could not keep, other names of the
    // file that keep the old content).
    std::vector<std::string> saveNotices{};

    std::size_t NoticeCount() const;
    std::size_t ErrorCount() const { return diagnostics.size() - NoticeCount(); }
};

// A table read from a file, with what reading it found.
struct ChannelFileRead {
    MemoryTable table = MemoryTable::ImportLayout();  // 19 captioned columns, one row per channel
    ChannelFileReport report;
    bool holdsLocationZero = false;  // a CHIRP file with a channel at Location 0
    // Bookmark lists: the list and group names by receiver group ([0] is group 1), so a list
    // written from the table names its groups as they came; and their colours (gqrx's tags), by
    // group name.
    std::vector<std::string> groupNames;
    std::map<std::string, std::string> groupColours{};
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
    std::map<std::string, std::string> groupColours{};  // and their colours by name ("#rrggbb")
};

// The texts the editor shows for a format, in English. The editor shows them translated: the
// sentences and filters in the context "corvalen::FileActions", the nouns in the context "Count"
// (see EditorText.h).
struct FormatTexts {
    // The entry of the format in its save dialog (and the memory file's open dialog),
    // "Description (*.ext)|*.ext".
    const char* filter;
    // Its entry in the "Open Winradio .csv file" dialog, where that differs; else nullptr.
    const char* openFilter;
    // After opening a file: %1 the channels read, %2 the file's name, %3 (where the text has
    // it) the length of the receiver model's records.
    const char* read;
    // After a save: %1 what was written (savedNouns), %2 the file's name, %3 (where the text
    // has it) the length of the receiver model's records.
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

    // The format's word on the converter's command line (--to): "csv", "chirp", "memory",
    // "sdrsharp", "sdrpp", "gqrx".
    virtual std::string_view ShortName() const = 0;
    // The format's name in reports: "receiver CSV", "CHIRP CSV", "memory file", "SDR# list",
    // "SDR++ list", "gqrx bookmarks".
    virtual std::string_view Name() const = 0;
    // The extensions of its files for `model`, lower case with their dot; a save adds the
    // first to a name that has none of them.
    virtual std::vector<std::string_view> Extensions(ReceiverModel model) const = 0;
    // The extensions of its files for any receiver model (a memory file: .g3m and .15m).
    virtual std::vector<std::string_view> AllExtensions() const {
        return Extensions(ReceiverModel());
    }
    // Whether a file of this name is written in this format unless another is asked for: its
    // extension is one of AllExtensions (CHIRP files share .csv with the receiver CSV, which
    // the name alone says).
    virtual bool NamedFor(std::string_view path) const;
    // Whether the name of a file ends in one of AllExtensions.
    bool HasExtensionOf(std::string_view path) const;
    // The editor's texts for the format (filters for `model`).
    virtual FormatTexts Texts(ReceiverModel model) const = 0;
    // Whether the "Open Winradio .csv file" dialog offers the format's files under a filter of
    // their own (a CHIRP file is opened as a .csv; a memory file has its own command).
    virtual bool OpenedAsChannelFile() const { return true; }
    // Whether its files hold one record per channel number at the channel's place: a save
    // updates the file in place, counting records written and records kept.
    virtual bool HoldsRecords() const { return false; }

    // The longest file of the format that is read, for `model`.
    virtual std::size_t MaxFileBytes(ReceiverModel model) const;
    // Numbers the channels of a file read in this format as `numbering` says, for formats that
    // count their channels from 0 (CHIRP); others stay as they are.
    virtual void Renumber(ChannelFileRead&, ChirpNumbering) const {}

    // Done when this build reads and writes the format, else why not.
    virtual Status Supported() const { return Done{}; }
    // The columns a file of this format keeps for `model` (a memory file's records have no place
    // for Priority or the reserved fields, for one): what a comparison of two files compares.
    virtual ColumnSet HeldColumns(ReceiverModel) const { return ColumnSet::All(); }
    // Whether the read numbers the channels itself, one up from ReadSettings::firstNumber, as
    // for lists whose entries have no channel number.
    virtual bool GivesNumbers() const { return false; }
    // Whether `bytes`, the whole content of a file, look like this format's own, whatever the
    // file's name.
    virtual bool LooksLike(std::string_view bytes, ReceiverModel model) const = 0;
    // Reads the whole content of the file at `path` (named in messages). The error says why
    // the file cannot be taken at all; what is wrong inside goes into the report.
    virtual Result<ChannelFileRead> Read(const std::string& path, std::string_view bytes,
                                         const ReadSettings& settings) const = 0;
    // Writes the channel rows of `table` to `path`, replacing the file in one step (a memory
    // file is updated in place: records no row replaces stay). On failure the old file stays.
    virtual Result<ChannelFileReport> Write(const std::string& path, const MemoryTable& table,
                                            const WriteSettings& settings) const = 0;

    // For formats whose rows can be handed over as they are read: the walk over the rows of
    // `bytes`, which fills `report` (the lines read, what they showed, each row's line and
    // Number) as it goes; an empty source for formats that read the whole file first. The
    // error says why the file cannot be taken at all, as Read's does.
    virtual Result<RowSource> RowsOf(const std::string& path, std::string_view bytes,
                                     ChannelFileReport& report) const;
    // Writes the rows `rows` hands over as Write writes a table's; an error of the walk is
    // returned, and nothing is written then. Formats that need every row before the first
    // byte gather them into a table.
    virtual Result<ChannelFileReport> WriteRows(const std::string& path, const RowSource& rows,
                                                const WriteSettings& settings) const;
};

// Today's formats, each with its one instance.
const ChannelFormat& ReceiverCsvFormat();    // the receiver software's CSV memory file
const ChannelFormat& ChirpCsvFormat();       // CHIRP's generic CSV file
const ChannelFormat& MemoryFileFormat();     // the binary memory file: .g3m or .15m
const ChannelFormat& SdrSharpListFormat();   // SDR#'s frequencies.xml (refused by a build without
                                             // an XML library, saying so)
const ChannelFormat& SdrppListFormat();      // SDR++'s frequency manager JSON
const ChannelFormat& GqrxBookmarksFormat();  // gqrx's bookmarks.csv

// Every format the door knows, the one a file falls back to (the receiver CSV) first. This is
// the only list of formats: the converter's --to words, the editor's dialogs and reports come
// from it.
const std::vector<const ChannelFormat*>& ChannelFormats();

// The format whose files have the extension of `path` (for any receiver model); nullptr for a
// name with no extension or one no format knows. Of formats sharing an extension, the one the
// name alone says (NamedFor).
const ChannelFormat* ExtensionOwner(std::string_view path);
// The extension of a file name, lower case with its dot ("" for none): ".g3m" of "A.G3M".
std::string ExtensionOf(std::string_view path);
// The name a file of `format` is saved under when the user gave `path`: `path` itself when its
// extension is one of the format's; else the extension replaced by the format's first for
// `model` when it belongs to another format, or that extension added when it belongs to none
// ("list" becomes "list.xml", "list.g3m" becomes "list.xml").
std::string NameForFormat(std::string_view path, const ChannelFormat& format, ReceiverModel model);

}  // namespace corvalen
