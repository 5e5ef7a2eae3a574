#include "files/ChannelFiles.h"

#include <algorithm>
#include <utility>

#include "channel/CellChecks.h"
#include "io/SafeFile.h"

namespace corvalen {

// The report of a memory file saved through a placer (MemoryFileFormat.cpp).
ChannelFileReport RecordSaveReport(MemoryFileSaveReport saved);

namespace {

std::string Count(std::size_t n, std::string_view singular, std::string_view plural) {
    return std::to_string(n) + " " + std::string(n == 1 ? singular : plural);
}

// How many records `problems` (in file order) concern.
std::size_t RecordCount(const std::vector<Diagnostic>& problems) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < problems.size(); ++i) {
        count += i == 0 || problems[i].number != problems[i - 1].number;
    }
    return count;
}

bool HasChannel(const MemoryTable& table) {
    for (int row = 1; row < table.RowCount(); ++row) {
        if (!IsEmptyRow(table, row)) {
            return true;
        }
    }
    return false;
}

Error NoChannels(const std::string& path) {
    return Error{"no channels in " + path};
}

// The whole content of a file, read once, and its format.
struct FileContent {
    ByteBuffer bytes;
    const ChannelFormat* format = nullptr;
    std::string_view View() const { return std::string_view(bytes.data(), bytes.size()); }
};

// Reads the file at `path` once: as much as the longest file of the format its name says
// allows, so that a memory file longer than the longest of `model` is refused from its size
// before anything is allocated. Its format is FormatOf its content.
Result<FileContent> ReadOnce(const std::string& path, ReceiverModel model) {
    const ChannelFormat* named = ExtensionOwner(path);
    Result<ByteBuffer> bytes = ReadWholeFileBuffer(
        path, named != nullptr ? named->MaxFileBytes(model) : kMaxCsvFileBytes);
    if (!bytes) {
        return bytes.error();
    }
    FileContent content{std::move(*bytes)};
    content.format = &FormatOf(path, content.View(), model);
    return content;
}

// The table and report of a file's whole content in `format`; refused when it holds no channel
// and the settings do not allow that.
Result<ChannelFileRead> ReadContent(const std::string& path, std::string_view content,
                                    const ChannelFormat& format, const ReadSettings& settings) {
    if (Status accepted = format.Accepts(path, content); !accepted) {
        return accepted.error();
    }
    Result<ChannelFileRead> read = format.Read(path, content, settings);
    if (!read) {
        return read.error();
    }
    if (!HasChannel(read->table) && (!settings.emptyAllowed || content.empty())) {
        return NoChannels(path);
    }
    read->report.format = &format;
    read->report.channels = read->table.ChannelCount();
    return read;
}

}  // namespace

