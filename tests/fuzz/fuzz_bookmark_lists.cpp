// SDR# and SDR++ bookmark lists, read whichever the bytes look like (both when neither). A list
// read gives one channel per bookmark; written as either list and read back, it keeps its
// channels, and every frequency read back is one the channels had. An SDR++ list parsed with
// simdjson reads exactly as with nlohmann-json alone: the same refusal, or the same cells and
// reports. An SDR# list read in pieces, of whatever size, reads exactly as the list parsed whole,
// and a table read for a list, or bookmarks made rows, in two halves on two threads give what
// they give in one run.

#include <algorithm>
#include <set>

#include "FuzzCheck.h"
#include "fastjson/SimdjsonParser.h"
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

bool SameWrite(const BookmarkWrite& a, const BookmarkWrite& b) {
    const auto same = [](const Bookmark& x, const Bookmark& y) {
        return x.name == y.name && x.hz == y.hz && x.bandwidth == y.bandwidth && x.mode == y.mode &&
               x.group == y.group;
    };
    const auto sameReport = [](const Diagnostic& x, const Diagnostic& y) {
        return DiagnosticLine(x) == DiagnosticLine(y);
    };
    return a.channelsWritten == b.channelsWritten && a.rowsNotWritten == b.rowsNotWritten &&
           std::equal(a.bookmarks.begin(), a.bookmarks.end(), b.bookmarks.begin(),
                      b.bookmarks.end(), same) &&
           std::equal(a.diagnostics.begin(), a.diagnostics.end(), b.diagnostics.begin(),
                      b.diagnostics.end(), sameReport);
}

bool SameRead(const Result<BookmarkRead>& a, const Result<BookmarkRead>& b) {
    if (a.ok() != b.ok()) {
        return false;
    }
    if (!a.ok()) {
        return a.error().message == b.error().message;
    }
    if (a->groupNames != b->groupNames || a->diagnostics.size() != b->diagnostics.size() ||
        a->table.RowCount() != b->table.RowCount()) {
        return false;
    }
    for (std::size_t i = 0; i < a->diagnostics.size(); ++i) {
        if (DiagnosticLine(a->diagnostics[i]) != DiagnosticLine(b->diagnostics[i])) {
            return false;
        }
    }
    for (int row = 1; row < a->table.RowCount(); ++row) {
        for (int column = 0; column < a->table.ColCount(); ++column) {
            if (a->table.CellText(row, column) != b->table.CellText(row, column)) {
                return false;
            }
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
        if (json) {
            const SimdjsonParser fast;
            FUZZ_REQUIRE(SameRead(read, ReadSdrppList(bytes, {}, 1, &fast)));
        } else {
            // Pieces from one byte up: a cut after every entry's end tag, then fewer.
            for (const std::size_t pieceBytes : {std::size_t{1}, 1 + size % 97}) {
                FUZZ_REQUIRE(SameRead(ReadSdrSharpListInPieces(bytes, 0),
                                      ReadSdrSharpListInPieces(bytes, pieceBytes)));
            }
        }
        if (!read) {
            FUZZ_REQUIRE(!read.error().message.empty());
            continue;
        }
        FUZZ_REQUIRE(read->groupNames.size() <= 16);
        for (const BookmarkFormat& format :
             {BookmarkFormat{"SDR# list", false, true, "", std::uint64_t{1} << 62},
              BookmarkFormat{"SDR++ list", true, false, "General", (std::uint64_t{1} << 53) - 1}}) {
            const BookmarkWrite once =
                TableToBookmarks(read->table, read->groupNames, format, 1 << 30);
            FUZZ_REQUIRE(
                SameWrite(once, TableToBookmarks(read->table, read->groupNames, format, 2)));
            // The bookmarks made rows again, in one run and in two halves.
            const Result<BookmarkRead> rows =
                BookmarksToTable(once.bookmarks, format.name, {}, 1, std::size_t{1} << 30);
            FUZZ_REQUIRE(SameRead(rows, BookmarksToTable(once.bookmarks, format.name, {}, 1, 2)));
        }
        const Result<BookmarkListText> sharp = WriteSdrSharpList(read->table, read->groupNames);
        FUZZ_REQUIRE(sharp.ok());
        const Result<BookmarkRead> sharpAgain = ReadSdrSharpList(sharp->bytes);
        FUZZ_REQUIRE(sharpAgain.ok());
        FUZZ_REQUIRE(sharpAgain->table.ChannelCount() == sharp->channelsWritten);
        const std::set<std::string_view> frequencies = Frequencies(read->table);
        FUZZ_REQUIRE(FrequenciesAmong(sharpAgain->table, frequencies));
        const BookmarkListText list = WriteSdrppList(read->table, read->groupNames);
        const Result<BookmarkRead> again = ReadSdrppList(list.bytes);
        FUZZ_REQUIRE(again.ok());
        FUZZ_REQUIRE(again->table.ChannelCount() >= list.channelsWritten);
        FUZZ_REQUIRE(FrequenciesAmong(again->table, frequencies));
    }
    return 0;
}
