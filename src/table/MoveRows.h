#pragma once

#include <span>
#include <vector>

namespace corvalen {

// The four ways the selected rows can move. Several separate blocks move together, each keeping
// its place relative to the others; a block that reaches the top (or bottom) stays there while
// the others close up to it. Numbers move with their rows: renumbering is "Re-Index".
enum class RowMove { Up, Down, ToTop, ToBottom };

// The channel-row order after moving `rows` (table rows; rows outside 1..channelCount are left
// out): entry k is the row that becomes row k + 1. Equal to 1..channelCount when nothing moves.
std::vector<int> MovedRowOrder(int channelCount, std::span<const int> rows, RowMove move);

// The order that puts back what `order` did: applying `order`, then InverseRowOrder(order),
// leaves every row where it was.
std::vector<int> InverseRowOrder(std::span<const int> order);

// Whether `order` leaves every row where it is.
bool IsUnmoved(std::span<const int> order);

}  // namespace corvalen
