#pragma once

#include <utility>
#include <vector>

// Puts rows into a new order: row r of the result is old row order[r]. Returns, for every old row, its new
// row, which is what a model needs to move its persistent indexes along.
template <typename Row> std::vector<int> PermuteRows(std::vector<Row>& rows, const std::vector<int>& order)
{
    std::vector<Row> sorted;
    sorted.reserve(rows.size());
    std::vector<int> newRowOfOld(order.size());
    for (size_t r = 0; r < order.size(); ++r) {
        sorted.push_back(std::move(rows[static_cast<size_t>(order[r])]));
        newRowOfOld[static_cast<size_t>(order[r])] = static_cast<int>(r);
    }
    rows.swap(sorted);
    return newRowOfOld;
}
