#include "core/load/FolderExpansion.h"
#include "core/load/PowerFilterList.h"
#include "core/platform/PosixFileSystem.h"
#include "core/settings/IniDocument.h"
#include "support/TestTree.h"
#include "support/WriteTextFile.h"

#include <gtest/gtest.h>

namespace {

class FolderExpansionTest : public ::testing::Test
{
protected:
    QStringList keys(const QStringList& relative) const
    {
        QStringList result;
        for (const QString& r : relative)
            result.append(m_tree.key(r));
        return result;
    }
    PowerFilterList filters(const QString& stored)
    {
        return PowerFilterList::load(IniDocument::fromText(QStringLiteral("[PowerFilter]\n") + stored));
    }

    TestTree m_tree{{"A/x/x1/deep/", "A/y/y2/", "A/y/y1/", "A/y/file.txt"}};
    PosixFileSystem m_fs;
    MountPoints m_noMounts;
};

// A/x/x1 is taken as well as reached from A/x: it comes once, at its first place. Links are never walked.
TEST_F(FolderExpansionTest, SubfoldersComeBreadthFirstInNameOrderEachOnceNeverThroughLinks)
{
    ASSERT_TRUE(m_tree.link(m_tree.path("A/x"), "A/y/y1/toX"));
    ASSERT_TRUE(m_tree.link(m_tree.path("A"), "A/x/x1/deep/loop"));
    const QStringList taken = keys({"A/x", "A/y", "A/x/x1"});
    EXPECT_EQ(FolderExpansion::expand(m_fs, taken, false, m_noMounts), taken);
    const QStringList all = keys({"A/x", "A/y", "A/x/x1", "A/y/y1", "A/y/y2", "A/x/x1/deep"});
    EXPECT_EQ(FolderExpansion::expand(m_fs, taken, true, m_noMounts), all);
    // Taking all with subfolders loads the children, then the grandchildren.
    EXPECT_EQ(FolderExpansion::pendingFolders(m_fs, keys({"A/x", "A/y"}), true, filters("f1=1*\n"), m_noMounts), all);
    // A taken link is loaded as itself, and not walked through.
    EXPECT_EQ(FolderExpansion::expand(m_fs, keys({"A/y/y1/toX"}), true, m_noMounts), keys({"A/y/y1/toX"}));
}

TEST_F(FolderExpansionTest, RootsContributeOnlyTheirSubfoldersAndKernelMountsAreNotEntered)
{
    m_tree.add("A/mnt/disk/inside/");
    m_tree.add("A/proc/1/");
    MountPoints mounts;
    mounts.roots = {m_tree.key("A/mnt/disk"), m_tree.key("A/proc"), m_tree.key({})};
    mounts.kernel = {m_tree.key("A/proc")};
    EXPECT_EQ(FolderExpansion::expand(m_fs, keys({"A/mnt"}), true, mounts), keys({"A/mnt", "A/mnt/disk/inside"}));
    const QStringList fromA = FolderExpansion::expand(m_fs, keys({"A"}), true, mounts);
    EXPECT_FALSE(fromA.contains(m_tree.key("A/proc")));
    EXPECT_FALSE(fromA.contains(m_tree.key("A/proc/1")));
    EXPECT_TRUE(FolderExpansion::expand(m_fs, {"/"}, false, MountPoints::current()).isEmpty());
    mounts.roots = {m_tree.key("A/y")};
    EXPECT_EQ(FolderExpansion::expand(m_fs, keys({"A/y"}), true, mounts), keys({"A/y/y1", "A/y/y2"}));
}

// Filters look at the name before its last dot.
TEST_F(FolderExpansionTest, FiltersByBaseName)
{
    const std::pair<const char*, const char*> bases[] = {
        {"/x/2004.backup/", "2004"}, {"/x/a.b.c", "a.b"}, {"/x/.config/", ""}, {"/x.y/plain/", "plain"}, {"/", ""}};
    for (const auto& [path, base] : bases)
        EXPECT_EQ(FolderExpansion::baseNameOf(path), QString::fromLatin1(base)) << path;
    for (const char* folder : {"B/photos 2004/", "B/Songs/", "B/2004.backup/", "B/Photo.2004/"})
        m_tree.add(folder);
    const QStringList taken = keys({"B/photos 2004", "B/Songs", "B/2004.backup", "B/Photo.2004"});
    const auto pending = [&](const QString& stored) {
        return FolderExpansion::pendingFolders(m_fs, taken, false, filters(stored), m_noMounts);
    };
    EXPECT_EQ(pending(QString()), QStringList()) << "no filters: nothing";
    EXPECT_EQ(pending("f1=1*\n"), taken);
    EXPECT_EQ(pending("f1=0*\nf2=1Photo*\n"), keys({"B/Photo.2004"}));
    EXPECT_EQ(pending("f1=0*\nf2=1?ongs\nf3=1####\n"), keys({"B/Songs", "B/2004.backup"}));
}

} // namespace
