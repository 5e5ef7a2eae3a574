// CHIRP's generic CSV file (UTF-8, a Location column), told by its header line.

#include "csv/ChirpCsv.h"
#include "csv/CsvReader.h"
#include "files/ChannelFiles.h"
#include "files/EditorText.h"

namespace corvalen {

namespace {

class ChirpCsv final : public ChannelFormat {
public:
    std::string_view ShortName() const override { return "chirp"; }
    std::string_view Name() const override { return "CHIRP CSV"; }
    std::vector<std::string_view> Extensions(ReceiverModel) const override { return {".csv"}; }
    FormatTexts Texts(ReceiverModel) const override {
        return {QT_TRANSLATE_NOOP("corvalen::FileActions", "CHIRP files (*.csv)|*.csv"), nullptr,
                QT_TRANSLATE_NOOP("corvalen::FileActions", "Read %1 from the CHIRP file %2"),
                QT_TRANSLATE_NOOP("corvalen::FileActions", "Saved %1 to the CHIRP file %2")};
    }
    // Opened from the dialog's .csv entry, told by its header line.
    bool OpenedAsChannelFile() const override { return false; }

    // A .csv name says receiver CSV: a CHIRP file is told by its header line alone.
    bool NamedFor(std::string_view) const override { return false; }
    // Location, frequency, mode, name, comment, and Skip as Lockout ("S") or Priority ("P"); a
    // Bandwidth is made from the mode, not read.
    ColumnSet HeldColumns(ReceiverModel) const override {
        return {Number, Frequency, Lockout, Priority, Mode, Callsign, Comments};
    }
    bool LooksLike(std::string_view bytes, ReceiverModel) const override {
        return LooksLikeChirpCsv(bytes);
    }

    void Renumber(ChannelFileRead& read, ChirpNumbering numbering) const override {
        CsvImport import{std::move(read.table), read.report.recordsRead,
                         std::move(read.report.diagnostics), std::move(read.report.origins),
                         read.holdsLocationZero};
        ApplyChirpNumbering(import, numbering);
        read.table = std::move(import.table);
        read.report.diagnostics = std::move(import.diagnostics);
        read.report.origins = std::move(import.origins);
        read.report.channels = read.table.ChannelCount();
        read.holdsLocationZero = import.holdsLocationZero;
    }

    Result<ChannelFileRead> Read(const std::string& path, std::string_view bytes,
                                 const ReadSettings&) const override {
        if (const Status text = CheckCsvTextBytes(path, bytes, {}).status; !text) {
            return text.error();
        }
        return FromCsvImport(ReadChirpCsv(bytes));
    }

    Result<ChannelFileReport> Write(const std::string& path, const MemoryTable& table,
                                    const WriteSettings&) const override {
        ChirpText text = BuildChirpCsvText(table);
        return SaveFormatText(path, text.bytes,
                              {.channels = text.channelsWritten,
                               .rowsNotWritten = text.rowsNotWritten,
                               .diagnostics = std::move(text.diagnostics)});
    }
};

}  // namespace

const ChannelFormat& ChirpCsvFormat() {
    static const ChirpCsv format;
    return format;
}

}  // namespace corvalen
