#include "load/OpenLocations.h"
#include "platform/PosixFileSystem.h"
#include "support/TestTree.h"

#include <gtest/gtest.h>

namespace {

using OpenLocations::Entry;
using OpenLocations::Kind;

QStringList textsOf(const QList<Entry>& entries)
{
    QStringList texts;
    for (const Entry& e : entries)
        texts.append(e.text);
    return texts;
}

TEST(OpenLocations, OffersRealVolumesRootFirstWithLabels)
{
    TestTree tree({QStringLiteral("usb/"), QStringLiteral("data/"), QStringLiteral("home/")});
    PosixFileSystem fs;
    const QList<MountedVolume> mounts = {
        {tree.key(QStringLiteral("usb")), "vfat", QStringLiteral("STICK")},
        {QStringLiteral("/proc/"), "proc", {}},
        {QStringLiteral("/"), "overlay", {}},
        {tree.key(QStringLiteral("data")), "ext4", {}},
        {tree.key(QStringLiteral("data")), "ext4", {}},
        {tree.key(QStringLiteral("gone")), "ext4", {}},
        {QStringLiteral("/run/"), "tmpfs", {}},
    };
    const QList<Entry> volumes =
        OpenLocations::volumeEntries(fs, mounts, tree.path(QStringLiteral("home")), QStringLiteral("Home"));
    EXPECT_EQ(textsOf(volumes), (QStringList{QStringLiteral("/"), tree.key(QStringLiteral("data")),
                                             tree.key(QStringLiteral("usb")) + QStringLiteral(" [STICK]"),
                                             tree.key(QStringLiteral("home")) + QStringLiteral(" [Home]")}));
    EXPECT_EQ(volumes.at(2).key, tree.key(QStringLiteral("usb")));
    EXPECT_EQ(volumes.last().kind, Kind::Home);
}

TEST(OpenLocations, DropDownShowsThePathBelowItsVolume)
{
    const QList<Entry> volumes = {{QStringLiteral("/"), QStringLiteral("/"), Kind::Volume, 1},
                                  {QStringLiteral("/mnt/d [D]"), QStringLiteral("/mnt/d/"), Kind::Volume, 1},
                                  {QStringLiteral("/srv/"), QStringLiteral("/srv/"), Kind::Volume, 1}};
    const QList<Entry> entries =
        OpenLocations::dropDownEntries(QStringLiteral("Computer"), volumes, QStringLiteral("/mnt/d/Photos/2004/"));
    ASSERT_EQ(entries.size(), 6);
    EXPECT_EQ(entries.at(0).key, OpenLocations::kComputerKey);
    EXPECT_EQ(entries.at(2).key, QStringLiteral("/mnt/d/"));
    EXPECT_EQ(entries.at(3).text, QStringLiteral("Photos"));
    EXPECT_EQ(entries.at(3).key, QStringLiteral("/mnt/d/Photos/"));
    EXPECT_EQ(entries.at(3).kind, Kind::Folder);
    EXPECT_EQ(entries.at(4).key, QStringLiteral("/mnt/d/Photos/2004/"));
    EXPECT_EQ(entries.at(4).kind, Kind::OpenFolder);
    EXPECT_EQ(entries.at(4).depth, entries.at(3).depth + 1);
    EXPECT_EQ(entries.at(5).key, QStringLiteral("/srv/"));

    EXPECT_EQ(OpenLocations::dropDownEntries(QStringLiteral("Computer"), volumes, QString()).size(), 4);
}

TEST(OpenLocations, ListsFoldersInNaturalOrderThenMatchingFiles)
{
    TestTree tree({QStringLiteral("F/b/"), QStringLiteral("F/a10/"), QStringLiteral("F/a9/"), QStringLiteral("F/B2/"),
                   QStringLiteral("F/Zebra/"), QStringLiteral("F/Ärger/"), QStringLiteral("F/arbeit/"),
                   QStringLiteral("F/x.jpg"), QStringLiteral("F/a.txt"), QStringLiteral("F/Notes")});
    PosixFileSystem fs;
    const QString folder = tree.key(QStringLiteral("F"));
    const QList<Entry> folders = OpenLocations::listEntries(fs, folder, {}, false, {});
    EXPECT_EQ(textsOf(folders), (QStringList{QStringLiteral("a9"), QStringLiteral("a10"), QStringLiteral("arbeit"),
                                             QStringLiteral("Ärger"), QStringLiteral("b"), QStringLiteral("B2"),
                                             QStringLiteral("Zebra")}));
    EXPECT_EQ(folders.at(0).key, tree.key(QStringLiteral("F/a9")));

    const QList<Entry> all = OpenLocations::listEntries(fs, folder, {}, true, {QStringLiteral("*.*")});
    EXPECT_EQ(textsOf(all.mid(7)),
              (QStringList{QStringLiteral("a.txt"), QStringLiteral("Notes"), QStringLiteral("x.jpg")}));
    EXPECT_EQ(all.at(7).kind, Kind::File);
    const QList<Entry> some =
        OpenLocations::listEntries(fs, folder, {}, true, {QStringLiteral("*.jpg"), QStringLiteral("N*")});
    EXPECT_EQ(textsOf(some.mid(7)), (QStringList{QStringLiteral("Notes"), QStringLiteral("x.jpg")}));
}

TEST(OpenLocations, ResolvesAndClimbsPaths)
{
    TestTree tree({QStringLiteral("here/")});
    PosixFileSystem fs;
    const QString here = tree.key(QStringLiteral("here"));
    EXPECT_EQ(OpenLocations::resolveFolder(fs, tree.path(QStringLiteral("here")), QString()), here);
    EXPECT_EQ(OpenLocations::resolveFolder(fs, tree.path(QStringLiteral("gone")), here), here);
    EXPECT_EQ(OpenLocations::resolveFolder(fs, tree.path(QStringLiteral("gone")), QString()), QString());
    EXPECT_EQ(OpenLocations::resolveFolder(fs, QString(), here), QString());

    EXPECT_EQ(OpenLocations::parentFolder(QStringLiteral("/a/b/")), QStringLiteral("/a/"));
    EXPECT_EQ(OpenLocations::parentFolder(QStringLiteral("/a/")), QStringLiteral("/"));
    EXPECT_EQ(OpenLocations::parentFolder(QStringLiteral("/")), QString());
    EXPECT_EQ(OpenLocations::parentFolder(QString()), QString());
}

TEST(MountTable, ParsesTheKernelTable)
{
    const QList<MountedVolume> mounts = MountTable::parseMounts(
        "/dev/vda / ext4 rw 0 0\nproc /proc proc rw 0 0\n/dev/sdb1 /media/My\\040Disk vfat rw 0 0\n\ngarbage\n");
    ASSERT_EQ(mounts.size(), 3);
    EXPECT_EQ(mounts.at(0).rootPath, QStringLiteral("/"));
    EXPECT_EQ(mounts.at(2).rootPath, QStringLiteral("/media/My Disk/"));
    EXPECT_EQ(mounts.at(2).type, QByteArray("vfat"));
    EXPECT_TRUE(MountTable::isPseudoFileSystem("proc"));
    EXPECT_FALSE(MountTable::isPseudoFileSystem("ext4"));
}

} // namespace
