// SDR++'s frequency manager file (frequency_manager_config.json), read and written with
// nlohmann-json, whose order-keeping object type keeps the lists and bookmarks in file order.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "channel/CellChecks.h"
#include "convert/TextLines.h"
#include "formats/BookmarkList.h"

namespace corvalen {

namespace {

using Json = nlohmann::ordered_json;

// SDR++'s demodulators by their number in a bookmark's "mode".
constexpr std::array<std::string_view, 8> kModes = {"NFM", "WFM", "AM",  "DSB",
                                                    "USB", "CW",  "LSB", "RAW"};
// Real files nest four levels deep; anything far deeper is no such file, and the reading stops
// where it gets there.
constexpr int kMaxDepth = 32;

// Where the JSON text nests deeper than kMaxDepth, or npos.
std::size_t TooDeep(std::string_view bytes) {
    int depth = 0;
    bool inString = false;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (inString) {
            if (c == '\\') {
                ++i;
            } else if (c == '"') {
                inString = false;
            }
        } else if (c == '"') {
            inString = true;
        } else if (c == '{' || c == '[') {
            if (++depth > kMaxDepth) {
                return i;
            }
        } else if (c == '}' || c == ']') {
            --depth;
        }
    }
    return std::string_view::npos;
}

// Builds the document the library's own parser builds, but finds a repeated key through an
// index of each open object's keys (the order-keeping object searches its members one by one),
// and stops where the text nests deeper than kMaxDepth.
class DocumentInFileOrder final : public nlohmann::json_sax<Json> {
public:
    Json document;
    // Where the text stopped being JSON, or what the library said of a value it cannot hold.
    std::optional<std::size_t> errorByte;
    std::string errorText;

    bool null() override { return Put(nullptr); }
    bool boolean(bool value) override { return Put(value); }
    bool number_integer(number_integer_t value) override { return Put(value); }
    bool number_unsigned(number_unsigned_t value) override { return Put(value); }
    bool number_float(number_float_t value, const string_t&) override { return Put(value); }
    bool string(string_t& value) override { return Put(std::move(value)); }
    bool binary(binary_t& value) override { return Put(Json::binary(std::move(value))); }
    bool start_object(std::size_t) override { return Open(Json::object()); }
    bool start_array(std::size_t) override { return Open(Json::array()); }
    bool key(string_t& name) override {
        Container& object = open_.back();
        auto& members = object.value->get_ref<Json::object_t&>();
        const auto [found, added] = object.keys.try_emplace(name, members.size());
        if (added) {
            members.emplace_back(std::move(name), nullptr);
        }
        slot_ = &(members.begin() + static_cast<std::ptrdiff_t>(found->second))->second;
        return true;
    }
    bool end_object() override { return Close(); }
    bool end_array() override { return Close(); }
    bool parse_error(std::size_t, const std::string&,
                     const nlohmann::detail::exception& error) override {
        if (const auto* notJson = dynamic_cast<const Json::parse_error*>(&error)) {
            errorByte = notJson->byte;
        } else {
            errorText = error.what();  // a number too large for any number type (1E400)
        }
        return false;
    }

private:
    struct Container {
        Json* value;
        std::unordered_map<std::string, std::size_t> keys;  // an object's members by key
    };

    bool Open(Json value) {
        if (open_.size() >= kMaxDepth) {
            return false;
        }
        open_.push_back({&Place(std::move(value)), {}});
        return true;
    }
    // The value's place: the document, the end of the open array, or the open object's member
    // whose key came last (a parent gains nothing while a container in it is open).
    Json& Place(Json value) {
        if (open_.empty()) {
            document = std::move(value);
            return document;
        }
        Json& parent = *open_.back().value;
        if (parent.is_array()) {
            Json::array_t& elements = parent.get_ref<Json::array_t&>();
            elements.push_back(std::move(value));
            return elements.back();
        }
        *slot_ = std::move(value);
        return *slot_;
    }
    bool Put(Json value) {
        Place(std::move(value));
        return true;
    }
    bool Close() {
        open_.pop_back();
        return true;
    }

