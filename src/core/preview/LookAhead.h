#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <utility>

// Many looks in a big table go faster when the slot of each one is asked for a few items ahead: in a table
// of a million items every look lands far from the last, and the processor then fetches several slots at
// once instead of waiting for each in turn.
//
// fetch(i) works out item i's hash, asks for its slot (NumberTable::prefetch) and gives the hash back. Items
// are taken in order; a jump to another item (the next run of them) starts the look-ahead there again.
template <class Fetch> class LookAhead
{
public:
    LookAhead(size_t count, Fetch fetch)
        : m_count(count)
        , m_fetch(std::move(fetch))
    {}

    // Item i's hash, as fetch gave it.
    size_t operator()(size_t i)
    {
        if (i != m_next) {
            for (size_t k = i; k < std::min(i + kAhead, m_count); ++k)
                m_hashes[k % kAhead] = m_fetch(k);
        }
        const size_t hash = m_hashes[i % kAhead];
        if (i + kAhead < m_count)
            m_hashes[i % kAhead] = m_fetch(i + kAhead);
        m_next = i + 1;
        return hash;
    }

private:
    static constexpr size_t kAhead = 8;

    const size_t m_count;
    Fetch m_fetch;
    std::array<size_t, kAhead> m_hashes{};
    size_t m_next = size_t(-1);
};
