#include "load/FolderExpansion.h"
#include "load/PowerFilterList.h"
#include "platform/PosixFileSystem.h"
#include "settings/TextCodec.h"
#include "support/TestTree.h"

#include <QFile>
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
        const QString file = m_tree.path(QStringLiteral("settings.vlp"));
        TextCodec::writeFileAtomically(file, QStringLiteral("[PowerFilter]\n") + stored);
        return PowerFilterList::load(file);
    }

    TestTree m_tree{{QStringLiteral("A/x/x1/deep/"), QStringLiteral("A/y/y2/"), QStringLiteral("A/y/y1/"),
                     QStringLiteral("A/y/file.txt")}};
    PosixFileSystem m_fs;
    MountPoints m_noMounts;
};

TEST_F(FolderExpansionTest, WithoutSubfoldersGivesTheTakenFolders)
{
    const QStringList taken = keys({QStringLiteral("A/y"), QStringLiteral("A/x")});
    EXPECT_EQ(FolderExpansion::expand(m_fs, taken, false, m_noMounts), taken);
}

TEST_F(FolderExpansionTest, SubfoldersComeBreadthFirstInNameOrderEachOnce)
{
    // A/x/x1 is taken as well as reached from A/x: it must still come once, at its first place.
    const QStringList taken = keys({QStringLiteral("A/x"), QStringLiteral("A/y"), QStringLiteral("A/x/x1")});
    EXPECT_EQ(FolderExpansion::expand(m_fs, taken, true, m_noMounts),
              keys({QStringLiteral("A/x"), QStringLiteral("A/y"), QStringLiteral("A/x/x1"), QStringLiteral("A/y/y1"),
                    QStringLiteral("A/y/y2"), QStringLiteral("A/x/x1/deep")}));
}

TEST_F(FolderExpansionTest, NeverWalksThroughLinks)
{
    ASSERT_TRUE(QFile::link(m_tree.path(QStringLiteral("A/x")), m_tree.path(QStringLiteral("A/y/y1/toX"))));
    ASSERT_TRUE(QFile::link(m_tree.path(QStringLiteral("A")), m_tree.path(QStringLiteral("A/x/x1/deep/loop"))));
    const QStringList all = FolderExpansion::expand(m_fs, keys({QStringLiteral("A")}), true, m_noMounts);
    EXPECT_EQ(all.size(), 7);
    EXPECT_FALSE(all.contains(m_tree.key(QStringLiteral("A/y/y1/toX"))));
}

TEST_F(FolderExpansionTest, RootsAreLeftOutAndKernelMountsNotEntered)
{
    m_tree.add(QStringLiteral("A/mnt/disk/inside/"));
    m_tree.add(QStringLiteral("A/proc/1/"));
    MountPoints mounts;
    mounts.roots = {m_tree.key(QStringLiteral("A/mnt/disk")), m_tree.key(QStringLiteral("A/proc")), m_tree.key({})};
    mounts.kernel = {m_tree.key(QStringLiteral("A/proc"))};
    const QStringList all = FolderExpansion::expand(m_fs, keys({QStringLiteral("A/mnt")}), true, mounts);
    EXPECT_EQ(all, keys({QStringLiteral("A/mnt"), QStringLiteral("A/mnt/disk/inside")}));
    const QStringList fromA = FolderExpansion::expand(m_fs, keys({QStringLiteral("A")}), true, mounts);
    EXPECT_FALSE(fromA.contains(m_tree.key(QStringLiteral("A/proc"))));
    EXPECT_FALSE(fromA.contains(m_tree.key(QStringLiteral("A/proc/1"))));
}

TEST_F(FolderExpansionTest, ATakenVolumeRootContributesOnlyItsSubfolders)
{
    const MountPoints mounts = MountPoints::current();
    EXPECT_TRUE(FolderExpansion::expand(m_fs, {QStringLiteral("/")}, false, mounts).isEmpty());
    MountPoints treeAsVolume;
    treeAsVolume.roots = {m_tree.key(QStringLiteral("A/y"))};
    EXPECT_EQ(FolderExpansion::expand(m_fs, keys({QStringLiteral("A/y")}), true, treeAsVolume),
              keys({QStringLiteral("A/y/y1"), QStringLiteral("A/y/y2")}));
}

TEST(FolderBaseName, IsTheNameBeforeItsLastDot)
{
    EXPECT_EQ(FolderExpansion::baseNameOf(QStringLiteral("/x/2004.backup/")), QStringLiteral("2004"));
    EXPECT_EQ(FolderExpansion::baseNameOf(QStringLiteral("/x/a.b.c")), QStringLiteral("a.b"));
    EXPECT_EQ(FolderExpansion::baseNameOf(QStringLiteral("/x/.config/")), QString());
    EXPECT_EQ(FolderExpansion::baseNameOf(QStringLiteral("/x/Songs/")), QStringLiteral("Songs"));
    EXPECT_EQ(FolderExpansion::baseNameOf(QStringLiteral("/x.y/plain/")), QStringLiteral("plain"));
    EXPECT_EQ(FolderExpansion::baseNameOf(QStringLiteral("/")), QString());
}

TEST_F(FolderExpansionTest, FiltersByBaseName)
{
    m_tree.add(QStringLiteral("B/photos 2004/"));
    m_tree.add(QStringLiteral("B/Songs/"));
    m_tree.add(QStringLiteral("B/2004.backup/"));
    m_tree.add(QStringLiteral("B/Photo.2004/"));
    const QStringList taken = keys({QStringLiteral("B/photos 2004"), QStringLiteral("B/Songs"),
                                    QStringLiteral("B/2004.backup"), QStringLiteral("B/Photo.2004")});
    const auto pending = [&](const QString& stored) {
        return FolderExpansion::pendingFolders(m_fs, taken, false, filters(stored), m_noMounts);
    };
    EXPECT_EQ(pending(QString()), QStringList()); // no filters: nothing
    EXPECT_EQ(pending(QStringLiteral("f1=1*\n")), taken);
    EXPECT_EQ(pending(QStringLiteral("f1=0*\nf2=1Photo*\n")), keys({QStringLiteral("B/Photo.2004")}));
    EXPECT_EQ(pending(QStringLiteral("f1=0*\nf2=1?ongs\nf3=1####\n")),
              keys({QStringLiteral("B/Songs"), QStringLiteral("B/2004.backup")}));
}

TEST_F(FolderExpansionTest, TakeAllWithSubfoldersLoadsChildrenThenGrandchildren)
{
    const QStringList children = keys({QStringLiteral("A/x"), QStringLiteral("A/y")});
    EXPECT_EQ(FolderExpansion::pendingFolders(m_fs, children, true, filters(QStringLiteral("f1=1*\n")), m_noMounts),
              keys({QStringLiteral("A/x"), QStringLiteral("A/y"), QStringLiteral("A/x/x1"), QStringLiteral("A/y/y1"),
                    QStringLiteral("A/y/y2"), QStringLiteral("A/x/x1/deep")}));
}

} // namespace
