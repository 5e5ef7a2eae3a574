#include "channel/ProblemGroups.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>

#include "channel/CellChecks.h"
#include "table/Columns.h"

namespace corvalen {

namespace {

std::string Counted(std::size_t n, Diagnostic::Place place) {
    const bool one = n == 1;
    switch (place) {
        case Diagnostic::Place::Line:
            return std::to_string(n) + (one ? " line" : " lines");
        case Diagnostic::Place::Row:
            return std::to_string(n) + (one ? " channel" : " channels");
        case Diagnostic::Place::Record:
            break;
    }
    return std::to_string(n) + (one ? " record" : " records");
}

}  // namespace

std::vector<ProblemGroup> GroupProblems(const std::vector<Diagnostic>& problems) {
    std::vector<ProblemGroup> groups;
    std::unordered_map<std::string, std::size_t> byKey;
    std::string key;
    // A problem like the one before it (kind, place, column, severity), of a kind that groups
    // without a value, joins that one's group without its key being built again: a large file
    // can have tens of thousands of notices in a row.
    const Diagnostic* previous = nullptr;
    std::size_t previousGroup = 0;
    for (std::size_t i = 0; i < problems.size(); ++i) {
        const Diagnostic& problem = problems[i];
        if (previous != nullptr && problem.kind == previous->kind &&
            problem.place == previous->place && problem.column == previous->column &&
            problem.severity == previous->severity) {
            groups[previousGroup].members.push_back(i);
            continue;
        }
        previous = nullptr;
        key.assign(1, static_cast<char>('0' + static_cast<int>(problem.place)));
        key.append(std::to_string(static_cast<int>(problem.kind)))
            .append("/")
            .append(std::to_string(problem.column))
            .append(problem.IsNotice() ? "n/" : "e/");
        // A message the catalogue does not know groups only with the same text.
        key.append(problem.kind == MessageKind::Other ? problem.message : GroupValue(problem));
        const auto [at, added] = byKey.try_emplace(key, groups.size());
        if (added) {
            groups.push_back(ProblemGroup{{}, problem.IsNotice()});
        }
        groups[at->second].members.push_back(i);
        if (problem.kind != MessageKind::Other && TemplateOf(problem.kind).groupBy == 0) {
            previous = &problem;
            previousGroup = at->second;
        }
    }
    return groups;
}

ProblemPlaces::ProblemPlaces(const MemoryTable* table, const RowOrigins* origins, Language language)
    : m_table(table), m_origins(origins), m_language(language) {}

int ProblemPlaces::RowOnLine(int line) const {
    if (m_origins == nullptr) {
        return 0;
    }
    const std::vector<int>& lines = m_origins->lines;
    const auto at = std::lower_bound(lines.begin(), lines.end(), line);
    return at != lines.end() && *at == line ? static_cast<int>(at - lines.begin()) + 1 : 0;
}

std::string ProblemPlaces::ChannelOf(int row) const {
    if (m_origins != nullptr && row >= 1 &&
        static_cast<std::size_t>(row) <= m_origins->locations.size()) {
        const std::string& location = m_origins->locations[static_cast<std::size_t>(row - 1)];
        return location.empty() ? std::string() : "Location " + location;
    }
    if (m_table == nullptr || row < 1 || row >= m_table->RowCount() ||
        m_table->ColCount() <= Number) {
        return {};
    }
    std::string_view number = m_table->CellText(row, Number);
    while (!number.empty() && number.front() == ' ') {
        number.remove_prefix(1);
    }
    if (number.empty() || number.size() > 12) {
        return {};
    }
    return std::string(ColumnNameIn("Number", m_language)) + " " + std::string(number);
}

std::string ProblemPlaces::Name(const Diagnostic& problem) const {
    int row = 0;
    std::string place;
    switch (problem.place) {
        case Diagnostic::Place::Row:
            row = problem.number;
            if (m_origins != nullptr && row >= 1 &&
                static_cast<std::size_t>(row) <= m_origins->lines.size()) {
                place = std::string(PlaceWord(Diagnostic::Place::Line, m_language)) + " " +
                        std::to_string(m_origins->lines[static_cast<std::size_t>(row - 1)]);
            }
            break;
        case Diagnostic::Place::Line:
            row = RowOnLine(problem.number);
            break;
        case Diagnostic::Place::Record:
            break;
    }
    if (place.empty()) {
        place = std::string(PlaceWord(problem.place, m_language)) + " " +
                std::to_string(problem.number);
    }
    const std::string channel = row > 0 ? ChannelOf(row) : std::string();
    return channel.empty() ? place : place + ", " + channel;
}

std::string ProblemPlaces::Addition(const Diagnostic& problem) const {
    switch (problem.place) {
        case Diagnostic::Place::Row: {
            const int row = problem.number;
            std::string addition;
            if (m_origins != nullptr && row >= 1 &&
                static_cast<std::size_t>(row) <= m_origins->lines.size()) {
                addition = std::string(PlaceWord(Diagnostic::Place::Line, m_language)) + " " +
                           std::to_string(m_origins->lines[static_cast<std::size_t>(row - 1)]);
            }
            const std::string channel = ChannelOf(row);
            return addition.empty() || channel.empty() ? addition + channel
                                                       : addition + ", " + channel;
        }
        case Diagnostic::Place::Line: {
            const int row = RowOnLine(problem.number);
            return row > 0 ? ChannelOf(row) : std::string();
        }
        case Diagnostic::Place::Record:
            break;
    }
    return {};
}

std::string GroupLine(const ProblemGroup& group, const std::vector<Diagnostic>& problems,
                      const ProblemPlaces& places, Language language, LineForm form,
                      std::size_t shown) {
    const Diagnostic& first = problems[group.members.front()];
    const std::size_t count = group.members.size();
    if (count == 1) {
        // As --all says it, the file's line and the channel added.
        std::string line = LocalizedLine(
            form == LineForm::Panel ? ProblemLine(first) : first.ToString(), language);
        const std::string addition = places.Addition(first);
        return addition.empty() ? line : line + " (" + addition + ")";
    }
    std::string line = LocalizedMessage(first, language);
    line += " (";
    for (std::size_t i = 0; i < std::min(count, shown); ++i) {
        line += (i == 0 ? "" : "; ") + places.Name(problems[group.members[i]]);
    }
    if (count > shown) {
        const std::string more = std::to_string(count - shown);
        const std::string_view values[] = {more};
        line += "; " + FormatMessage(MessageKind::GroupMore, values, language);
    }
    line += ")";
    const std::string counted = Counted(count, first.place);
    const std::string_view values[] = {counted, line};
    return FormatMessage(MessageKind::GroupLine, values, language);
}

std::vector<std::string> GroupedReport(const std::vector<Diagnostic>& problems,
                                       const ProblemPlaces& places, Language language,
                                       LineForm form, std::size_t mostGroups) {
    const std::vector<ProblemGroup> groups = GroupProblems(problems);
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < groups.size() && i < mostGroups; ++i) {
        lines.push_back(GroupLine(groups[i], problems, places, language, form));
    }
    if (groups.size() > mostGroups) {
        std::size_t more = 0;
        for (std::size_t i = mostGroups; i < groups.size(); ++i) {
            more += groups[i].members.size();
        }
        const std::string counted = std::to_string(more) + (more == 1 ? " problem" : " problems");
        const std::string_view values[] = {counted};
        lines.push_back(FormatMessage(MessageKind::CliMoreKinds, values, language));
    }
    return lines;
}

}  // namespace corvalen
