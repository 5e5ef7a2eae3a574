#include "files/ChannelFiles.h"

#include <algorithm>
#include <optional>
#include <ranges>
#include <utility>

#include "channel/CellChecks.h"
#include "io/Messages.h"
#include "io/SafeFile.h"
#include "table/Columns.h"

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
    const auto& formats = ChannelFormats();
    if (path == "-") {
        return formats.front();
    }
    const auto named = std::ranges::find_if(
        formats, [&](const ChannelFormat* format) { return format->NamedFor(path); });
    return named == formats.end() ? nullptr : *named;
}

const ChannelFormat* FormatNamed(std::string_view word) {
    const auto& formats = ChannelFormats();
    const auto named = std::ranges::find(formats, word, &ChannelFormat::ShortName);
    return named == formats.end() ? nullptr : *named;
}

std::string FormatWords() {
    std::string words;
    for (const ChannelFormat* format : ChannelFormats()) {
        words.append(words.empty() ? "" : "\n").append(format->ShortName());
    }
    return words;
}

const ChannelFormat& FormatOf(std::string_view path, std::string_view bytes, ReceiverModel model) {
    const ChannelFormat* byName = nullptr;
    for (const ChannelFormat* format : ChannelFormats()) {
        if (format->LooksLike(bytes, model)) {
            return *format;
        }
        if (byName == nullptr && format->NamedFor(path)) {
            byName = format;
        }
    }
    return byName != nullptr ? *byName : *ChannelFormats().front();
}

namespace {

// The longest file read at `path`: the longest of the format its name says. A longer file is
// refused from its size, before anything is allocated.
std::size_t MaxBytesFor(const std::string& path, ReceiverModel model) {
    const ChannelFormat* named = ExtensionOwner(path);
    return named != nullptr ? named->MaxFileBytes(model) : kMaxCsvFileBytes;
}

// A format and the rows it hands over as it reads a file, filling a report as they come.
struct RowsAsRead {
    const ChannelFormat* format = nullptr;
    RowSource rows;  // empty: the file is to be read whole
};

// The rows of the regular file at `path` as RowsOf hands them over, when the start of the file
// tells its format (FormatOf's: each format before it in the registry looks no further than
// that start either); an empty source when only the whole file tells, the file is no regular
// file, or its format reads whole files.
Result<RowsAsRead> RowsOfStreamed(const std::string& path, std::size_t maxBytes,
                                  ReceiverModel model, ChannelFileReport& report) {
    constexpr std::size_t kStartBytes = 4096;
    std::string start;
    const Result<std::optional<unsigned long long>> read =
        ReadFileBlocks(path, maxBytes, kStartBytes, [&](std::string_view block) {
            start = block;
            return false;
        });
    if (!read) {
        return read.error();
    }
    for (const ChannelFormat* format : ChannelFormats()) {
        if (!*read || (start.size() == kStartBytes && format->LooksAtStart() > start.size())) {
            break;  // no regular file, or one longer than its start and a format looking further
        }
        if (format->LooksLike(start, model)) {
            Result<RowSource> rows = format->RowsOf(path, maxBytes, report);
            if (!rows) {
                return rows.error();
            }
            return RowsAsRead{format, std::move(*rows)};
        }
    }
    return RowsAsRead{};
}

// What `format` read from the file at `path`, refused when it holds no channel (unless the
// settings allow a file that is not `empty`), with the report's format and channels.
Result<ChannelFileRead> Finish(const std::string& path, ChannelFileRead read,
                               const ChannelFormat& format, const ReadSettings& settings,
                               bool empty) {
    if (!HasChannel(read.table) && (!settings.emptyAllowed || empty)) {
        return Error{MessageKind::CliNoChannels, {path}};
    }
    read.report.format = &format;
    read.report.channels = read.table.ChannelCount();
    return read;
}

// Reads `content`, the bytes of the file at `path`, as ReadChannelFile does.
Result<ChannelFileRead> ReadContent(const std::string& path, std::string_view content,
                                    const ReadSettings& settings) {
    const ChannelFormat& format = FormatOf(path, content, settings.model);
    Result<ChannelFileRead> read = format.Read(path, content, settings);
    if (!read) {
        return read.error();
    }
    return Finish(path, std::move(*read), format, settings, content.empty());
}

}  // namespace

