// SDR++'s frequency manager file (frequency_manager_config.json), read and written with
// nlohmann-json, whose order-keeping object type keeps the lists and bookmarks in file order.

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <deque>
#include <functional>
#include <nlohmann/json.hpp>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "channel/CellChecks.h"
#include "convert/TextLines.h"
#include "formats/BookmarkList.h"
#include "io/Messages.h"

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

std::size_t KeyHash(std::string_view key) {
    return std::hash<std::string_view>{}(key);
}

// Keys by place: open addressing over the places, with each key's hash kept by its place, so
// that growing hashes no key again and no key is copied. A file within the size cap has far
// fewer than 2^32 keys.
class KeyIndex {
public:
    bool Empty() const { return hashes_.empty(); }
    // The place of the key `name`, whose hash is `hash`, among `count` places whose keys
    // `keyAt` gives; `count` if none.
    template <typename KeyAt>
    std::size_t Find(std::size_t count, std::string_view name, std::size_t hash,
                     const KeyAt& keyAt) const {
        if (slots_.empty()) {
            return count;
        }
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
            if (slots_[i] == 0) {
                return count;
            }
            const std::size_t place = slots_[i] - 1;
            if (hashes_[place] == hash && keyAt(place) == name) {
                return place;
            }
        }
    }
    // The next place, whose key's hash is `hash`.
    void Add(std::size_t hash) {
        hashes_.push_back(hash);
        if (hashes_.size() * 2 > slots_.size()) {
            // At most half full, so that a search soon meets an empty slot.
            slots_.assign(std::max<std::size_t>(32, slots_.size() * 2), 0);
            for (std::size_t place = 0; place < hashes_.size(); ++place) {
                Put(place);
            }
        } else {
            Put(hashes_.size() - 1);
        }
    }

private:
    void Put(std::size_t place) {
        const std::size_t mask = slots_.size() - 1;
        std::size_t i = hashes_[place] & mask;
        while (slots_[i] != 0) {
            i = (i + 1) & mask;
        }
        slots_[i] = static_cast<std::uint32_t>(place + 1);
    }

    std::vector<std::uint32_t> slots_;  // a key's place + 1, or 0 for none
    std::vector<std::size_t> hashes_;   // the hash of each key, by place
};

// Builds the document the library's own parser builds, members in file order and a repeated key
// keeping its first place with its last value, but finds a repeated key through a hash index of
// each open object: the order-keeping map searches its members one by one. The list reader
// below builds one only for a bookmark's member that holds an object or an array, which its
// report quotes.
class DocumentInFileOrder final : public nlohmann::json_sax<Json> {
public:
    Json document;

    bool null() override { return Put(nullptr); }
    bool boolean(bool value) override { return Put(value); }
    bool number_integer(number_integer_t value) override { return Put(value); }
    bool number_unsigned(number_unsigned_t value) override { return Put(value); }
    bool number_float(number_float_t value, const string_t&) override { return Put(value); }
    bool string(string_t& value) override { return Put(std::move(value)); }
    bool binary(binary_t& value) override { return Put(Json::binary(std::move(value))); }
    bool start_object(std::size_t) override {
        Json& object = Place(Json::object());
        object.get_ref<Json::object_t&>().reserve(4);
        open_.push_back({&object, {}});
        return true;
    }
    bool key(string_t& name) override {
        Open& object = open_.back();
        Members& members = object.value->get_ref<Json::object_t&>();
        std::size_t place = members.size();
        std::size_t hash = 0;
        if (object.index.Empty()) {
            // A bookmark has three or four members: searched as they stand, without an index.
            place = static_cast<std::size_t>(
                std::find_if(members.begin(), members.end(),
                             [&](const auto& member) { return member.first == name; }) -
                members.begin());
            if (members.size() == kUnindexedMembers) {
                for (const auto& member : members) {
                    object.index.Add(KeyHash(member.first));
                }
                hash = KeyHash(name);
            }
        } else {
            hash = KeyHash(name);
            place = object.index.Find(
                members.size(), name, hash,
                [&](std::size_t at) -> const std::string& { return members[at].first; });
        }
        if (place == members.size()) {
            if (!object.index.Empty()) {
                object.index.Add(hash);
            }
            members.emplace_back(std::move(name), nullptr);
        }
        slot_ = &members[place].second;
        return true;
    }
    bool end_object() override {
        open_.pop_back();
        return true;
    }
    bool start_array(std::size_t) override {
        open_.push_back({&Place(Json::array()), {}});
        return true;
    }
    bool end_array() override {
        open_.pop_back();
        return true;
    }
    // It builds a part of what the reader below is handed, which takes the parser's errors.
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override {
        return false;
    }

private:
    using Members = Json::object_t::Container;
    // An object's members are indexed by key once it has more than this many.
    static constexpr std::size_t kUnindexedMembers = 8;