    std::vector<Container> open_;
    Json* slot_ = nullptr;
};

// The member `key` of `value`, or null where it has none or is no object.
const Json& MemberOf(const Json& value, std::string_view key) {
    static const Json none;
    if (!value.is_object()) {
        return none;
    }
    const auto found = value.find(key);
    return found == value.end() ? none : *found;
}

// A JSON number of positive Hz (SDR++ writes them as 118100000.0) to the nearest whole Hz, or 0.
std::uint64_t NearestWholeHz(const Json& value) {
    if (value.is_number_unsigned()) {
        return value.get<std::uint64_t>();
    }
    if (value.is_number_integer()) {
        return std::max<std::int64_t>(0, value.get<std::int64_t>());
    }
    if (value.is_number_float()) {
        const double hz = value.get<double>();
        if (hz >= 0.5 && hz < 9007199254740992.0) {
            return static_cast<std::uint64_t>(std::llround(hz));
        }
    }
    return 0;
}

}  // namespace

bool LooksLikeSdrppList(std::string_view fileBytes) {
    fileBytes = WithoutByteOrderMark(fileBytes);
    const std::size_t first = fileBytes.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos || fileBytes[first] != '{') {
        return false;
    }
    const std::string_view head = fileBytes.substr(0, 64 * 1024);
    return head.find("\"lists\"") != std::string_view::npos ||
           head.find("\"bookmarks\"") != std::string_view::npos;
}

Result<BookmarkRead> ReadSdrppList(std::string_view fileBytes, std::vector<std::string> knownGroups,
                                   int firstNumber) {
    if (fileBytes.size() > kMaxBookmarkListBytes) {
        return Error{MessageKind::ListTooLarge,
                     {"SDR++ list", std::to_string(kMaxBookmarkListBytes >> 20)}};
    }
    fileBytes = WithoutByteOrderMark(fileBytes);
    DocumentInFileOrder parsed;
    if (!Json::sax_parse(fileBytes.begin(), fileBytes.end(), &parsed)) {
        // A text that nests too deep anywhere is refused as such, also where it stops being JSON
        // before that.
        if (const std::size_t deep = TooDeep(fileBytes); deep != std::string_view::npos) {
            return Error{MessageKind::ListTooDeep,
                         {std::to_string(LineAt(fileBytes, deep)), std::to_string(kMaxDepth)}};
        }
        if (parsed.errorByte) {
            const std::size_t byte = *parsed.errorByte;
            return Error{MessageKind::ListNotJson,
                         {std::to_string(LineAt(fileBytes, byte == 0 ? 0 : byte - 1)),
                          std::to_string(byte)}};
        }
        return Error{MessageKind::ListJsonUnread, {parsed.errorText}};
    }
    // The lists by name with their bookmarks, those that are objects. SDR++'s Export button
    // writes the chosen bookmarks alone, {"bookmarks": {...}}: one list without a name, so its
    // channels get no group.
    const Json& document = parsed.document;
    const Json& lists = MemberOf(document, "lists");
    const Json& exported = MemberOf(document, "bookmarks");
    std::vector<std::pair<std::string, const Json*>> listMarks;
    if (lists.is_object()) {
        for (const auto& [name, list] : lists.get_ref<const Json::object_t&>()) {
            if (const Json& marks = MemberOf(list, "bookmarks"); marks.is_object()) {
                listMarks.emplace_back(name, &marks);
            }
        }
    } else if (!document.contains("lists") && exported.is_object()) {
        listMarks.emplace_back("", &exported);
    } else {
        return Error{MessageKind::ListNoLists};
    }

    std::vector<Bookmark> bookmarks;
    std::vector<Diagnostic> skipped;
    int place = 0;
    const ProblemList report(skipped, Diagnostic::Place::Record);
    for (const auto& [group, marks] : listMarks) {
        for (const auto& [name, mark] : marks->get_ref<const Json::object_t&>()) {
            ++place;
            Bookmark bookmark;
            bookmark.name = name;
            bookmark.groups = {group};
            const Json& frequency = MemberOf(mark, "frequency");
            bookmark.hz = NearestWholeHz(frequency);
            if (bookmark.hz == 0) {
                report(
                    place, Frequency, MessageKind::SdrppFrequencyNotHz,
                    {QuotedCell(bookmark.name), QuotedCell(group), QuotedCell(frequency.dump())});
                continue;
            }
            if (frequency.is_number_float() &&
                static_cast<double>(bookmark.hz) != frequency.get<double>()) {
                report(place, Frequency, MessageKind::SdrppFrequencyRounded,
                       {QuotedCell(bookmark.name), QuotedCell(group), QuotedCell(frequency.dump()),
                        std::to_string(bookmark.hz)},
                       Diagnostic::Severity::Notice);
            }
            const Json& bandwidth = MemberOf(mark, "bandwidth");
            if (bandwidth.is_number() && bandwidth.get<double>() >= 0.5 &&
                bandwidth.get<double>() < 1e12) {
                bookmark.bandwidth =
                    static_cast<std::uint64_t>(std::llround(bandwidth.get<double>()));
            }
            const Json& mode = MemberOf(mark, "mode");
            if (mode.is_number_integer() && mode.get<std::int64_t>() >= 0 &&
                mode.get<std::int64_t>() < std::ssize(kModes)) {
                bookmark.mode = kModes[static_cast<std::size_t>(mode.get<std::int64_t>())];
            } else {
                bookmark.mode = "mode " + mode.dump();
            }
            bookmarks.push_back(std::move(bookmark));
        }
    }
    return ListRead(bookmarks, std::move(skipped), "SDR++ list", std::move(knownGroups),
                    firstNumber);
}

