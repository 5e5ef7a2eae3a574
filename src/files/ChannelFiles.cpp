#include "files/ChannelFiles.h"

#include <algorithm>
#include <utility>

#include "channel/CellChecks.h"
#include "io/Messages.h"
#include "io/SafeFile.h"

namespace corvalen {

namespace {

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

}  // namespace

const ChannelFormat* FormatForName(std::string_view path) {
    // Standard output has no name to go by: it gets a receiver CSV unless a format is asked for.
    if (path == "-") {
        return ChannelFormats().front();
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
    // As much as the longest file of the format its name says allows, so that a memory file
    // longer than the longest of the model is refused from its size before anything is
    // allocated.
    const ChannelFormat* named = ExtensionOwner(path);
    const Result<ByteBuffer> bytes = ReadWholeFileBuffer(
        path, named != nullptr ? named->MaxFileBytes(settings.model) : kMaxCsvFileBytes);
    if (!bytes) {
        return bytes.error();
    }
    const std::string_view content(bytes->data(), bytes->size());
    const ChannelFormat& format = FormatOf(path, content, settings.model);
    Result<ChannelFileRead> read = format.Read(path, content, settings);
    if (!read) {
        return read.error();
    }
    if (!HasChannel(read->table) && (!settings.emptyAllowed || content.empty())) {
        return Error{"no channels in " + path};
    }
    read->report.format = &format;
    read->report.channels = read->table.ChannelCount();
    return read;
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
    Result<ChannelFileRead> read = ReadChannelFile(input, {settings.model, {}});
    if (!read) {
        return read.error();
    }
    ApplyChirpNumbering(*read, numbering);
    ChannelFileConversion conversion;
    conversion.read = std::move(*read);
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
        return CountWords(static_cast<std::size_t>(n), singular, plural);
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
                     ? CountWords(RecordCount(read.diagnostics), "record", "records")
                     : CountWords(read.diagnostics.size(), "input line", "input lines")) +
                " reported";
    }
    return line;
}

}  // namespace corvalen