    struct Open {
        Json* value;
        KeyIndex index;  // empty until the object has more than kUnindexedMembers members
    };

    // The value's place: the document, the end of the open array, or the open object's member
    // whose key came last. A container keeps its place while it is open, since its parent
    // gains no member or element until it is closed.
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

    std::vector<Open> open_;
    Json* slot_ = nullptr;
};

// A bookmark as the file gives it: its name and the three members the reading takes, each null
// where the bookmark lacks it or is no object.
struct MarkValues {
    std::string name;
    Json frequency;
    Json bandwidth;
    Json mode;
};

// Members keyed by name in file order, a repeated name keeping its first place. A deque, so that
// its items do not move under the reader's pointers.
template <typename Item>
struct NamedItems {
    std::deque<Item> items;
    KeyIndex index;

    // The item named `name`, made empty again if there was one, else a new one at the end.
    Item& Take(std::string&& name) {
        const std::size_t hash = KeyHash(name);
        const std::size_t place =
            index.Find(items.size(), name, hash,
                       [&](std::size_t at) -> const std::string& { return items[at].name; });
        if (place < items.size()) {
            Item emptied;
            emptied.name = std::move(items[place].name);
            items[place] = std::move(emptied);
            return items[place];
        }
        index.Add(hash);
        items.emplace_back().name = std::move(name);
        return items.back();
    }
};
using MarkSet = NamedItems<MarkValues>;

struct ListValues {
    std::string name;
    std::optional<MarkSet> bookmarks;  // its "bookmarks" member, when that is an object
};
using ListSet = NamedItems<ListValues>;

// Takes from the parser's events only what the reading needs: the lists, their bookmarks and
// the bookmarks' frequency, bandwidth and mode, as the whole document would give them (a
// repeated key keeps its first place and takes its last value, at every level), without a
// document of every member.
class ListDocument final : public nlohmann::json_sax<Json> {
public:
    bool isObject = false;
    bool hasLists = false;
    std::optional<ListSet> lists;     // the "lists" member, when that is an object
    std::optional<MarkSet> exported;  // a "bookmarks" member beside "lists", when an object
    // Where the text stopped being JSON, or what the library said of a value it cannot hold.
    std::optional<std::size_t> errorByte;
    std::string errorText;

    // Inside a member built whole, every event goes to its builder.
    bool null() override { return InValue() ? value_->null() : Value(nullptr); }
    bool boolean(bool value) override { return InValue() ? value_->boolean(value) : Value(value); }
    bool number_integer(number_integer_t value) override {
        return InValue() ? value_->number_integer(value) : Value(value);
    }
    bool number_unsigned(number_unsigned_t value) override {
        return InValue() ? value_->number_unsigned(value) : Value(value);
    }
    bool number_float(number_float_t value, const string_t& text) override {
        return InValue() ? value_->number_float(value, text) : Value(value);
    }
    bool string(string_t& value) override {
        return InValue() ? value_->string(value) : Value(std::move(value));
    }
    bool binary(binary_t& value) override {
        return InValue() ? value_->binary(value) : Value(Json::binary(std::move(value)));
    }
    bool start_object(std::size_t size) override { return Start(true, size); }
    bool start_array(std::size_t size) override { return Start(false, size); }
    bool key(string_t& name) override {
        if (InValue()) {
            return value_->key(name);
        }
        key_ = std::move(name);
        return true;
    }
    bool end_object() override {
        if (InValue()) {
            value_->end_object();
        }
        Close();
        return true;
    }
    bool end_array() override {
        if (InValue()) {
            value_->end_array();
        }
        Close();
        return true;
    }
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
    // What an open object or array is to the reading. Its target lives in the one below it on
    // the stack, which gains no member while it is open.
    enum class Kind {
        Document,  // the document's own object
        Lists,     // the lists by name
        List,      // one list
        Marks,     // a list's (or the export's) bookmarks by name
        Mark,      // one bookmark
        Value,     // a bookmark's member that holds an object or an array, built whole
        Other,     // of no meaning here, passed over
    };
    struct Frame {
        Kind kind;
        void* target = nullptr;  // ListSet, ListValues, MarkSet or MarkValues, as `kind` says
        int depth = 0;           // Value and Other: containers open, itself included
    };

