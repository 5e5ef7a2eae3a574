#include "edit/BulkEdit.h"

#include <vector>

#include "convert/NumberText.h"
#include "convert/TextLines.h"
#include "table/Columns.h"

namespace corvalen {

namespace {

// The pieces of a Groups cell between its "+" signs, blank ones left out.
std::vector<std::string_view> GroupPieces(std::string_view groups) {
    std::vector<std::string_view> pieces;
    ForEachGroupPiece(groups, [&](std::string_view piece) {
        if (!TrimBlanks(piece).empty()) {
            pieces.push_back(piece);
        }
    });
    return pieces;
}

// The group a piece names when it is a plain whole number from 1 to 16 (blanks around allowed).
int GroupOf(std::string_view piece) {
    const auto number = ParseWholeNumber(piece);
    return number && *number >= 1 && *number <= kGroupCount ? static_cast<int>(*number) : 0;
}

}  // namespace

int FieldEdit::Column() const {
    return kind == Kind::Set ? column : Groups;
}

std::string WithGroup(std::string_view groups, int group) {
    const std::vector<std::string_view> pieces = GroupPieces(groups);
    bool allGroups = true;
    auto flags = static_cast<std::uint16_t>(0x8000u >> (group - 1));
    for (const std::string_view piece : pieces) {
        const int named = GroupOf(piece);
        if (named == group) {
            return std::string(groups);
        }
        allGroups = allGroups && named != 0;
        flags |= static_cast<std::uint16_t>(named != 0 ? 0x8000u >> (named - 1) : 0u);
    }
    if (!allGroups) {
        return Joined(pieces, "+") + "+" +
               std::to_string(group);  // a piece is no group: never empty
    }
    // Every piece names a group: the groups in ascending order, each once.
    std::string text;
    AppendGroupList(flags, "+", text);
    return text;
}

std::string WithoutGroup(std::string_view groups, int group) {
    const std::vector<std::string_view> pieces = GroupPieces(groups);
    std::vector<std::string_view> kept;
    for (const std::string_view piece : pieces) {
        if (GroupOf(piece) != group) {
            kept.push_back(piece);
        }
    }
    return kept.size() == pieces.size() ? std::string(groups) : Joined(kept, "+");
}

std::string EditedCell(std::string_view cell, const FieldEdit& edit) {
    switch (edit.kind) {
        case FieldEdit::Kind::Set:
            return edit.value;
        case FieldEdit::Kind::AddGroup:
            return WithGroup(cell, edit.group);
        case FieldEdit::Kind::RemoveGroup:
            return WithoutGroup(cell, edit.group);
    }
    return std::string(cell);
}

}  // namespace corvalen