bool HasSuffix(std::string_view path, std::string_view suffix) {
    const auto same = [](char wanted, char c) {
        return wanted == (c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
    };
    return path.size() >= suffix.size() &&
           std::equal(suffix.begin(), suffix.end(), path.end() - suffix.size(), same);
}

bool IsMemoryFilePath(std::string_view path) {
    return HasSuffix(path, ".g3m") || Is15mPath(path);
}

bool IsCsvFilePath(std::string_view path) {
    return HasSuffix(path, ".csv");
}

bool Is15mPath(std::string_view path) {
    return HasSuffix(path, ".15m");
}

bool MemoryFileFitsModel(std::string_view path, ReceiverModel model) {
    return Is15mPath(path) == model.HoldsSecondarySquelch();
}

const ChannelFormat* FormatForName(std::string_view path) {
    // Standard output has no name to go by: it gets a receiver CSV unless a format is asked for.
    if (path == "-") {
        return &ReceiverCsvFormat();
    }
    for (const ChannelFormat* format : ChannelFormats()) {
        if (format->NamedFor(path)) {
            return format;
        }
    }
    return nullptr;
}

const ChannelFormat* FormatNamed(std::string_view word) {
    for (const ChannelFormat* format : ChannelFormats()) {
        if (format->ShortName() == word) {
            return format;
        }
    }
    return nullptr;
}

std::string FormatWords() {
    std::string words;
    const std::vector<const ChannelFormat*>& formats = ChannelFormats();
    for (std::size_t i = 0; i < formats.size(); ++i) {
        words += i == 0 ? "" : i + 1 == formats.size() ? " or " : ", ";
        words += formats[i]->ShortName();
    }
    return words;
}

const ChannelFormat& FormatOf(std::string_view path, std::string_view bytes, ReceiverModel model) {
    const ChannelFormat* byName = nullptr;
    for (const ChannelFormat* format : ChannelFormats()) {
        const ChannelFormat::Fit fit = format->Recognise(path, bytes, model);
        if (fit == ChannelFormat::Fit::ByContent) {
            return *format;
        }
        if (fit == ChannelFormat::Fit::ByName && byName == nullptr) {
            byName = format;
        }
    }
    return byName != nullptr ? *byName : *ChannelFormats().front();
}

Result<ChannelFileRead> ReadChannelFile(const std::string& path, const ReadSettings& settings) {
    const Result<FileContent> content = ReadOnce(path, settings.model);
    if (!content) {
        return content.error();
    }
    return ReadContent(path, content->View(), *content->format, settings);
}

void ApplyChirpNumbering(ChannelFileRead& read, ChirpNumbering numbering) {
    if (read.report.format != nullptr) {
        read.report.format->Renumber(read, numbering);
    }
}

Result<ChannelFileReport> WriteChannelFile(const std::string& path, const MemoryTable& table,
                                           const ChannelFormat& format,
                                           const WriteSettings& settings) {
    Result<ChannelFileReport> written = format.Write(path, table, settings);
    if (written) {
        written->format = &format;
    }
    return written;
}

Result<ChannelFileConversion> ConvertChannelFile(const std::string& input,
                                                 const std::string& output,
                                                 const ChannelFormat& format,
                                                 const WriteSettings& settings,
                                                 ChirpNumbering numbering) {
    const Result<FileContent> read = ReadOnce(input, settings.model);
    if (!read) {
        return read.error();
    }
    const std::string_view content = read->View();
    const ChannelFormat& from = *read->format;
    ChannelFileConversion conversion;
    ChannelFileReport& reading = conversion.read.report;
    reading.format = &from;
    if (from.ReadsRowByRow() && format.HoldsRecords()) {
        // Row by row: each record is placed as its line is read.
        if (Status accepted = from.Accepts(input, content); !accepted) {
            return accepted.error();
        }
        const CsvTextCheck text = CheckCsvTextBytes(input, content);
        if (!text.status) {
            return text.status.error();
        }
        bool anyChannel = false;
        bool placing = false;  // the memory file was opened and its records placed
        Result<MemoryFileSaveReport> saved = SaveMemoryFileRecords(
            output, settings.model,
            [&](RecordPlacer& placer) {
                placing = true;
                reading.recordsRead = ReadCsvRecords(
                    content, reading.diagnostics,
                    [&](std::span<const std::string_view> cells) {
                        anyChannel = anyChannel || !IsEmptyRow(cells);
                        ++reading.channels;
                        placer.Place(cells);
                    },
                    &reading.origins.lines, text.beyondAscii);
            },
            static_cast<std::size_t>(EstimateCsvRecords(content)),
            [&]() -> Status { return anyChannel ? Status(Done{}) : Status(NoChannels(input)); });
        if (!saved && !placing) {
            // The memory file could not be opened, so no record was read: the file is read as
            // for any other output, and what it holds is reported with the failure.
            Result<ChannelFileRead> table = ReadContent(input, content, from, {settings.model, {}});
            if (!table) {
                return table.error();
            }
            conversion.read = std::move(*table);
            conversion.written = saved.error();
            return conversion;
        }
        if (!saved && !anyChannel) {
            return saved.error();
        }
        conversion.written =
            saved ? Result<ChannelFileReport>(RecordSaveReport(std::move(*saved))) : saved.error();
        return conversion;
    }
    Result<ChannelFileRead> table = ReadContent(input, content, from, {settings.model, {}});
    if (!table) {
        return table.error();
    }
    ApplyChirpNumbering(*table, numbering);
    conversion.read = std::move(*table);
    WriteSettings writing = settings;
    if (writing.groupNames.empty()) {
        writing.groupNames = conversion.read.groupNames;
    }
    conversion.written = WriteChannelFile(output, conversion.read.table, format, writing);
    return conversion;
}

std::string ConversionSummary(const ChannelFileConversion& conversion, const std::string& input,
                              const std::string& output) {
    const ChannelFileReport& read = conversion.read.report;
    const ChannelFileReport& written = *conversion.written;
    const auto counted = [](int n, std::string_view singular, std::string_view plural) {
        return Count(static_cast<std::size_t>(n), singular, plural);
    };
    std::string line = "wrote ";
    if (written.format != nullptr && written.format->HoldsRecords()) {
        // What the file holds now: the records written, those of the old file kept, and the rows
        // whose record a later row with the same Number replaced.
        line += counted(written.recordsWritten, "record", "records") + " to " + output + "; " +
                counted(written.rowsNotWritten, "row not written", "rows not written");
        if (written.recordsKept > 0) {
            line += "; " + counted(written.recordsKept, "record", "records") +
                    " already in the file kept";
        }
        if (!written.rowsReplaced.empty()) {
            line += "; " + counted(static_cast<int>(written.rowsReplaced.size()), "row", "rows") +
                    " replaced by a later row with the same Number";
        }
        if (written.rowsSkipped > 0) {
            line += "; " + counted(written.rowsSkipped, "empty row", "empty rows") + " skipped";
        }
    } else {
        line += counted(written.channels, "channel", "channels") + " to " + output;
        if (read.format != nullptr && read.format->HoldsRecords()) {
            line += " from " + counted(read.recordsRead, "record", "records") + " of " + input;
        }
        if (written.rowsNotWritten > 0) {
            line += "; " + counted(written.rowsNotWritten, "row not written", "rows not written");
        }
    }
    if (!read.diagnostics.empty()) {
        line += "; " +
                (read.format != nullptr && read.format->HoldsRecords()
                     ? Count(RecordCount(read.diagnostics), "record", "records")
                     : Count(read.diagnostics.size(), "input line", "input lines")) +
                " reported";
    }
    return line;
}

}  // namespace corvalen
