#include "files/ChannelFiles.h"

#include <algorithm>
#include <utility>

#include "channel/CellChecks.h"
#include "io/SafeFile.h"

namespace corvalen {

// The report of a memory file saved through a placer (RecordFileFormat.cpp).
ChannelFileReport RecordSaveReport(G3mSaveReport saved);

namespace {

bool EndsWithNoCase(std::string_view text, std::string_view suffix) {
    if (text.size() < suffix.size()) {
        return false;
    }
    return std::equal(suffix.begin(), suffix.end(), text.end() - suffix.size(), [](char a, char b) {
        const auto lower = [](char c) {
            return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        };
        return lower(a) == lower(b);
    });
}

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
    return Error{"no channels in " + (path == "-" ? std::string("standard input") : path)};
}

// The whole content of the file at `path`, read once: as much as the longest format allows.
Result<ByteBuffer> ReadOnce(const std::string& path) {
    return ReadWholeFileBuffer(path, kMaxCsvBytes);
}

// The table and report of a file's whole content in `format`; refused when it holds no channel.
Result<ChannelFileRead> ReadContent(const std::string& path, std::string_view content,
                                    const ChannelFormat& format, ReceiverModel model) {
    Result<ChannelFileRead> read = format.Read(path, content, model);
    if (!read) {
        return read.error();
    }
    if (!HasChannel(read->table)) {
        return NoChannels(path);
    }
    read->report.format = &format;
    read->report.channels = read->table.ChannelCount();
    return read;
}

}  // namespace

bool IsRecordFilePath(std::string_view path) {
    return EndsWithNoCase(path, ".g3m") || Is15mPath(path);
}

bool IsCsvFilePath(std::string_view path) {
    return EndsWithNoCase(path, ".csv");
}

bool Is15mPath(std::string_view path) {
    return EndsWithNoCase(path, ".15m");
}

bool RecordFileFitsModel(std::string_view path, ReceiverModel model) {
    return Is15mPath(path) == model.HoldsSecondarySquelch();
}

const ChannelFormat* FormatForName(std::string_view path) {
    if (IsRecordFilePath(path)) {
        return &RecordFileFormat();
    }
    return IsCsvFilePath(path) ? &ReceiverCsvFormat() : nullptr;
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

Result<ChannelFileRead> ReadChannelFile(const std::string& path, ReceiverModel model) {
    const Result<ByteBuffer> bytes = ReadOnce(path);
    if (!bytes) {
        return bytes.error();
    }
    const std::string_view content(bytes->data(), bytes->size());
    return ReadContent(path, content, FormatOf(path, content, model), model);
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
                                                 const WriteSettings& settings) {
    const Result<ByteBuffer> bytes = ReadOnce(input);
    if (!bytes) {
        return bytes.error();
    }
    const std::string_view content(bytes->data(), bytes->size());
    const ChannelFormat& from = FormatOf(input, content, settings.model);
    ChannelFileConversion conversion;
    conversion.read.format = &from;
    if (&from == &ReceiverCsvFormat() && &format == &RecordFileFormat()) {
        // Row by row: each record is placed as its line is read.
        if (const Status text = CheckCsvText(input, content); !text) {
            return text.error();
        }
        bool anyChannel = false;
        Result<G3mSaveReport> saved = SaveRecordFile(
            output, settings.model,
            [&](RecordPlacer& placer) {
                conversion.read.recordsRead = ReadCsvRecordsAhead(
                    content, conversion.read.diagnostics,
                    [&](std::span<const std::string_view> cells) {
                        anyChannel = anyChannel || !IsEmptyRow(cells);
                        ++conversion.read.channels;
                        placer.Place(cells);
                    });
            },
            static_cast<std::size_t>(EstimateCsvRecords(content)),
            [&]() -> Status { return anyChannel ? Status(Done{}) : Status(NoChannels(input)); });
        if (!saved && !anyChannel) {
            return saved.error();
        }
        conversion.written =
            saved ? Result<ChannelFileReport>(RecordSaveReport(std::move(*saved))) : saved.error();
        return conversion;
    }
    Result<ChannelFileRead> read = ReadContent(input, content, from, settings.model);
    if (!read) {
        return read.error();
    }
    conversion.read = std::move(read->report);
    conversion.written = WriteChannelFile(output, read->table, format, settings);
    return conversion;
}

std::string ConversionSummary(const ChannelFileConversion& conversion, const std::string& input,
                              const std::string& output) {
    const ChannelFileReport& read = conversion.read;
    const ChannelFileReport& written = *conversion.written;
    std::string line = "wrote ";
    if (written.format == &RecordFileFormat()) {
        line += Count(static_cast<std::size_t>(written.recordsWritten), "record", "records") +
                " to " + output + "; " +
                Count(static_cast<std::size_t>(written.rowsNotWritten), "row not written",
                      "rows not written");
        if (written.recordsKept > 0) {
            line += "; " + Count(static_cast<std::size_t>(written.recordsKept), "record",
                                 "records") +
                    " already in the file kept";
        }
        if (written.rowsSkipped > 0) {
            line += "; " +
                    Count(static_cast<std::size_t>(written.rowsSkipped), "empty row",
                          "empty rows") +
                    " skipped";
        }
    } else {
        line += Count(static_cast<std::size_t>(written.channels), "channel", "channels") + " to " +
                output;
        if (read.format == &RecordFileFormat()) {
            line += " from " +
                    Count(static_cast<std::size_t>(read.recordsRead), "record", "records") +
                    " of " + input;
        }
        if (written.rowsNotWritten > 0) {
            line += "; " + Count(static_cast<std::size_t>(written.rowsNotWritten),
                                 "row not written", "rows not written");
        }
    }
    if (!read.diagnostics.empty()) {
        line += "; " + (read.format == &RecordFileFormat()
                            ? Count(RecordCount(read.diagnostics), "record", "records")
                            : Count(read.diagnostics.size(), "input line", "input lines")) +
                " reported";
    }
    return line;
}

}  // namespace corvalen
