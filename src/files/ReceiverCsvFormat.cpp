// The receiver software's CSV memory file (Windows-1252, a header line, 19 fields a line).

#include "channel/CellChecks.h"
#include "convert/TextLines.h"
#include "csv/CsvReader.h"
#include "csv/CsvWriter.h"
#include "files/ChannelFiles.h"
#include "files/EditorText.h"
#include "formats/EibiSchedule.h"

namespace corvalen {

namespace {

class ReceiverCsv final : public ChannelFormat {
public:
    std::string_view ShortName() const override { return "csv"; }
    std::string_view Name() const override { return "receiver CSV"; }
    std::vector<std::string_view> Extensions(ReceiverModel) const override { return {".csv"}; }
    FormatTexts Texts(ReceiverModel) const override {
        return {QT_TRANSLATE_NOOP("corvalen::FileActions", "Data files (*.csv)|*.csv"),
                QT_TRANSLATE_NOOP("corvalen::FileActions", "Memory files (*.csv)|*.csv"),
                QT_TRANSLATE_NOOP("corvalen::FileActions", "Read %1 from %2"),
                QT_TRANSLATE_NOOP("corvalen::FileActions", "Saved %1 to %2"),
                {"row", "rows"},
                {"line", "lines"},
                {"cell", "cells"}};
    }
    bool LooksLike(std::string_view bytes, ReceiverModel) const override {
        // The header line the receiver software writes starts with its Number column.
        const std::string_view start = WithoutByteOrderMark(bytes.substr(0, 16));
        return start.starts_with("\"Number\"") || start.starts_with("Number,");
    }

    Result<ChannelFileRead> Read(const std::string& path, std::string_view bytes,
                                 const ReadSettings&) const override {
        // An EiBi broadcast schedule holds broadcasts to pick rather than channels.
        if (LooksLikeEibiSchedule(bytes)) {
            return Error{MessageKind::ScheduleNoChannels, {path}};
        }
        const CsvTextCheck text = CheckCsvTextBytes(path, bytes);
        if (!text.status) {
            return text.status.error();
        }
        return FromCsvImport(ReadCsvMemory(bytes, text.beyondAscii));
    }

    Result<ChannelFileReport> Write(const std::string& path, const MemoryTable& table,
                                    const WriteSettings& settings) const override {
        CsvText text = BuildCsvText(table, settings.importForm);
        return SaveFormatText(path, text.bytes,
                              {.channels = table.ChannelCount() - text.rowsSkipped,
                               .rowsSkipped = text.rowsSkipped,
                               .diagnostics = std::move(text.diagnostics)});
    }
};

}  // namespace

const ChannelFormat& ReceiverCsvFormat() {
    static const ReceiverCsv format;
    return format;
}

}  // namespace corvalen
