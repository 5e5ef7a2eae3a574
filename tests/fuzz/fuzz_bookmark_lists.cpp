// SDR# and SDR++ bookmark lists, read whichever the bytes look like (both when neither), and
// gqrx bookmarks. A list read gives one channel per bookmark; written as any list and read back,
// it keeps its channels, and every frequency read back is one the channels had; the bookmarks a
// table gives for a list make one row each again.

#include <set>

#include "FuzzCheck.h"
#include "formats/BookmarkList.h"
#include "io/Messages.h"

using namespace corvalen;

namespace {

std::set<std::string_view> Frequencies(const MemoryTable& table) {
    std::set<std::string_view> frequencies;
    for (int row = 1; row < table.RowCount(); ++row) {
        frequencies.insert(table.CellText(row, Frequency));
    }
    return frequencies;
}

bool FrequenciesAmong(const MemoryTable& table, const std::set<std::string_view>& frequencies) {
    for (int row = 1; row < table.RowCount(); ++row) {
        if (frequencies.count(table.CellText(row, Frequency)) == 0) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = fuzz::Bytes(data, size);
    const bool sdrpp = LooksLikeSdrppList(bytes);
    for (const bool json : {false, true}) {
        if (json != sdrpp && (sdrpp || LooksLikeSdrSharpList(bytes))) {
            continue;
        }
        const Result<BookmarkRead> read = json ? ReadSdrppList(bytes) : ReadSdrSharpList(bytes);
        if (!read) {
            FUZZ_REQUIRE(!corvalen::ErrorSentence(read.error()).empty());
            continue;
        }
        FUZZ_REQUIRE(read->groupNames.size() <= 16);
        for (const BookmarkFormat& format :
             {BookmarkFormat{"SDR# list", false, true, "", std::uint64_t{1} << 62},
              BookmarkFormat{"SDR++ list", true, false, "General", (std::uint64_t{1} << 53) - 1}}) {
            const BookmarkWrite once = TableToBookmarks(read->table, read->groupNames, format);
            const Result<BookmarkRead> rows = ListRead(once.bookmarks, {}, format.name);
            FUZZ_REQUIRE(!rows || rows->table.ChannelCount() == std::ssize(once.bookmarks));
        }
        const Result<BookmarkListText> sharp = WriteSdrSharpList(read->table, read->groupNames);
        FUZZ_REQUIRE(sharp.ok());
        const Result<BookmarkRead> sharpAgain = ReadSdrSharpList(sharp->bytes);
        FUZZ_REQUIRE(sharpAgain.ok());
        FUZZ_REQUIRE(sharpAgain->table.ChannelCount() == sharp->channelsWritten);
        const std::set<std::string_view> frequencies = Frequencies(read->table);
        FUZZ_REQUIRE(FrequenciesAmong(sharpAgain->table, frequencies));
        const BookmarkListText list = *WriteSdrppList(read->table, read->groupNames);
        const Result<BookmarkRead> again = ReadSdrppList(list.bytes);
        FUZZ_REQUIRE(again.ok());
        FUZZ_REQUIRE(again->table.ChannelCount() >= list.channelsWritten);
        FUZZ_REQUIRE(FrequenciesAmong(again->table, frequencies));
    }
    if (const Result<BookmarkRead> gqrx = ReadGqrxBookmarks(bytes); gqrx.ok()) {
        const BookmarkListText text =
            *WriteGqrxBookmarks(gqrx->table, gqrx->groupNames, gqrx->groupColours);
        const Result<BookmarkRead> again = ReadGqrxBookmarks(text.bytes);
        FUZZ_REQUIRE(again.ok() && again->table.ChannelCount() == text.channelsWritten);
        FUZZ_REQUIRE(FrequenciesAmong(again->table, Frequencies(gqrx->table)));
    }
    return 0;
}
