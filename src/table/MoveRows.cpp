#include "table/MoveRows.h"

#include <algorithm>
#include <numeric>
#include <utility>

namespace corvalen {

std::vector<int> MovedRowOrder(int channelCount, std::span<const int> rows, RowMove move) {
    const auto n = static_cast<std::size_t>(std::max(channelCount, 0));
    std::vector<int> order(n);
    std::iota(order.begin(), order.end(), 1);
    // selected[k]: the row now at place k (0-based) is one of `rows`.
    std::vector<char> selected(n, 0);
    for (const int row : rows) {
        if (row >= 1 && static_cast<std::size_t>(row) <= n) {
            selected[static_cast<std::size_t>(row) - 1] = 1;
        }
    }
    const auto swapPlaces = [&](std::size_t a, std::size_t b) {
        std::swap(order[a], order[b]);
        std::swap(selected[a], selected[b]);
    };
    switch (move) {
        case RowMove::Up:
            // Top down, so a block moves as one and a block stuck at the top stays.
            for (std::size_t k = 1; k < n; ++k) {
                if (selected[k] && !selected[k - 1]) {
                    swapPlaces(k, k - 1);
                }
            }
            break;
        case RowMove::Down:
            for (std::size_t k = n; k-- > 1;) {
                if (selected[k - 1] && !selected[k]) {
                    swapPlaces(k - 1, k);
                }
            }
            break;
        case RowMove::ToTop:
        case RowMove::ToBottom: {
            // The selected rows first (or last), each part in its own order.
            std::vector<int> moved;
            for (const bool first : {move == RowMove::ToTop, move != RowMove::ToTop}) {
                for (std::size_t k = 0; k < n; ++k) {
                    if (static_cast<bool>(selected[k]) == first) {
                        moved.push_back(order[k]);
                    }
                }
            }
            order = std::move(moved);
            break;
        }
    }
    return order;
}

std::vector<int> InverseRowOrder(std::span<const int> order) {
    std::vector<int> inverse(order.size());
    for (std::size_t k = 0; k < order.size(); ++k) {
        inverse[static_cast<std::size_t>(order[k]) - 1] = static_cast<int>(k) + 1;
    }
    return inverse;
}

bool IsUnmoved(std::span<const int> order) {
    // A permutation of 1..n leaves every row in place exactly when it is sorted.
    return std::is_sorted(order.begin(), order.end());
}

}  // namespace corvalen
