#include "core/load/OpenLocations.h"
#include "core/platform/PosixFileSystem.h"
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
    QList<MountedVolume> mounts = {{tree.key("usb"), "vfat", "STICK"}, {"/proc/", "proc", {}}, {"/", "overlay", {}}};
    for (const char* folder : {"data", "data", "gone"})
        mounts.append({tree.key(QLatin1String(folder)), "ext4", {}});
    mounts.append({"/run/", "tmpfs", {}});
    const QList<Entry> volumes = OpenLocations::volumeEntries(fs, mounts, tree.path("home"), "Home");
    EXPECT_EQ(textsOf(volumes),
              QStringList({"/", tree.key("data"), tree.key("usb") + " [STICK]", tree.key("home") + " [Home]"}));
    EXPECT_EQ(volumes.at(2).key, tree.key("usb"));

    const QList<MountedVolume> parsed = MountTable::parseMounts(
        "/dev/vda / ext4 rw 0 0\nproc /proc proc rw 0 0\n/dev/sdb1 /media/My\\040Disk vfat rw 0 0\n\ngarbage\n");
    ASSERT_EQ(parsed.size(), 3);
    EXPECT_EQ(parsed.at(2).rootPath, QStringLiteral("/media/My Disk/"));
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
    // A link to a folder is shown and can be opened or taken like one; a link to a file is a file.
    ASSERT_TRUE(tree.link(tree.path("F/b"), "F/Music"));
    const QList<OpenLocations::Entry> entries = OpenLocations::listEntries(fs, folder, {}, false, {});
    ASSERT_EQ(textsOf(entries).mid(4, 3), QStringList({"b", "B2", "Music"}));
    EXPECT_EQ(entries.at(6).key, tree.key("F/Music"));
}

} // namespace
