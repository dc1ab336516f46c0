#include "core/load/FolderWalkAhead.h"

#include "core/platform/PosixFileSystem.h"
#include "support/TestTree.h"

#include <gtest/gtest.h>

namespace {

QStringList namesOf(const QList<SubfolderInfo>& subfolders)
{
    QStringList names;
    for (const SubfolderInfo& sub : subfolders)
        names.append(sub.name + (sub.isLink ? QStringLiteral("@") : QString()));
    return names;
}

// Whatever order folders are asked for in (the walk's, backwards, folders the walk never enters) and
// however early the reader goes away, each answer is what reading the folder directly gives.
TEST(FolderWalkAhead, AnswersAsAScanWouldInAnyOrderAndStopsAtAnyTime)
{
    TestTree tree({"Top/A/A1/", "Top/A/A2/", "Top/B/", "Top/proc/x/", "Elsewhere/deep/"});
    ASSERT_TRUE(tree.link(tree.path("Elsewhere"), "Top/B/link"));
    for (int i = 0; i < 200; ++i)
        tree.add(QStringLiteral("Top/B/F%1/G/").arg(i, 3, 10, QLatin1Char('0')));
    const PosixFileSystem fs;
    const auto skipProc = [&](const QString& path) { return path == tree.path("Top/proc"); };
    const QStringList walkOrder{"Top", "Top/A", "Top/A/A1", "Top/A/A2", "Top/B", "Top/B/F000", "Top/B/F000/G"};
    const struct
    {
        const char* name;
        QStringList asked;
    } cases[] = {
        {"the walk's order", walkOrder},
        {"backwards", {walkOrder.rbegin(), walkOrder.rend()}},
        {"outside the walk", {"Top/proc", "Elsewhere/deep", "Top/B/link", "Top"}},
        {"gone at once", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FolderWalkAhead ahead(fs, tree.path("Top"), skipProc);
        for (const QString& folder : c.asked)
            EXPECT_EQ(namesOf(ahead.subfolders(tree.path(folder))),
                      namesOf(fs.scanFolder(tree.path(folder)).subfolders))
                << folder.toStdString();
    }
}

} // namespace
