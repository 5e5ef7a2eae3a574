#pragma once

#include <string>
#include <string_view>

#include "channel/ChannelFields.h"
#include "table/MemoryTable.h"

namespace corvalen {

// One change that "Set Field of Selected Rows…" makes to every selected row.
struct FieldEdit {
    enum class Kind {
        Set,          // the cell of `column` becomes `value`
        AddGroup,     // the Groups cell gains `group`, keeping the others
        RemoveGroup,  // the Groups cell loses `group`, keeping the others
    };
    Kind kind = Kind::Set;
    int column = 0;
    std::string value;
    int group = 1;

    // The column the edit changes: `column` for Set, Groups for the other two.
    int Column() const;
};

// The Groups cell (group numbers joined by "+", as the .g3m writer reads it) with `group` (1 to
// 16) added. A cell that already holds the group is returned as it is. When every piece of the
// cell is a group number the result lists them in ascending order ("1+3" plus 2 gives "1+2+3");
// otherwise the other pieces are kept as they stand and the group is put at the end.
std::string WithGroup(std::string_view groups, int group);

// The Groups cell with every piece that names `group` left out, the other pieces kept as they
// stand; a cell without that group is returned as it is.
std::string WithoutGroup(std::string_view groups, int group);

// The text `cell` becomes under `edit`.
std::string EditedCell(std::string_view cell, const FieldEdit& edit);

}  // namespace corvalen
