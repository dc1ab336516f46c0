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
        texts.append(e.text + (e.kind == Kind::File ? QStringLiteral(" (file)") : QString()));
    return texts;
}

TEST(OpenLocations, OffersRealVolumesRootFirstWithLabels)
{
    TestTree tree({"usb/", "data/", "home/"});
    PosixFileSystem fs;
    const QList<MountedVolume> mounts = {
        {tree.key("usb"), "vfat", "STICK"},
        {"/proc/", "proc", {}},
        {"/", "overlay", {}},
        {tree.key("data"), "ext4", {}},
        {tree.key("data"), "ext4", {}},
        {tree.key("gone"), "ext4", {}},
        {"/run/", "tmpfs", {}},
    };
    const QList<Entry> volumes = OpenLocations::volumeEntries(fs, mounts, tree.path("home"), "Home");
    EXPECT_EQ(textsOf(volumes),
              QStringList({"/", tree.key("data"), tree.key("usb") + " [STICK]", tree.key("home") + " [Home]"}));
    EXPECT_EQ(volumes.at(2).key, tree.key("usb"));
    EXPECT_EQ(volumes.last().kind, Kind::Home);

    const QList<MountedVolume> parsed = MountTable::parseMounts(
        "/dev/vda / ext4 rw 0 0\nproc /proc proc rw 0 0\n/dev/sdb1 /media/My\\040Disk vfat rw 0 0\n\ngarbage\n");
    ASSERT_EQ(parsed.size(), 3);
    EXPECT_EQ(parsed.at(2).rootPath, QStringLiteral("/media/My Disk/"));
    EXPECT_EQ(parsed.at(2).type, QByteArray("vfat"));
    EXPECT_TRUE(MountTable::isPseudoFileSystem("proc"));
    EXPECT_FALSE(MountTable::isPseudoFileSystem("ext4"));
}

TEST(OpenLocations, DropDownShowsThePathBelowItsVolume)
{
    const QList<Entry> volumes = {
        {"/", "/", Kind::Volume, 1}, {"/mnt/d [D]", "/mnt/d/", Kind::Volume, 1}, {"/srv/", "/srv/", Kind::Volume, 1}};
    const QList<Entry> entries = OpenLocations::dropDownEntries("Computer", volumes, "/mnt/d/Photos/2004/");
    ASSERT_EQ(entries.size(), 6);
    EXPECT_EQ(entries.at(0).key, OpenLocations::kComputerKey);
    QStringList keys;
    for (const Entry& e : entries.mid(1))
        keys.append(e.key);
    EXPECT_EQ(keys, QStringList({"/", "/mnt/d/", "/mnt/d/Photos/", "/mnt/d/Photos/2004/", "/srv/"}));
    EXPECT_EQ(entries.at(3).text, QStringLiteral("Photos"));
    EXPECT_EQ(entries.at(3).kind, Kind::Folder);
    EXPECT_EQ(entries.at(4).kind, Kind::OpenFolder);
    EXPECT_EQ(entries.at(4).depth, entries.at(3).depth + 1);
    EXPECT_EQ(OpenLocations::dropDownEntries("Computer", volumes, QString()).size(), 4);
}

TEST(OpenLocations, ListsFoldersInNaturalOrderThenMatchingFiles)
{
    TestTree tree(
        {"F/b/", "F/a10/", "F/a9/", "F/B2/", "F/Zebra/", "F/Ärger/", "F/arbeit/", "F/x.jpg", "F/a.txt", "F/Notes"});
    PosixFileSystem fs;
    const QString folder = tree.key("F");
    const QStringList folders = {"a9", "a10", "arbeit", "Ärger", "b", "B2", "Zebra"};
    EXPECT_EQ(textsOf(OpenLocations::listEntries(fs, folder, {}, false, {})), folders);
    EXPECT_EQ(OpenLocations::listEntries(fs, folder, {}, false, {}).at(0).key, tree.key("F/a9"));
    EXPECT_EQ(textsOf(OpenLocations::listEntries(fs, folder, {}, true, {"*.*"})),
              folders + QStringList({"a.txt (file)", "Notes (file)", "x.jpg (file)"}));
    EXPECT_EQ(textsOf(OpenLocations::listEntries(fs, folder, {}, true, {"*.jpg", "N*"})).mid(7),
              QStringList({"Notes (file)", "x.jpg (file)"}));
}

TEST(OpenLocations, ResolvesAndClimbsPaths)
{
    TestTree tree({"here/"});
    PosixFileSystem fs;
    const QString here = tree.key("here");
    EXPECT_EQ(OpenLocations::resolveFolder(fs, tree.path("here"), QString()), here);
    EXPECT_EQ(OpenLocations::resolveFolder(fs, tree.path("gone"), here), here);
    EXPECT_EQ(OpenLocations::resolveFolder(fs, tree.path("gone"), QString()), QString());
    EXPECT_EQ(OpenLocations::resolveFolder(fs, QString(), here), QString());
    EXPECT_EQ(OpenLocations::parentFolder("/a/b/"), QStringLiteral("/a/"));
    EXPECT_EQ(OpenLocations::parentFolder("/a/"), QStringLiteral("/"));
    EXPECT_EQ(OpenLocations::parentFolder("/"), QString());
}

} // namespace
