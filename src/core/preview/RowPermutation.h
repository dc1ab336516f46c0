#pragma once

#include <utility>
#include <vector>

// Puts rows into a new order: row r of the result is old row order[r]. Returns, for every old row, its new
// row, which is what a model needs to move its persistent indexes along.
// The rows move in place, cycle by cycle: a second vector of a million rows would double the list's memory.
template <typename Row> std::vector<int> PermuteRows(std::vector<Row>& rows, const std::vector<int>& order)
{
    const size_t n = order.size();
    std::vector<int> newRowOfOld(n);
    for (size_t r = 0; r < n; ++r)
        newRowOfOld[static_cast<size_t>(order[r])] = static_cast<int>(r);
    std::vector<bool> placed(n, false);
    for (size_t start = 0; start < n; ++start) {
        if (placed[start])
            continue;
        // Row start's place takes old row order[start], whose place takes the next, and so on round the
        // cycle, until the place whose row is start's own.
        Row held = std::move(rows[start]);
        size_t at = start;
        for (auto from = static_cast<size_t>(order[at]); from != start; from = static_cast<size_t>(order[at])) {
            rows[at] = std::move(rows[from]);
            placed[at] = true;
            at = from;
        }
        rows[at] = std::move(held);
        placed[at] = true;
    }
    return newRowOfOld;
}