Result<ChannelFileRead> ReadChannelFile(const std::string& path, const ReadSettings& settings) {
    // A format that hands its rows over as it reads them fills the table without the file held
    // whole.
    const std::size_t maxBytes = MaxBytesFor(path, settings.model);
    ChannelFileRead read;
    const Result<RowsAsRead> streamed = RowsOfStreamed(path, maxBytes, settings.model, read.report);
    if (!streamed) {
        return streamed.error();
    }
    if (const RowSource& rows = streamed->rows) {
        read.table.ReserveChannels(static_cast<int>(rows.expectedRows));
        const Status walked = rows.walk(
            [&](std::span<const std::string_view> cells) { read.table.AppendRow(cells); });
        if (!walked) {
            return walked.error();
        }
        // The start of a file so read holds its format's header: it is never empty.
        return Finish(path, std::move(read), *streamed->format, settings, false);
    }
    const Result<ByteBuffer> bytes = ReadWholeFileBuffer(path, maxBytes);
    if (!bytes) {
        return bytes.error();
    }
    return ReadContent(path, std::string_view(bytes->data(), bytes->size()), settings);
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
    ChannelFileConversion conversion;
    ChannelFileReport& report = conversion.read.report;
    const std::size_t maxBytes = MaxBytesFor(input, settings.model);
    const Result<RowsAsRead> streamed = RowsOfStreamed(input, maxBytes, settings.model, report);
    if (!streamed) {
        return streamed.error();
    }
    if (const RowSource* rows = &streamed->rows; *rows) {
        // Each row goes to the output as it is read; a file without a channel writes nothing.
        std::optional<Error> unread;
        bool anyChannel = false;
        bool walked = false;
        const RowSource counted{rows->expectedRows, [&](const RowSink& take) -> Status {
                                    walked = true;
                                    Status status =
                                        rows->walk([&](std::span<const std::string_view> cells) {
                                            // Reports name each row's Number as read.
                                            report.origins.AddNumber(cells[Number]);
                                            ++report.channels;
                                            anyChannel = anyChannel || !IsEmptyRow(cells);
                                            take(cells);
                                        });
                                    if (status && !anyChannel) {
                                        unread = Error{MessageKind::CliNoChannels, {input}};
                                        status = *unread;
                                    }
                                    return status;
                                }};
        report.format = streamed->format;
        report.origins.numberEnds.reserve(rows->expectedRows);
        conversion.written = format.WriteRows(output, counted, settings);
        if (!walked) {
            // The output could not be opened: what the input holds is still read and told.
            // A file refused for its content is refused as without an output.
            if (const Status read = counted.walk([](std::span<const std::string_view>) {});
                !read && !unread) {
                return read.error();
            }
        }
        if (unread) {
            return *unread;
        }
        if (conversion.written) {
            conversion.written->format = &format;
        }
        return conversion;
    }
    const Result<ByteBuffer> bytes = ReadWholeFileBuffer(input, maxBytes);
    if (!bytes) {
        return bytes.error();
    }
    Result<ChannelFileRead> read =
        ReadContent(input, std::string_view(bytes->data(), bytes->size()), {settings.model, {}});
    if (!read) {
        return read.error();
    }
    ApplyChirpNumbering(*read, numbering);
    conversion.read = std::move(*read);
    WriteSettings writing = settings;
    if (writing.groupNames.empty()) {
        writing.groupNames = conversion.read.groupNames;
        writing.groupColours = conversion.read.groupColours;
    }
    conversion.written = WriteChannelFile(output, conversion.read.table, format, writing);
    return conversion;
}

std::string ConversionSummary(const ChannelFileConversion& conversion, const std::string& input,
                              const std::string& output, Language language) {
    const ChannelFileReport& read = conversion.read.report;
    const ChannelFileReport& written = *conversion.written;
    std::string line;
    // One piece of the line, after "; " but the first.
    const auto say = [&](MessageKind kind, std::size_t count, std::string_view more = {}) {
        line += line.empty() ? "" : "; ";
        line += FormatMessage(kind, {std::to_string(count), more}, language);
    };
    if (written.format != nullptr && written.format->HoldsRecords()) {
        // What the file holds now.
        say(MessageKind::CliWroteRecords, static_cast<std::size_t>(written.recordsWritten), output);
        say(MessageKind::CliRowsNotWritten, static_cast<std::size_t>(written.rowsNotWritten));
        if (written.recordsKept > 0) {
            say(MessageKind::CliRecordsKept, static_cast<std::size_t>(written.recordsKept));
        }
        if (!written.rowsReplaced.empty()) {
            say(MessageKind::CliRowsReplaced, written.rowsReplaced.size());
        }
        if (written.rowsSkipped > 0) {
            say(MessageKind::CliEmptyRowsSkipped, static_cast<std::size_t>(written.rowsSkipped));
        }
    } else {
        const std::string channels = std::to_string(written.channels);
        line = read.format != nullptr && read.format->HoldsRecords()
                   ? FormatMessage(MessageKind::CliWroteFrom,
                                   {channels, output, std::to_string(read.recordsRead), input},
                                   language)
                   : FormatMessage(MessageKind::CliWroteChannels, {channels, output}, language);
        if (written.rowsNotWritten > 0) {
            say(MessageKind::CliRowsNotWritten, static_cast<std::size_t>(written.rowsNotWritten));
        }
    }
    if (!read.diagnostics.empty()) {
        if (read.format != nullptr && read.format->HoldsRecords()) {
            say(MessageKind::CliRecordsReported, RecordCount(read.diagnostics));
        } else {
            say(MessageKind::CliInputLinesReported, read.diagnostics.size());
        }
    }
    return line;
}

}  // namespace corvalen
