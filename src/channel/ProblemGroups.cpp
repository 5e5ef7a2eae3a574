#include "channel/ProblemGroups.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "channel/CellChecks.h"
#include "table/Columns.h"

namespace corvalen {

namespace {

// The table row of the file's row that starts on `line`, 0 for none.
int RowOnLine(const RowOrigins& origins, int line) {
    const auto at = std::lower_bound(origins.lines.begin(), origins.lines.end(), line);
    return at != origins.lines.end() && *at == line
               ? static_cast<int>(at - origins.lines.begin()) + origins.firstRow
               : 0;
}

}  // namespace

std::vector<ProblemGroup> GroupProblems(const std::vector<Diagnostic>& problems) {
    std::vector<ProblemGroup> groups;
    std::unordered_map<std::string, std::size_t> byKey;
    std::string key;
    // Whether `a` and `b` share the values their kind groups by.
    const auto sameValues = [](const Diagnostic& a, const Diagnostic& b, unsigned values) {
        for (std::size_t i = 0; values >> i != 0; ++i) {
            if ((values >> i & 1u) != 0 && a.args.ValueOr(i) != b.args.ValueOr(i)) {
                return false;
            }
        }
        return true;
    };
    // A problem like the one before it (kind, place, column, severity, grouped values) joins
    // that one's group without its key being built again: a large file can have tens of
    // thousands of notices in a row.
    const Diagnostic* previous = nullptr;
    std::size_t previousGroup = 0;
    for (std::size_t i = 0; i < problems.size(); ++i) {
        const Diagnostic& problem = problems[i];
        const unsigned values = GroupedValues(problem.kind);
        if (previous != nullptr && problem.kind == previous->kind &&
            problem.place == previous->place && problem.column == previous->column &&
            problem.severity == previous->severity && sameValues(problem, *previous, values)) {
            groups[previousGroup].members.push_back(i);
            continue;
        }
        key.assign(1, static_cast<char>('0' + static_cast<int>(problem.place)));
        key.append(std::to_string(static_cast<int>(problem.kind)))
            .append("/")
            .append(std::to_string(problem.column))
            .append(problem.IsNotice() ? "n/" : "e/");
        for (std::size_t v = 0; values >> v != 0; ++v) {
            if ((values >> v & 1u) != 0 && v < problem.args.size()) {
                key.append(problem.args[v]);
            }
            key.push_back('\x1F');
        }
        const auto [at, added] = byKey.try_emplace(key, groups.size());
        if (added) {
            groups.push_back(ProblemGroup{{}, problem.IsNotice()});
        }
        groups[at->second].members.push_back(i);
        previous = &problem;
        previousGroup = at->second;
    }
    return groups;
}

ProblemPlaces::ProblemPlaces(const MemoryTable* table, const RowOrigins* origins,
                             const MessageTexts& texts)
    : m_table(table), m_origins(origins), m_texts(texts) {}

int ProblemPlaces::LineOfRow(int row) const {
    if (m_origins == nullptr) {
        return 0;
    }
    const int index = row - m_origins->firstRow;
    return index >= 0 && static_cast<std::size_t>(index) < m_origins->lines.size()
               ? m_origins->lines[static_cast<std::size_t>(index)]
               : 0;
}

std::string ProblemPlaces::ChannelOf(int row) const {
    if (m_origins != nullptr) {
        const int index = row - m_origins->firstRow;
        if (index >= 0 && static_cast<std::size_t>(index) < m_origins->locations.size()) {
            const std::string& location = m_origins->locations[static_cast<std::size_t>(index)];
            return location.empty() ? std::string()
                                    : Sentence(m_texts, MessageKind::PlaceLocation, {location});
        }
    }
    std::optional<std::string_view> kept =
        m_origins != nullptr ? m_origins->NumberOf(row) : std::nullopt;
    if (!kept && (m_table == nullptr || row < 1 || row >= m_table->RowCount() ||
                  m_table->ColCount() <= Number)) {
        return {};
    }
    std::string_view number = kept ? *kept : m_table->CellText(row, Number);
    number.remove_prefix(std::min(number.find_first_not_of(' '), number.size()));
    if (number.empty() || number.size() > 12) {
        return {};
    }
    return Sentence(m_texts, MessageKind::PlaceNumber, {number});
}

std::string ProblemPlaces::Place(const Diagnostic& problem) const {
    return Sentence(m_texts, PlaceKind(problem.place), {std::to_string(problem.number)});
}

std::string ProblemPlaces::Name(const Diagnostic& problem) const {
    const std::string addition = Addition(problem);
    return addition.empty() ? Place(problem) : Place(problem) + " (" + addition + ")";
}

std::string ProblemPlaces::Addition(const Diagnostic& problem) const {
    switch (problem.place) {
        case Diagnostic::Place::Row: {
            const int row = problem.number;
            const int line = LineOfRow(row);
            const std::string addition =
                line > 0 ? Sentence(m_texts, MessageKind::PlaceLine, {std::to_string(line)})
                         : std::string();
            const std::string channel = ChannelOf(row);
            return addition.empty() || channel.empty() ? addition + channel
                                                       : addition + ", " + channel;
        }
        case Diagnostic::Place::Line: {
            const int row = m_origins != nullptr ? RowOnLine(*m_origins, problem.number) : 0;
            return row > 0 ? ChannelOf(row) : std::string();
        }
        case Diagnostic::Place::Record:
            break;
    }
    return {};
}

std::string GroupLine(const ProblemGroup& group, const std::vector<Diagnostic>& problems,
                      const ProblemPlaces& places, LineForm form, std::size_t shown) {
    const MessageTexts& texts = places.texts();
    const Language language = texts.language();
    const Diagnostic& first = problems[group.members.front()];
    const std::size_t count = group.members.size();
    if (count == 1) {
        // As --all says it, the file's line and the channel added.
        std::string line = form == LineForm::Panel
                               ? ProblemLine(first, texts)
                               : Sentence(texts, MessageKind::GroupLine,
                                          {places.Place(first), MessageText(first, texts)});
        const std::string addition = places.Addition(first);
        return addition.empty() ? line : line + " (" + addition + ")";
    }
    // The heading says what every member shares; each member its own values.
    std::string members;
    for (std::size_t i = 0; i < std::min(count, shown); ++i) {
        const Diagnostic& member = problems[group.members[i]];
        const std::string detail = MemberDetail(member, texts);
        members.append(i == 0 ? "" : "; ").append(places.Name(member));
        if (!detail.empty()) {
            members.append(": ").append(detail);
        }
    }
    if (count > shown) {
        members.append("; ").append(
            Sentence(texts, MessageKind::GroupMore, {std::to_string(count - shown)}));
    }
    const std::string heading = GroupHeading(first, texts);
    return Sentence(
        texts, MessageKind::GroupLine,
        {Counted(count, PlaceNoun(first.place), language),
         heading.empty() ? members : Sentence(texts, MessageKind::GroupLine, {heading, members})});
}

std::vector<std::string> GroupedReport(const std::vector<Diagnostic>& problems,
                                       const ProblemPlaces& places, LineForm form,
                                       std::size_t mostGroups) {
    const std::vector<ProblemGroup> groups = GroupProblems(problems);
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < groups.size() && i < mostGroups; ++i) {
        lines.push_back(GroupLine(groups[i], problems, places, form));
    }
    if (groups.size() > mostGroups) {
        std::size_t more = 0;
        for (std::size_t i = mostGroups; i < groups.size(); ++i) {
            more += groups[i].members.size();
        }
        lines.push_back(
            Sentence(places.texts(), MessageKind::CliMoreKinds, {std::to_string(more)}));
    }
    return lines;
}

void PlaceAppendedRows(std::vector<Diagnostic>& problems, RowOrigins& origins, int rowsBefore) {
    const int fileFirstRow = origins.firstRow;
    origins.firstRow = rowsBefore + fileFirstRow;
    for (Diagnostic& problem : problems) {
        if (problem.place == Diagnostic::Place::Row) {
            problem.number += rowsBefore;
            continue;
        }
        if (problem.place != Diagnostic::Place::Line) {
            continue;
        }
        // A line that holds a row: said as that table row, its line beside it.
        if (const int row = RowOnLine(origins, problem.number); row > 0) {
            problem.place = Diagnostic::Place::Row;
            problem.number = row;
        }
    }
}

}  // namespace corvalen
