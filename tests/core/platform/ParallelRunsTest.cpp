#include "core/platform/ParallelRuns.h"

#include <atomic>
#include <stdexcept>
#include <vector>

#include <gtest/gtest.h>

namespace {

// Both halves always run to their end, each index once, and a failure in either reaches the caller only
// after both have ended (a half still running while the caller unwinds would end the program).
TEST(RunInTwoHalves, RunsEveryIndexOnceAndHandsOnWhatEitherHalfThrows)
{
    const struct
    {
        const char* row;
        bool firstThrows;
        bool secondThrows;
    } cases[] = {{"neither", false, false}, {"first", true, false}, {"second", false, true}, {"both", true, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        std::vector<std::atomic<int>> seen(1001);
        std::atomic<int> ended{0};
        const auto half = [&](size_t from, size_t to, int which) {
            for (size_t i = from; i < to; ++i)
                ++seen[i];
            ++ended;
            if ((which == 0 && c.firstThrows) || (which == 1 && c.secondThrows))
                throw std::runtime_error("half failed");
        };
        bool ran = false;
        bool threw = false;
        try {
            ran = RunInTwoHalves(seen.size(), half);
        } catch (const std::runtime_error&) {
            threw = true;
        }
        EXPECT_EQ(threw, c.firstThrows || c.secondThrows);
        EXPECT_TRUE(ran || threw);
        EXPECT_EQ(ended.load(), 2);
        for (const std::atomic<int>& s : seen)
            ASSERT_EQ(s.load(), 1);
    }
}

} // namespace
