#include "core/commit/FollowRenames.h"

#include "core/preview/PreviewList.h"
#include "support/PreviewFixture.h"

#include <gtest/gtest.h>

namespace {

TEST(FollowRenames, RenamedEntriesTakeTheRestoredNameAndTheEntriesBelowMove)
{
    PreviewList list;
    list.append(MakeEntry(QStringLiteral("/p/"), QStringLiteral("A")));
    list.append(MakeEntry(QStringLiteral("/p/A/"), QStringLiteral("sub")));
    list.append(MakeEntry(QStringLiteral("/p/"), QStringLiteral("B"), QStringLiteral("C"))); // a pending proposal
    list.append(MakeEntry(QStringLiteral("/p/"), QStringLiteral("Ab")));                     // same beginning only
    FollowRenames(list, {{QStringLiteral("/p/A/"), QStringLiteral("/p/a/")},
                         {QStringLiteral("/p/B/"), QStringLiteral("/p/b/")},
                         {QStringLiteral("/p/gone/"), QStringLiteral("/p/back/")}});

    const struct
    {
        const char* key;
        const char* parent;
        const char* oldName;
        const char* newName;
    } rows[] = {{"/p/a/", "/p/", "a", "a"},
                {"/p/a/sub/", "/p/a/", "sub", "sub"},
                {"/p/b/", "/p/", "b", "C"},
                {"/p/Ab/", "/p/", "Ab", "Ab"}};
    ASSERT_EQ(list.size(), 4);
    for (int row = 0; row < 4; ++row) {
        SCOPED_TRACE(rows[row].key);
        const FolderEntry& e = list.entry(row);
        EXPECT_EQ(e.key(), QLatin1String(rows[row].key));
        EXPECT_EQ(list.rowOfKey(e.key()), row);
        EXPECT_EQ(e.parentPath, QLatin1String(rows[row].parent));
        EXPECT_EQ(e.oldName, QLatin1String(rows[row].oldName));
        EXPECT_EQ(e.newName, QLatin1String(rows[row].newName));
        EXPECT_EQ(e.history.at(0), QLatin1String(rows[row].oldName));
    }
}

} // namespace
