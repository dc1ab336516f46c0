#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>

// Shares the indexes 0 to count out among threads in runs of a few, each run to whichever thread asks
// next, so that uneven work still keeps every thread busy to the end. Every thread calls take with the
// same count; each index is done once.
class ParallelRuns
{
public:
    explicit ParallelRuns(size_t run)
        : m_run(run)
    {}

    template <class Each> void take(size_t count, Each&& each)
    {
        for (size_t from; (from = m_next.fetch_add(m_run)) < count;) {
            const size_t to = std::min(from + m_run, count);
            for (size_t i = from; i < to; ++i)
                each(i);
        }
    }

private:
    const size_t m_run;
    std::atomic<size_t> m_next{0};
};
