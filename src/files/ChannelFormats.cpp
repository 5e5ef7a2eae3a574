#include "files/ChannelFiles.h"

namespace corvalen {

const std::vector<const ChannelFormat*>& ChannelFormats() {
    // The receiver CSV first: a file no format recognises is read as one.
    static const std::vector<const ChannelFormat*> formats = {
        &ReceiverCsvFormat(),
        &ChirpCsvFormat(),
        &RecordFileFormat(),
        &SdrSharpListFormat(),
        &SdrppListFormat(),
    };
    return formats;
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

std::size_t ChannelFileReport::NoticeCount() const {
    std::size_t notices = 0;
    for (const Diagnostic& diagnostic : diagnostics) {
        notices += diagnostic.IsNotice() ? 1 : 0;
    }
    return notices;
}

}  // namespace corvalen
