#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "channel/ReceiverModel.h"
#include "csv/ChirpCsv.h"
#include "csv/CsvReader.h"
#include "files/ChannelFormat.h"
#include "g3m/MemoryFile.h"
#include "g3m/MemoryFileReader.h"
#include "io/Messages.h"
#include "io/Result.h"
#include "table/MemoryTable.h"

// The one door for every file of channels the editor and the converter read or write. A file is
// read once, its size capped before anything is allocated; its format is told by its content
// first and its name second (ChannelFormat.h holds the formats).

namespace corvalen {

// The most records a memory file holds: one per channel number.
inline constexpr int kMaxRecords = 65535;
// The longest memory file of `model`: a record for every channel number.
std::size_t MaxMemoryFileBytes(ReceiverModel model);

// Reads the file at `path` (or "-", standard input) into a table, in whichever format its
// content, else its name, shows. The error says which file and why, "no channels in FILE" for
// one without a channel.
Result<ChannelFileRead> ReadChannelFile(const std::string& path, const ReadSettings& settings);

// Numbers the channels of a file read as its format does (ChannelFormat::Renumber).
void ApplyChirpNumbering(ChannelFileRead& read, ChirpNumbering numbering);

// Writes the channel rows of `table` to `path` in `format` (see ChannelFormat::Write).
Result<ChannelFileReport> WriteChannelFile(const std::string& path, const MemoryTable& table,
                                           const ChannelFormat& format,
                                           const WriteSettings& settings);

// The format a file is written in by its name (the first of ChannelFormats whose NamedFor it
// is), the receiver CSV for standard output ("-"); nullptr for any other name.
const ChannelFormat* FormatForName(std::string_view path);
// The format whose ShortName a command line gives; nullptr for any other word.
const ChannelFormat* FormatNamed(std::string_view word);
// The ShortNames of every format, one a line, as a {N:or} value of the converter's errors.
std::string FormatWords();

// The format of a file whose whole content is `bytes`: the first format whose content it
// matches, else the first whose name it has, else the receiver CSV.
const ChannelFormat& FormatOf(std::string_view path, std::string_view bytes, ReceiverModel model);

// What a conversion did: the reading, then the writing, or why the output could not be written.
struct ChannelFileConversion {
    ChannelFileRead read;
    Result<ChannelFileReport> written = Error{};
};

// Reads `input` and writes its channels to `output` in `format`, a CHIRP file numbered by
// `numbering`, a bookmark list's group names passed on. The error says why the input could not
// be read (nothing is written then). Where the input's format hands its rows over as they are
// read (RowsOf), each goes to the output as it comes and the read's table stays empty.
Result<ChannelFileConversion> ConvertChannelFile(const std::string& input,
                                                 const std::string& output,
                                                 const ChannelFormat& format,
                                                 const WriteSettings& settings,
                                                 ChirpNumbering numbering = ChirpNumbering::Shift);

// The converter's summary line of a conversion, without its line end.
std::string ConversionSummary(const ChannelFileConversion& conversion, const std::string& input,
                              const std::string& output, Language language);

// A CSV format's table and report from what its reader made.
ChannelFileRead FromCsvImport(CsvImport imported);
// Saves a text format's `bytes` at `path`: `report`, what building them found, with what the
// save had to tell.
Result<ChannelFileReport> SaveFormatText(const std::string& path, std::string_view bytes,
                                         ChannelFileReport report);

// True for a path ending in .g3m or .15m, any case: a binary memory file.
bool IsMemoryFilePath(std::string_view path);
// True for a path ending in .15m, any case: the memory file of the "305" and "315".
bool Is15mPath(std::string_view path);
// True when a memory file of that name holds the records of `model` (.15m: the "305" and "315").
bool MemoryFileFitsModel(std::string_view path, ReceiverModel model);

}  // namespace corvalen