    // Where a value of the open object's member `key_` (or the document itself) goes: the
    // member it fills, the container it opens, or nothing.
    Frame Route(bool container, bool object) {
        field_ = nullptr;
        if (open_.empty()) {
            isObject = object;
            return {object ? Kind::Document : Kind::Other};
        }
        Frame& parent = open_.back();
        switch (parent.kind) {
            case Kind::Document:
                if (key_ == "lists") {
                    hasLists = true;
                    return Replace(lists, object, Kind::Lists);
                }
                if (key_ == "bookmarks") {
                    return Replace(exported, object, Kind::Marks);
                }
                break;
            case Kind::Lists:
                return Into(static_cast<ListSet*>(parent.target)->Take(std::move(key_)), object,
                            Kind::List);
            case Kind::List:
                if (key_ == "bookmarks") {
                    return Replace(static_cast<ListValues*>(parent.target)->bookmarks, object,
                                   Kind::Marks);
                }
                break;
            case Kind::Marks:
                return Into(static_cast<MarkSet*>(parent.target)->Take(std::move(key_)), object,
                            Kind::Mark);
            case Kind::Mark: {
                auto& mark = *static_cast<MarkValues*>(parent.target);
                Json* member = key_ == "frequency"   ? &mark.frequency
                               : key_ == "bandwidth" ? &mark.bandwidth
                               : key_ == "mode"      ? &mark.mode
                                                     : nullptr;
                if (member != nullptr) {
                    *member = nullptr;
                    field_ = member;
                    return {container ? Kind::Value : Kind::Other};
                }
                break;
            }
            case Kind::Value:
            case Kind::Other:
                break;
        }
        return {Kind::Other};
    }

    // A member that takes its last value: emptied, and opened as `kind` when it is an object.
    template <typename T>
    static Frame Replace(std::optional<T>& member, bool object, Kind kind) {
        member.reset();
        return object ? Frame{kind, &member.emplace()} : Frame{Kind::Other};
    }
    // A list or bookmark, opened as `kind` when it is an object (else it stays empty).
    template <typename T>
    static Frame Into(T& item, bool object, Kind kind) {
        return object ? Frame{kind, &item} : Frame{Kind::Other};
    }

    // The start of an object or an array; false (the reading stops) where it nests deeper than
    // kMaxDepth.
    bool Start(bool object, std::size_t size) {
        if (++depth_ > kMaxDepth) {
            return false;
        }
        if (InValue()) {
            ++open_.back().depth;
            return object ? value_->start_object(size) : value_->start_array(size);
        }
        Open(object);
        return true;
    }
    bool InValue() const { return !open_.empty() && open_.back().kind == Kind::Value; }

    // A number, string, true, false or null.
    bool Value(Json value) {
        if (!open_.empty() && open_.back().kind == Kind::Other) {
            return true;
        }
        Route(false, false);
        if (field_ != nullptr) {
            *field_ = std::move(value);
            field_ = nullptr;
        }
        return true;
    }
    void Open(bool object) {
        if (!open_.empty() && open_.back().kind == Kind::Other) {
            ++open_.back().depth;
            return;
        }
        Frame frame = Route(true, object);
        frame.depth = 1;
        if (frame.kind == Kind::Value) {
            value_.emplace();
            if (object) {
                value_->start_object(0);
            } else {
                value_->start_array(0);
            }
        }
        open_.push_back(frame);
    }
    // After the end of an object or array (handed to the builder already, inside a member
    // built whole).
    void Close() {
        --depth_;
        Frame& frame = open_.back();
        if ((frame.kind == Kind::Value || frame.kind == Kind::Other) && --frame.depth > 0) {
            return;
        }
        if (frame.kind == Kind::Value) {
            *field_ = std::move(value_->document);
            value_.reset();
            field_ = nullptr;
        }
        open_.pop_back();
    }

    std::vector<Frame> open_;
    int depth_ = 0;  // objects and arrays open
    std::string key_;
    Json* field_ = nullptr;                     // the bookmark's member a value fills
    std::optional<DocumentInFileOrder> value_;  // building an object or array member
};

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

