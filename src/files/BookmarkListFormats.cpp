// The bookmark lists of three SDR programs (formats/BookmarkList.h), each told by its content.

#include "files/ChannelFiles.h"
#include "files/EditorText.h"
#include "formats/BookmarkList.h"

namespace corvalen {

namespace {

// What a bookmark list format does differently.
struct ListKind {
    bool (*supported)();
    std::string_view shortName;
    std::string_view name;
    std::string_view suffix;  // lower case, with its dot
    const char* filter;
    const char* readText;
    const char* savedText;
    bool (*looksLike)(std::string_view bytes);
    Result<BookmarkRead> (*read)(std::string_view bytes, std::vector<std::string> knownGroups,
                                 int firstNumber);
    Result<BookmarkListText> (*write)(const MemoryTable& table,
                                      const std::vector<std::string>& groupNames,
                                      const std::map<std::string, std::string>& groupColours);
    // Its suffix is the receiver CSV's, which a name alone says: its files are told by content.
    bool sharesCsvSuffix = false;
};

class BookmarkListFormat final : public ChannelFormat {
public:
    explicit BookmarkListFormat(ListKind kind) : m_kind(kind) {}

    std::string_view ShortName() const override { return m_kind.shortName; }
    std::string_view Name() const override { return m_kind.name; }
    std::vector<std::string_view> Extensions(ReceiverModel) const override {
        return {m_kind.suffix};
    }
    FormatTexts Texts(ReceiverModel) const override {
        return {m_kind.filter, nullptr, m_kind.readText, m_kind.savedText};
    }
    bool NamedFor(std::string_view path) const override {
        return !m_kind.sharesCsvSuffix && HasExtensionOf(path);
    }
    bool OpenedAsChannelFile() const override { return !m_kind.sharesCsvSuffix; }
    Status Supported() const override {
        return m_kind.supported() ? Status(Done{}) : Status(Error{MessageKind::ListUnsupported});
    }
    bool GivesNumbers() const override { return true; }
    // A bookmark's frequency, bandwidth, mode, name and the groups of its list or tags; the
    // channel number is its place in the list.
    ColumnSet HeldColumns(ReceiverModel) const override {
        return {Number, Frequency, Bandwidth, Groups, Mode, Callsign};
    }
    bool LooksLike(std::string_view bytes, ReceiverModel) const override {
        return m_kind.looksLike(bytes);
    }

    Result<ChannelFileRead> Read(const std::string& path, std::string_view bytes,
                                 const ReadSettings& settings) const override {
        Result<BookmarkRead> list = m_kind.read(bytes, settings.knownGroups, settings.firstNumber);
        if (!list) {
            return Error{list.error().kind, list.error().values, path};
        }
        ChannelFileRead read;
        read.table = std::move(list->table);
        read.report.recordsRead = read.table.ChannelCount();
        read.report.diagnostics = std::move(list->diagnostics);
        read.groupNames = std::move(list->groupNames);
        read.groupColours = std::move(list->groupColours);
        return read;
    }

    Result<ChannelFileReport> Write(const std::string& path, const MemoryTable& table,
                                    const WriteSettings& settings) const override {
        Result<BookmarkListText> text =
            m_kind.write(table, settings.groupNames, settings.groupColours);
        if (!text) {
            return text.error();
        }
        return SaveFormatText(path, text->bytes,
                              {.channels = text->channelsWritten,
                               .rowsNotWritten = text->rowsNotWritten,
                               .diagnostics = std::move(text->diagnostics)});
    }

private:
    ListKind m_kind;
};

}  // namespace

const ChannelFormat& SdrSharpListFormat() {
    static const BookmarkListFormat format(
        ListKind{SdrSharpListsSupported, "sdrsharp", "SDR# list", ".xml",
                 QT_TRANSLATE_NOOP("corvalen::FileActions", "SDR# frequency list (*.xml)|*.xml"),
                 QT_TRANSLATE_NOOP("corvalen::FileActions", "Read %1 from the SDR# list %2"),
                 QT_TRANSLATE_NOOP("corvalen::FileActions", "Saved %1 to the SDR# list %2"),
                 LooksLikeSdrSharpList, ReadSdrSharpList, WriteSdrSharpList});
    return format;
}

const ChannelFormat& SdrppListFormat() {
    static const BookmarkListFormat format(ListKind{
        [] { return true; }, "sdrpp", "SDR++ list", ".json",
        QT_TRANSLATE_NOOP("corvalen::FileActions", "SDR++ frequency manager (*.json)|*.json"),
        QT_TRANSLATE_NOOP("corvalen::FileActions", "Read %1 from the SDR++ list %2"),
        QT_TRANSLATE_NOOP("corvalen::FileActions", "Saved %1 to the SDR++ list %2"),
        LooksLikeSdrppList, ReadSdrppList, WriteSdrppList});
    return format;
}

const ChannelFormat& GqrxBookmarksFormat() {
    static const BookmarkListFormat format(
        ListKind{[] { return true; }, "gqrx", "gqrx bookmarks", ".csv",
                 QT_TRANSLATE_NOOP("corvalen::FileActions", "gqrx bookmarks (*.csv)|*.csv"),
                 QT_TRANSLATE_NOOP("corvalen::FileActions", "Read %1 from the gqrx bookmarks %2"),
                 QT_TRANSLATE_NOOP("corvalen::FileActions", "Saved %1 to the gqrx bookmarks %2"),
                 LooksLikeGqrxBookmarks, ReadGqrxBookmarks, WriteGqrxBookmarks,
                 /*sharesCsvSuffix=*/true});
    return format;
}

}  // namespace corvalen
