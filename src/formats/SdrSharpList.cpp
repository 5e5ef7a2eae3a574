// SDR#'s frequency list (frequencies.xml), read and written with pugixml. Builds without it
// (the Windows converter) leave the format out and say so.

#include <algorithm>
#include <iterator>

#include "convert/TextLines.h"
#include "convert/Utf16.h"
#include "formats/BookmarkList.h"

#ifdef CORVALEN_HAVE_PUGIXML
#include <pugixml.hpp>
#include <sstream>

#include "channel/CellChecks.h"
#include "convert/FrequencyText.h"
#include "convert/Windows1252.h"
#endif

namespace corvalen {

namespace {

constexpr std::string_view kRoot = "ArrayOfMemoryEntry";

std::string_view AfterBomAndBlanks(std::string_view bytes) {
    bytes = WithoutByteOrderMark(bytes);
    const std::size_t first = bytes.find_first_not_of(" \t\r\n");
    return first == std::string_view::npos ? std::string_view() : bytes.substr(first);
}

}  // namespace

bool LooksLikeSdrSharpList(std::string_view fileBytes) {
    // A list saved as UTF-16 is told by its beginning made UTF-8 (a whole number of code units).
    const std::string head =
        StartsWithUtf16Mark(fileBytes) ? Utf8FromUtf16(fileBytes.substr(0, 2 + 1024)) : "";
    std::string_view text = AfterBomAndBlanks(head.empty() ? fileBytes : head);
    if (text.starts_with("<?xml")) {
        const std::size_t end = text.find("?>");
        text = end == std::string_view::npos ? std::string_view()
                                             : AfterBomAndBlanks(text.substr(end + 2));
    }
    return text.starts_with("<") && text.substr(1).starts_with(kRoot);
}

#ifndef CORVALEN_HAVE_PUGIXML

bool SdrSharpListsSupported() {
    return false;
}

Result<BookmarkRead> ReadSdrSharpList(std::string_view, std::vector<std::string>, int) {
    return Error{MessageKind::ListUnsupported};
}

Result<BookmarkListText> WriteSdrSharpList(const MemoryTable&, const std::vector<std::string>&,
                                           const std::map<std::string, std::string>&) {
    return Error{MessageKind::ListUnsupported};
}

#else

namespace {

// The first reference to an entity other than XML's own five and character references, or npos.
// pugixml leaves such references as text; a list from SDR# never holds one.
std::size_t ForeignEntity(std::string_view bytes) {
    for (std::size_t amp = bytes.find('&'); amp != std::string_view::npos;
         amp = bytes.find('&', amp + 1)) {
        const std::string_view rest = bytes.substr(amp + 1, 12);
        const std::size_t semicolon = rest.find(';');
        const std::string_view name = rest.substr(0, semicolon);
        const bool own = semicolon != std::string_view::npos &&
                         (name == "amp" || name == "lt" || name == "gt" || name == "quot" ||
                          name == "apos" || (name.size() > 1 && name[0] == '#'));
        if (!own) {
            return amp;
        }
    }
    return std::string_view::npos;
}

// A frequency in whole Hz, the nearest one for a plain number with a fraction ("7100000.5", which
// SDR# never writes but a list edited by hand may hold); 0 for anything else.
std::uint64_t NearestWholeHz(std::string_view text) {
    const FrequencyReading exact = ReadFrequency(text, FrequencyUnit::Hz);
    if (exact.status == FrequencyReading::Status::Ok) {
        return exact.hz;
    }
    const std::size_t point = text.find('.');
    if (exact.status != FrequencyReading::Status::NotWholeHz || point == std::string_view::npos ||
        text.find_first_not_of("0123456789. \t\r\n") != std::string_view::npos) {
        return 0;
    }
    const std::optional<std::uint64_t> whole = HzOf(text.substr(0, point));
    if (!whole) {
        return 0;
    }
    const bool up = point + 1 < text.size() && text[point + 1] >= '5' && text[point + 1] <= '9';
    return *whole + (up ? 1 : 0);
}

constexpr unsigned kParseOptions =
    pugi::parse_default | pugi::parse_doctype | pugi::parse_embed_pcdata;
}  // namespace

bool SdrSharpListsSupported() {
    return true;
}

Result<BookmarkRead> ReadSdrSharpList(std::string_view fileBytes,
                                      std::vector<std::string> knownGroups, int firstNumber) {
    if (fileBytes.size() > kMaxBookmarkListBytes) {
        return Error{MessageKind::ListTooLarge,
                     {"SDR# list", std::to_string(kMaxBookmarkListBytes >> 20)}};
    }
    // A list saved as UTF-16 is read as the same list in UTF-8, for the checks and line numbers.
    std::string fromUtf16;
    if (StartsWithUtf16Mark(fileBytes)) {
        fromUtf16 = Utf8FromUtf16(fileBytes);
        fileBytes = fromUtf16;
    }
    if (const std::size_t doctype = fileBytes.find("<!DOCTYPE");
        doctype != std::string_view::npos) {
        return Error{MessageKind::ListDoctype, {std::to_string(LineAt(fileBytes, doctype))}};
    }
    if (const std::size_t entity = ForeignEntity(fileBytes); entity != std::string_view::npos) {
        return Error{MessageKind::ListEntity, {std::to_string(LineAt(fileBytes, entity))}};
    }
    // SDR# writes UTF-8; a list saved again as Windows-1252 is read as such.
    std::vector<Diagnostic> found;  // in file order
    const ProblemList report(found, Diagnostic::Place::Line);
    std::string converted;
    // UTF-8 either way now: a declaration that says "utf-16" must not make the parser think again.
    pugi::xml_encoding encoding = fromUtf16.empty() ? pugi::encoding_auto : pugi::encoding_utf8;
    if (!IsWellFormedUtf8(fileBytes)) {
        converted = Utf8FromWindows1252(fileBytes);
        encoding = pugi::encoding_utf8;
        report(1, -1, MessageKind::SdrSharpNotUtf8, {}, Diagnostic::Severity::Notice);
    }
    const std::string_view text = converted.empty() ? fileBytes : std::string_view(converted);

    pugi::xml_document document;
    // An element's text is kept in the element itself (parse_embed_pcdata): half the nodes.
    const pugi::xml_parse_result parsed =
        document.load_buffer(text.data(), text.size(), kParseOptions, encoding);
    if (!parsed) {
        return Error{MessageKind::ListNotXml,
                     {std::to_string(LineAt(text, static_cast<std::size_t>(parsed.offset))),
                      parsed.description()}};
    }
    const pugi::xml_node root = document.child(std::string(kRoot).c_str());
    if (!root) {
        return Error{MessageKind::ListNoRoot};
    }
    // The line of an entry, counted on from the last one reported: reports come in file order.
    std::ptrdiff_t counted = 0;
    int line = 1;
    const auto lineOf = [&](std::ptrdiff_t offset) {
        offset = std::clamp<std::ptrdiff_t>(offset, counted, std::ssize(text));
        line += static_cast<int>(std::count(text.begin() + counted, text.begin() + offset, '\n'));
        counted = offset;
        return line;
    };
    std::vector<Bookmark> bookmarks;
    for (const pugi::xml_node entry : root.children("MemoryEntry")) {
        const std::string_view frequency = entry.child_value("Frequency");
        const std::uint64_t hz = NearestWholeHz(frequency);
        if (hz == 0 || hz > kHighestInt64Hz) {
            report(lineOf(entry.offset_debug()), Frequency, MessageKind::SdrSharpFrequencyNotHz,
                   {QuotedCell(frequency)});
            continue;
        }
        if (!HzOf(frequency)) {
            report(lineOf(entry.offset_debug()), Frequency, MessageKind::SdrSharpFrequencyRounded,
                   {QuotedCell(frequency), std::to_string(hz)}, Diagnostic::Severity::Notice);
        }
        Bookmark& bookmark = bookmarks.emplace_back();
        bookmark.hz = hz;
        // A character reference can name what UTF-8 cannot hold (&#xD800;, a lone surrogate).
        bookmark.name = WellFormedUtf8(entry.child_value("Name"));
        bookmark.groups = {WellFormedUtf8(entry.child_value("GroupName"))};
        bookmark.mode = WellFormedUtf8(entry.child_value("DetectorType"));
        bookmark.bandwidth = HzOf(entry.child_value("FilterBandwidth")).value_or(0);
    }
    return ListRead(bookmarks, std::move(found), "SDR# list", std::move(knownGroups), firstNumber);
}

Result<BookmarkListText> WriteSdrSharpList(const MemoryTable& table,
                                           const std::vector<std::string>& groupNames,
                                           const std::map<std::string, std::string>&) {
    BookmarkWrite written = TableToBookmarks(
        table, groupNames,
        {"SDR# list", /*keysByName=*/false, /*oneGroupEach=*/true, "", kHighestInt64Hz});
    pugi::xml_document document;
    pugi::xml_node declaration = document.append_child(pugi::node_declaration);
    declaration.append_attribute("version") = "1.0";
    pugi::xml_node root = document.append_child(std::string(kRoot).c_str());
    root.append_attribute("xmlns:xsi") = "http://www.w3.org/2001/XMLSchema-instance";
    root.append_attribute("xmlns:xsd") = "http://www.w3.org/2001/XMLSchema";
    for (const Bookmark& bookmark : written.bookmarks) {
        pugi::xml_node entry = root.append_child("MemoryEntry");
        const auto add = [&](const char* name, const std::string& text) {
            entry.append_child(name).text().set(text.c_str());
        };
        add("IsFavourite", "true");
        add("Name", bookmark.name);
        add("GroupName", bookmark.groups.front());
        add("Frequency", std::to_string(bookmark.hz));
        add("DetectorType", bookmark.mode);
        add("Shift", "0");
        add("FilterBandwidth", std::to_string(bookmark.bandwidth));
    }
    std::ostringstream out;
    document.save(out, "  ", pugi::format_default, pugi::encoding_utf8);
    written.text.bytes = std::move(out).str();
    return std::move(written.text);
}

#endif

}  // namespace corvalen