Result<BookmarkListText> WriteSdrppList(const MemoryTable& table,
                                        const std::vector<std::string>& groupNames,
                                        const std::map<std::string, std::string>&) {
    BookmarkWrite written =
        TableToBookmarks(table, groupNames,
                         // SDR++ keeps a frequency in a double, exact in whole Hz below 2^53 (where
                         // the reader above stops trusting one).
                         {"SDR++ list", /*keysByName=*/true, /*oneGroupEach=*/false, "General",
                          (std::uint64_t{1} << 53) - 1});

    // The lists in order of their first bookmark, each with its bookmarks in table order (their
    // names unique within a list, so that a bookmark is added without a search).
    std::vector<std::string_view> listNames;
    std::vector<Json> listBookmarks;
    for (const Bookmark& bookmark : written.bookmarks) {
        const auto list = static_cast<std::size_t>(
            std::ranges::find(listNames, bookmark.groups.front()) - listNames.begin());
        if (list == listNames.size()) {
            listNames.push_back(bookmark.groups.front());
            listBookmarks.push_back(Json::object());
        }
        const auto mode = std::find(kModes.begin(), kModes.end(), bookmark.mode);
        listBookmarks[list].get_ref<Json::object_t&>().emplace_back(
            bookmark.name, Json{{"frequency", static_cast<double>(bookmark.hz)},
                                {"bandwidth", static_cast<double>(bookmark.bandwidth)},
                                {"mode", mode == kModes.end() ? 5 : mode - kModes.begin()}});
    }
    Json lists = Json::object();
    for (std::size_t list = 0; list < listNames.size(); ++list) {
        lists.get_ref<Json::object_t&>().emplace_back(
            listNames[list],
            Json{{"showOnWaterfall", true}, {"bookmarks", std::move(listBookmarks[list])}});
    }
    const Json document = {
        {"bookmarkDisplayMode", 1},
        {"selectedList", listNames.empty() ? std::string_view("General") : listNames.front()},
        {"lists", std::move(lists)}};
    written.text.bytes = document.dump(4, ' ', false, Json::error_handler_t::replace) + '\n';
    return std::move(written.text);
}

}  // namespace corvalen