// A string as a JSON string token: plain printable text as it stands, anything else (quotes,
// backslashes, control characters, bytes that are not UTF-8) escaped by the library.
void AppendJsonString(std::string& out, std::string_view text) {
    const bool plain = std::all_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte >= 0x20 && byte < 0x7F && c != '"' && c != '\\';
    });
    if (plain) {
        out += '"';
        out += text;
        out += '"';
    } else {
        out += Json(std::string(text)).dump(-1, ' ', false, Json::error_handler_t::replace);
    }
}

// A whole number of Hz as the double SDR++ keeps: "7100000.0" up to 15 digits, as the library
// writes a double; larger ones (up to 2^53) written by the library itself.
void AppendJsonWholeDouble(std::string& out, std::uint64_t value) {
    if (value < 1'000'000'000'000'000) {
        char digits[24];
        char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
        *end++ = '.';
        *end++ = '0';
        out.append(digits, end);
    } else {
        out += Json(static_cast<double>(value)).dump();
    }
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
        return Error{FormatMessage(MessageKind::ListTooLarge,
                                   {"SDR++ list", std::to_string(kMaxBookmarkListBytes >> 20)})};
    }
    fileBytes = WithoutByteOrderMark(fileBytes);
    ListDocument parsed;
    if (!Json::sax_parse(fileBytes.begin(), fileBytes.end(), &parsed)) {
        // The reading stops where the nesting goes deeper than kMaxDepth. A text that nests too
        // deep anywhere is refused as such, also where it stops being JSON before that: the
        // whole text is searched, but only once the reading has failed.
        if (const std::size_t deep = TooDeep(fileBytes); deep != std::string_view::npos) {
            return Error{FormatMessage(
                MessageKind::ListTooDeep,
                {std::to_string(LineAt(fileBytes, deep)), std::to_string(kMaxDepth)})};
        }
        if (parsed.errorByte) {
            const std::size_t byte = *parsed.errorByte;
            return Error{FormatMessage(MessageKind::ListNotJson,
                                       {std::to_string(LineAt(fileBytes, byte == 0 ? 0 : byte - 1)),
                                        std::to_string(byte)})};
        }
        return Error{FormatMessage(MessageKind::ListJsonUnread, {parsed.errorText})};
    }
    // SDR++'s Export button writes the chosen bookmarks alone, {"bookmarks": {...}}: one list
    // without a name, so its channels get no group.
    if (parsed.isObject && !parsed.hasLists && parsed.exported) {
        parsed.lists.emplace().items.emplace_back().bookmarks = std::move(parsed.exported);
    }
    if (!parsed.isObject || !parsed.lists) {
        return Error{FormatMessage(MessageKind::ListNoLists, {})};
    }

    std::vector<Bookmark> bookmarks;
    std::vector<Diagnostic> skipped;
    int place = 0;
    for (ListValues& list : parsed.lists->items) {
        if (!list.bookmarks) {
            continue;
        }
        for (MarkValues& mark : list.bookmarks->items) {
            ++place;
            Bookmark bookmark;
            bookmark.name = std::move(mark.name);
            bookmark.group = list.name;
            const Json& frequency = mark.frequency;
            bookmark.hz = NearestWholeHz(frequency);
            if (bookmark.hz == 0) {
                skipped.push_back(Diagnostic{Diagnostic::Place::Record,
                                             place,
                                             Frequency,
                                             MessageKind::SdrppFrequencyNotHz,
                                             {QuotedCell(bookmark.name), QuotedCell(bookmark.group),
                                              QuotedCell(frequency.dump())}});
                continue;
            }
            if (frequency.is_number_float() &&
                static_cast<double>(bookmark.hz) != frequency.get<double>()) {
                skipped.push_back(
                    Diagnostic{Diagnostic::Place::Record,
                               place,
                               Frequency,
                               MessageKind::SdrppFrequencyRounded,
                               {QuotedCell(bookmark.name), QuotedCell(bookmark.group),
                                QuotedCell(frequency.dump()), std::to_string(bookmark.hz)},
                               Diagnostic::Severity::Notice});
            }
            const Json& bandwidth = mark.bandwidth;
            if (bandwidth.is_number() && bandwidth.get<double>() >= 0.5 &&
                bandwidth.get<double>() < 1e12) {
                bookmark.bandwidth =
                    static_cast<std::uint64_t>(std::llround(bandwidth.get<double>()));
            }
            const Json& mode = mark.mode;
            if (mode.is_number_integer() && mode.get<std::int64_t>() >= 0 &&
                mode.get<std::int64_t>() < std::ssize(kModes)) {
                bookmark.mode = kModes[static_cast<std::size_t>(mode.get<std::int64_t>())];
            } else {
                bookmark.mode = "mode " + mode.dump();
            }
            bookmarks.push_back(std::move(bookmark));
        }
    }
    if (bookmarks.size() > kMaxBookmarks) {
        return Error{FormatMessage(MessageKind::ListTooManyBookmarks,
                                   {"SDR++ list", std::to_string(bookmarks.size()),
                                    std::to_string(kMaxBookmarks)})};
    }
    BookmarkRead read =
        BookmarksToTable(bookmarks, "SDR++ list", std::move(knownGroups), firstNumber);
    read.diagnostics.insert(read.diagnostics.begin(), skipped.begin(), skipped.end());
    return read;
}

