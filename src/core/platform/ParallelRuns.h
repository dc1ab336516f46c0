#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <exception>
#include <optional>
#include <system_error>
#include <thread>

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

// Runs half(from, to, which) for the first half of 0 to count on this thread and for the second half on
// another (which is 0 and 1), and waits for both. Whatever either half throws reaches the caller once both
// have ended. False, with nothing run, when no second thread is to be had: the caller then does it all.
template <class Half> bool RunInTwoHalves(size_t count, Half&& half)
{
    const size_t middle = count / 2;
    std::exception_ptr otherFailed;
    std::optional<std::thread> other;
    try {
        other.emplace([&] {
            try {
                half(middle, count, 1);
            } catch (...) {
                otherFailed = std::current_exception();
            }
        });
    } catch (const std::system_error&) {
        return false;
    }
    try {
        half(size_t(0), middle, 0);
    } catch (...) {
        other->join();
        throw;
    }
    other->join();
    if (otherFailed)
        std::rethrow_exception(otherFailed);
    return true;
}

// Runs work on another thread and on this one at once (work shares itself out, as through ParallelRuns),
// as safely as RunInTwoHalves; false, and nothing run, when no thread can be had.
template <class Work> bool RunOnTwoThreads(Work&& work)
{
    return RunInTwoHalves(2, [&](size_t, size_t, int) { work(); });
}
