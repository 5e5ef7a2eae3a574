#include "files/ChannelFiles.h"

#include <algorithm>

#include "channel/CellChecks.h"
#include "io/SafeFile.h"

namespace corvalen {

const std::vector<const ChannelFormat*>& ChannelFormats() {
    // The receiver CSV first: a file no format recognises is read as one.
    static const std::vector<const ChannelFormat*> formats = {
        &ReceiverCsvFormat(),  &ChirpCsvFormat(),  &MemoryFileFormat(),
        &SdrSharpListFormat(), &SdrppListFormat(), &GqrxBookmarksFormat(),
    };
    return formats;
}

std::string ExtensionOf(std::string_view path) {
    const std::size_t slash = path.find_last_of("/\\");
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    // A name that is only an extension (".csv") has none: it is the file's whole name.
    if (dot == std::string_view::npos || dot == 0) {
        return {};
    }
    std::string extension(name.substr(dot));
    for (char& c : extension) {
        c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return extension;
}

bool ChannelFormat::HasExtensionOf(std::string_view path) const {
    const std::string extension = ExtensionOf(path);
    const std::vector<std::string_view> own = AllExtensions();
    return !extension.empty() && std::find(own.begin(), own.end(), extension) != own.end();
}

Result<ChannelFileReport> ChannelFormat::WriteRows(const std::string& path, const RowSource& rows,
                                                   const WriteSettings& settings) const {
    MemoryTable table = MemoryTable::ImportLayout();
    table.ReserveChannels(static_cast<int>(rows.expectedRows));
    if (const Status walked =
            rows.walk([&](std::span<const std::string_view> cells) { table.AppendRow(cells); });
        !walked) {
        return walked.error();
    }
    return Write(path, table, settings);
}

const ChannelFormat* ExtensionOwner(std::string_view path) {
    const ChannelFormat* owner = nullptr;
    for (const ChannelFormat* format : ChannelFormats()) {
        if (format->NamedFor(path)) {
            return format;
        }
        if (owner == nullptr && format->HasExtensionOf(path)) {
            owner = format;
        }
    }
    return owner;
}

std::string NameForFormat(std::string_view path, const ChannelFormat& format, ReceiverModel model) {
    if (format.HasExtensionOf(path)) {
        return std::string(path);
    }
    std::string name(path);
    if (ExtensionOwner(path) != nullptr) {
        name.erase(name.size() - ExtensionOf(path).size());
    }
    return name.append(format.Extensions(model).front());
}

ChannelFileRead FromCsvImport(CsvImport imported) {
    ChannelFileRead read;
    read.table = std::move(imported.table);
    read.report.recordsRead = imported.recordsRead;
    read.report.diagnostics = std::move(imported.diagnostics);
    read.report.origins = std::move(imported.origins);
    read.holdsLocationZero = imported.holdsLocationZero;
    return read;
}

Result<ChannelFileReport> SaveFormatText(const std::string& path, std::string_view bytes,
                                         ChannelFileReport report) {
    if (const Status written = WriteFileAtomically(path, bytes, report.saveNotices); !written) {
        return written.error();
    }
    return report;
}

std::size_t ChannelFileReport::NoticeCount() const {
    return corvalen::NoticeCount(diagnostics);
}

}  // namespace corvalen
