#include "core/commit/NameClashes.h"
#include "core/preview/FolderEntry.h"
#include "support/PreviewFixture.h"

#include <gtest/gtest.h>

namespace {

TEST(NameClashes, PairsEveryEntryWithTheFirstThatEndsUnderItsName)
{
    using Pairs = std::vector<std::pair<int, int>>;
    const struct
    {
        const char* name;
        std::vector<FolderEntry> entries;
        Pairs expected;
    } rows[] = {
        {"two changed to one name",
         {MakeEntry("/p/", "a", "x"), MakeEntry("/p/", "b", "y"), MakeEntry("/p/", "c", "x"),
          MakeEntry("/p/", "d", "x")},
         {{0, 2}, {0, 3}}},
        {"a change onto an unchanged entry", {MakeEntry("/p/", "x"), MakeEntry("/p/", "a", "x")}, {{0, 1}}},
        {"other folders, other case",
         {MakeEntry("/p/", "a", "x"), MakeEntry("/q/", "b", "x"), MakeEntry("/p/", "c", "X")},
         {}},
        {"a swap is no clash", {MakeEntry("/p/", "a", "b"), MakeEntry("/p/", "b", "a")}, {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Pairs found;
        for (const NameClash& clash : FindNameClashes(row.entries))
            found.emplace_back(clash.first, clash.second);
        EXPECT_EQ(found, row.expected);
    }
}

} // namespace