BookmarkListText WriteSdrppList(const MemoryTable& table,
                                const std::vector<std::string>& groupNames) {
    BookmarkWrite written = TableToBookmarks(
        table, groupNames,
        // SDR++ keeps a frequency in a double, exact in whole Hz below 2^53 (where the reader
        // above stops trusting one).
        {"SDR++ list", /*keysByName=*/true, /*oneGroupEach=*/false, "General",
         (std::uint64_t{1} << 53) - 1});

    // The lists in order of their first bookmark, each with its bookmarks in table order.
    std::vector<std::string_view> listNames;
    std::vector<std::vector<const Bookmark*>> listBookmarks;
    std::unordered_map<std::string_view, std::size_t> listIndex;
    for (const Bookmark& bookmark : written.bookmarks) {
        const auto [found, added] = listIndex.try_emplace(bookmark.group, listNames.size());
        if (added) {
            listNames.push_back(bookmark.group);
            listBookmarks.emplace_back();
        }
        listBookmarks[found->second].push_back(&bookmark);
    }

    // The file is laid out here as nlohmann-json's dump(4) lays out the same document, with
    // every string and number token made by the library, so that no tree of every bookmark is
    // built.
    std::string out;
    std::size_t size = 256;
    for (const Bookmark& bookmark : written.bookmarks) {
        size += 200 + bookmark.name.size() + bookmark.name.size() / 4;  // room for escapes too
    }
    out.reserve(size);
    const auto string = [&out](std::string_view text) { AppendJsonString(out, text); };
    const auto number = [&out](std::uint64_t value) { AppendJsonWholeDouble(out, value); };
    out += "{\n    \"bookmarkDisplayMode\": 1,\n    \"selectedList\": ";
    string(listNames.empty() ? std::string_view("General") : listNames.front());
    out += ",\n    \"lists\": {";
    for (std::size_t list = 0; list < listNames.size(); ++list) {
        out += list == 0 ? "\n        " : ",\n        ";
        string(listNames[list]);
        out += ": {\n            \"showOnWaterfall\": true,\n            \"bookmarks\": {";
        const std::vector<const Bookmark*>& bookmarks = listBookmarks[list];
        for (std::size_t i = 0; i < bookmarks.size(); ++i) {
            const Bookmark* bookmark = bookmarks[i];
            out += i == 0 ? "\n                " : ",\n                ";
            string(bookmark->name);
            out += ": {\n                    \"frequency\": ";
            number(bookmark->hz);
            out += ",\n                    \"bandwidth\": ";
            number(bookmark->bandwidth);
            const auto mode = std::find(kModes.begin(), kModes.end(), bookmark->mode);
            out += ",\n                    \"mode\": ";
            static_assert(kModes.size() <= 10, "a mode's number is one digit");
            out += static_cast<char>('0' + (mode == kModes.end() ? 5 : mode - kModes.begin()));
            out += "\n                }";
        }
        out += "\n            }\n        }";
    }
    out += listNames.empty() ? "}\n}\n" : "\n    }\n}\n";

    BookmarkListText text;
    text.bytes = std::move(out);
    text.diagnostics = std::move(written.diagnostics);
    text.channelsWritten = written.channelsWritten;
    text.rowsNotWritten = written.rowsNotWritten;
    return text;
}

}  // namespace corvalen
