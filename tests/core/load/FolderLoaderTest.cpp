#include "core/load/FolderLoader.h"
#include "core/commit/DirectoryNames.h"
#include "core/platform/FileNames.h"
#include "core/platform/PosixFileSystem.h"
#include "core/preview/PreviewList.h"
#include "core/settings/SettingsStore.h"
#include "support/FaultInjectingFileSystem.h"
#include "support/PreviewFixture.h"
#include "support/TestApp.h"
#include "support/TestTree.h"

#include <QFile>
#include <QHash>
#include <QLocale>
#include <QUrl>
#include <gtest/gtest.h>
#include <stdexcept>

#include <sys/stat.h>
#include <unistd.h>

namespace {

using Op = FaultInjectingFileSystem::Op;

// Folder entries "F0/" … for a tree.
QStringList manyFolders(const QString& prefix, int count)
{
    QStringList entries;
    for (int i = 0; i < count; ++i)
        entries.append(prefix + QStringLiteral("F%1/").arg(i));
    return entries;
}

// A loader on a test app whose file system counts calls and can be made to fail, with every hook recorded.
class LoaderTest : public ::testing::Test
{
protected:
    LoaderTest()
    {
        auto faulty = std::make_unique<FaultInjectingFileSystem>();
        fs = faulty.get();
        app.state().services.fileSystem = std::move(faulty);
        loader.onStatusText = [this](const QString& text) { statusTexts.append(text); };
        loader.onLoadingChanged = [this](bool on) { events.append(on ? "loading on" : "loading off"); };
        loader.onRefresh = [this] {
            events.append("refresh");
            loader.resetLoadedCount();
        };
        loader.onProcessEvents = [this] {
            if (++eventPasses == cancelOnPass)
                loader.requestCancel();
        };
    }

    QStringList keys() const { return Keys(list); }
    qint64 sizeOf(const QString& key) const { return list.entry(list.rowOfKey(key)).size; }

    // The keys AddSubfolders must produce: depth first, each folder before its subfolders, in the order the
    // file system lists them, never through a link.
    QStringList expectedWalk(const QString& folder) const
    {
        QStringList result;
        for (const SubfolderInfo& s : fs->scanFolder(folder).subfolders) {
            result.append(s.pathIn(folder) + QLatin1Char('/'));
            if (!s.isLink)
                result += expectedWalk(s.pathIn(folder));
        }
        return result;
    }

    TestApp app;
    FaultInjectingFileSystem* fs = nullptr;
    PreviewList list;
    FolderLoader loader{app.state(), list};
    QStringList statusTexts;
    QStringList events;
    int eventPasses = 0;
    int cancelOnPass = 0;
};

TEST_F(LoaderTest, AddFolderListsEachFolderOnceAndNothingForWhatIsNoFolder)
{
    TestTree tree({"Data/a.txt=5", "Data/Sub/", "Target/f=300"});
    ASSERT_TRUE(tree.link(tree.path("gone"), "dangling"));
    ASSERT_TRUE(tree.link(tree.path("Target"), "Music"));
    for (const QString& path :
         {QStringLiteral("/"), QStringLiteral("//"), QString(), tree.path("missing"), tree.path("missing/a.txt"),
          tree.path("dangling"), tree.path("Data") + QChar(0) + QStringLiteral("x"),
          QStringLiteral("http://example.org/Data")})
        loader.AddFolder(path);
    EXPECT_TRUE(list.isEmpty()) << keys().join(QLatin1Char(' ')).toStdString();
    EXPECT_EQ(loader.loadedCount(), 0);

    loader.AddFolder(tree.path("Data/a.txt")); // a file stands for its folder
    for (const QString& path : {tree.path("Data"), tree.key("Data"), tree.path("Data/Sub/..")})
        loader.AddFolder(path);
    loader.AddFolder(tree.path("Music"));
    EXPECT_EQ(keys(), QStringList({tree.key("Data"), tree.key("Music")}));
    EXPECT_EQ(list.entry(1).oldName, QStringLiteral("Music")) << "a link is listed as itself";
    EXPECT_EQ(list.entry(1).size, 0);
}

TEST_F(LoaderTest, RowHoldsNamesTimesSizeAndAsManyHistoryLevelsAsTheListHas)
{
    TestTree tree({"Data/a=1000", "Data/Sub/b=234", "Big=99999"});
    ASSERT_TRUE(tree.link(tree.path("Big"), "Data/toBig"));
    const QDateTime modified(QDate(2003, 4, 5), QTime(6, 7, 8));
    for (const char* folder : {"Data", "Data/Sub"})
        ASSERT_TRUE(fs->setFolderTime(tree.path(folder), FolderTimeKind::LastWrite, modified).ok());
    // An unreadable creation time falls back alone; a walk learns the times while reading the parent.
    fs->fail(Op::BirthTime, tree.path("Data"), FsResult::Kind::Other, true);
    FolderEntry first;
    first.parentPath = QStringLiteral("/elsewhere/");
    first.oldName = QStringLiteral("x");
    for (int level = 0; level <= 3; ++level)
        first.history.set(level, QStringLiteral("x%1").arg(level));
    ASSERT_TRUE(list.append(first));

    loader.AddFolder(tree.path("Data"));
    loader.AddSubfolders(tree.path("Data"));
    ASSERT_EQ(list.size(), 3) << "a link to a file is no folder";
    const FolderEntry& e = list.entry(1);
    EXPECT_EQ(QStringList({e.key(), e.parentPath, e.oldName, e.newName}),
              QStringList({tree.key("Data"), tree.key(""), "Data", "Data"}));
    QLocale locale;
    locale.setNumberOptions(locale.numberOptions() & ~QLocale::OmitGroupSeparator);
    EXPECT_EQ(e.size, 1234) << "files in subfolders count, linked files do not";
    EXPECT_EQ(list.data(list.index(1, FolderEntry::ColSize)).toString(), locale.toString(1234));
    for (int level = 0; level < FolderEntry::kHistoryLevels; ++level)
        EXPECT_EQ(e.history.at(level), level <= 3 ? QStringLiteral("Data") : QString()) << "level " << level;
    for (int row : {1, 2}) {
        EXPECT_EQ(list.data(list.index(row, FolderEntry::ColCreated)).toString(),
                  QStringLiteral("1980-01-01 00:00:00"));
        EXPECT_EQ(list.data(list.index(row, FolderEntry::ColModified)).toString(),
                  QStringLiteral("2003-04-05 06:07:08"));
    }
}

// Loads 250 folders through lstOpen. The hundredth call serves the event queue before it adds its row: the
// rows before are shown, and a cancel pressed then stops the load before that row.
TEST_F(LoaderTest, PendingFoldersCountInTheStatusUntilCancelled)
{
    TestTree tree(manyFolders(QString(), 250));
    for (const int cancelPass : {1, 0}) { // a cancelled run leaves no count behind
        SCOPED_TRACE(cancelPass);
        list.clear();
        statusTexts.clear();
        events.clear();
        eventPasses = 0;
        cancelOnPass = cancelPass;
        loader.resetLoadedCount();
        for (const QString& name : tree.folders())
            loader.lstOpen.append(tree.path(name));
        loader.LoadPendingFolders();
        EXPECT_EQ(statusTexts.first(), QStringLiteral("99 ") + app.state().statusText(2));
        EXPECT_EQ(events, QStringList({"loading on", "refresh", "loading off"}));
        EXPECT_TRUE(loader.lstOpen.isEmpty());
        EXPECT_FALSE(loader.cancelRequested());
        EXPECT_EQ(list.size(), cancelPass ? 99 : 250);
        EXPECT_EQ(statusTexts.contains(QStringLiteral("250 ") + app.state().statusText(2)), !cancelPass);
    }
}

// A pass over the event queue every hundred folders, or, with an interval, at most once per interval: the
// first pass of each action still comes at the hundredth folder.
TEST_F(LoaderTest, EventPassesKeepTheirInterval)
{
    TestTree tree(manyFolders(QString(), 350));
    for (const int interval : {0, 60000}) {
        SCOPED_TRACE(interval);
        for (int action = 0; action < 2; ++action) {
            list.clear();
            eventPasses = 0;
            loader.serveIntervalMs = interval;
            for (const QString& name : tree.folders())
                loader.lstOpen.append(tree.path(name));
            loader.LoadPendingFolders();
            if (interval == 0)
                EXPECT_GE(eventPasses, 3); // the size walk asks too
            else
                EXPECT_EQ(eventPasses, 1);
            EXPECT_EQ(list.size(), 350);
        }
    }
}

// With sizes the walk reads through the loader's cache; without, helper threads read ahead of it. Both
// give the same rows in the same order.
TEST_F(LoaderTest, SubfoldersComeDepthFirstNeverThroughLinksNorUnreadableFolders)
{
    TestTree tree({"Top/A/A1/A11/", "Top/A/A2/", "Top/B/g=7", "Top/C/c=3", "Top/Locked/inner/", "Top/Locked/f=50",
                   "Elsewhere/deep/"});
    ASSERT_TRUE(tree.link(tree.path("Elsewhere"), "Top/Link"));
    ASSERT_TRUE(tree.link(tree.path("Top"), "Top/A/back")); // a loop
    for (int i = 0; i < 60; ++i)
        tree.add(QStringLiteral("Top/C/M%1/N/").arg(i, 2, 10, QLatin1Char('0')));
    fs->fail(Op::ScanFolder, tree.path("Top/Locked"));
    for (const bool sizes : {true, false}) {
        SCOPED_TRACE(sizes ? "with sizes" : "without sizes");
        list.clear();
        loader.measureSizes = sizes;
        loader.AddFolder(tree.path("Top"));
        loader.AddSubfolders(tree.path("Top"));
        EXPECT_EQ(keys().mid(1), expectedWalk(tree.path("Top")));
        EXPECT_EQ(list.size(), 130) << "Top, A, A1, A11, A2, back, B, C, 60 × (M, N), Locked, Link";
        EXPECT_EQ(sizeOf(tree.key("Top")), sizes ? 10 : 0);
        EXPECT_EQ(sizeOf(tree.key("Top/A/back")), 0);
    }
}

TEST_F(LoaderTest, DroppedFoldersGiveTheirSubfolders)
{
    TestTree tree({"One/Sub/", "Empty/file=3", "Two/X/Y/"});
    loader.DropFolders({tree.path("One"), tree.path("Empty"), tree.path("missing"), tree.path("Two")});
    EXPECT_EQ(keys(), QStringList({tree.key("One/Sub"), tree.key("Two/X"), tree.key("Two/X/Y")}));
    EXPECT_EQ(events, QStringList({"loading on", "refresh", "loading off"}));
    // Dropped URLs keep the bytes of names that are no UTF-8.
    const QStringList paths = FolderLoader::localPathsFromUrls({QUrl::fromEncoded("file:///tmp/caf%E9"),
                                                                QUrl::fromLocalFile(QStringLiteral("/a b/c")),
                                                                QUrl(QStringLiteral("https://example.org/x"))});
    ASSERT_EQ(paths.size(), 2);
    EXPECT_EQ(FileNames::encode(paths.at(0)), QByteArray("/tmp/caf\xE9", 9));
    EXPECT_EQ(paths.at(1), QStringLiteral("/a b/c"));
}

TEST_F(LoaderTest, DroppedFoldersSkipKernelFileSystemsAndLeadThroughADroppedLink)
{
    TestTree tree({"Top/proc/1/", "Top/home/a/", "Other/b/"});
    ASSERT_TRUE(tree.link(tree.path("Other"), "Top/other"));
    loader.mountPoints = [&] {
        MountPoints mounts;
        mounts.kernel = {tree.key("Top/proc")};
        return mounts;
    };
    loader.DropFolders({tree.path("Top"), tree.path("Top/other")});
    // The link inside the dropped tree is listed, not walked; the dropped link is walked where it leads.
    QStringList found = keys();
    found.sort();
    EXPECT_EQ(found,
              QStringList({tree.key("Other/b"), tree.key("Top/home"), tree.key("Top/home/a"), tree.key("Top/other")}))
        << found.join(' ').toStdString();
}

// Playlists, Windows-1252 text and raw bytes find their folders; a path cut at a NUL must not name its prefix.
TEST_F(LoaderTest, ListFilesLoadTheFoldersTheyName)
{
    TestTree tree({"Music/A/", "Music/B/song.mp3=4", "Music/C/", QString::fromUtf8("Caf\xC3\xA9/"), "Lists/"});
    const QByteArray root = FileNames::encode(tree.root());
    const QByteArray raw = root + QByteArray("/Na\xEFve", 6);
    ASSERT_EQ(mkdir(raw.constData(), 0755), 0);
    tree.write("Lists/a.M3U", "#EXTM3U\r\n#EXTINF:12,x\r\n" + root + "/Music/A\r\n../Music/B/song.mp3\r\n" +
                                  "http://example.org/stream\r\n\r\n" + root + "/nowhere\r\n");
    tree.write("Lists/b.pls", "[playlist]\nfile1=" + root + "/Music/C\nTitle1=" + root + "/Music/A\n");
    tree.write("Lists/c.txt",
               root + "/Music" + QByteArray(1, '\0') + "/A\n" + root + QByteArray("/Caf\xE9\n", 6) + raw + "\n");
    // One that cannot be read adds nothing and tells why.
    tree.write("Lists/d.txt", root + "/Caf\xC3\xA9\n");
    fs->fail(Op::Read, tree.path("Lists/d.txt"), FsResult::Kind::Access);
    const std::pair<const char*, FsResult::Kind> files[] = {{"a.M3U", FsResult::Kind::Ok},
                                                            {"b.pls", FsResult::Kind::Ok},
                                                            {"d.txt", FsResult::Kind::Access},
                                                            {"c.txt", FsResult::Kind::Ok},
                                                            {"missing.m3u", FsResult::Kind::NotFound}};
    for (const auto& [file, kind] : files)
        EXPECT_EQ(loader.ReadListFile(tree.path(QStringLiteral("Lists/") + QLatin1String(file))).kind, kind) << file;
    rmdir(raw.constData()); // a name that is no text defeats the temporary folder's own clean-up
    ASSERT_EQ(list.size(), 5);
    EXPECT_EQ(keys().mid(0, 3), QStringList({tree.key("Music/A"), tree.key("Music/B"), tree.key("Music/C")}));
    EXPECT_EQ(list.entry(3).oldName, QString::fromUtf8("Caf\xC3\xA9"));
    EXPECT_EQ(FileNames::encode(list.entry(4).key()), raw + '/');
}

// Listed paths name folders through links and dot names: each real folder comes once, under its real path,
// however its parents were spelled.
TEST_F(LoaderTest, ListedFoldersGoByTheirRealPathsWhateverTheirParentsAreCalled)
{
    TestTree tree({"Top/A/B/", "Top/A/C/", "Elsewhere/x/y/", "Lists/"});
    ASSERT_TRUE(tree.link(tree.path("Elsewhere"), "Top/Link"));
    ASSERT_TRUE(tree.link(QStringLiteral("A"), "Top/Near")); // relative to its own folder
    const QByteArray root = FileNames::encode(tree.root());
    QByteArray lines;
    for (const char* path : {"/Top/Link/x/y", "/Top/A/./B", "/Top/A/../A/B", "/Top/Near/C", "/Top/A//C", "/Top/A/B",
                             "/Elsewhere/x", "/Top/Link/x", "/Top/Link/gone/z"})
        lines += root + path + '\n';
    tree.write("Lists/l.txt", lines);
    EXPECT_TRUE(loader.ReadListFile(tree.path(QStringLiteral("Lists/l.txt"))).ok());
    EXPECT_EQ(keys(), QStringList({tree.key("Elsewhere/x/y"), tree.key("Top/A/B"), tree.key("Top/A/C"),
                                   tree.key("Elsewhere/x")}));

    // A folder right below the root, named with a doubled first separator, goes by its one real path
    // (or not at all, where it is a mount of its own).
    const QString top = tree.root().section(QLatin1Char('/'), 1, 1);
    tree.write("Lists/top.txt", "//" + FileNames::encode(top) + '\n');
    loader.measureSizes = false; // not the whole of that folder
    EXPECT_TRUE(loader.ReadListFile(tree.path(QStringLiteral("Lists/top.txt"))).ok());
    const QString real = QLatin1Char('/') + top;
    const bool ownMount = PosixFileSystem().pathInfo(real).isRoot;
    EXPECT_EQ(keys().contains(real + QLatin1Char('/')), !ownMount);
    for (const QString& key : keys())
        EXPECT_FALSE(key.startsWith(QStringLiteral("//"))) << key.toStdString();
}

// A long list is looked at in chunks on two threads: rows come in the list's order all the same, each
// folder once, a file as its folder, missing paths counted, sizes whole although the folders were read
// ahead, and a cancel stops at once.
TEST_F(LoaderTest, LongListsKeepTheirOrderWhileLookedAtInChunks)
{
    TestTree tree(manyFolders(QStringLiteral("F/"), 5000));
    tree.add("F/F7/file.txt=1");
    tree.add("F/F7/deep/g.txt=5");    // not listed: walked for F7's size
    tree.add("F/F4500/h.txt=20");     // in the first chunk
    tree.add("F/F100/inner/i.txt=7"); // in the second
    QByteArray text;
    QStringList expected;
    for (int i = 4999; i >= 0; --i) {
        const QString folder = QStringLiteral("F/F%1").arg(i);
        text += FileNames::encode(tree.path(folder)) + '\n';
        expected.append(tree.key(folder));
        if (i % 1000 == 0)
            text += FileNames::encode(tree.path(QStringLiteral("F/gone%1").arg(i))) + '\n';
        if (i == 2500) // named again at once, another way: in the same batch
            text += FileNames::encode(tree.path(QStringLiteral("F/./F%1").arg(i))) + '\n';
    }
    text += FileNames::encode(tree.path("F/F7/file.txt")) + "\n" + FileNames::encode(tree.path("F/F3")) + "\n";
    tree.write("list.txt", text);
    for (const int cancelPass : {0, 3}) {
        SCOPED_TRACE(cancelPass);
        list.clear();
        eventPasses = 0;
        cancelOnPass = cancelPass;
        EXPECT_TRUE(loader.ReadListFile(tree.path("list.txt")).ok());
        if (cancelPass) {
            EXPECT_EQ(keys(), expected.mid(0, list.size()));
            EXPECT_LT(list.size(), 400);
            continue;
        }
        EXPECT_EQ(keys(), expected);
        for (int row = 0; row < list.size(); ++row) {
            const FolderEntry& e = list.entry(row);
            const qint64 size = e.oldName == u"F7" ? 6 : e.oldName == u"F4500" ? 20 : e.oldName == u"F100" ? 7 : 0;
            ASSERT_EQ(e.size, size) << e.oldName.toStdString();
        }
        EXPECT_EQ(loader.lastReport().missing, 5);
        EXPECT_EQ(loader.lastReport().alreadyListed, 3);
        EXPECT_EQ(loader.lastReport().added, expected.size());
    }
}

// A run that learns no times finds listed folders in one listing of their parent, read for all of them and
// kept for the take's check: the rows are the ones a look at each folder gives, across chunks, with files,
// links, missing paths and names given twice.
TEST_F(LoaderTest, FoldersFoundInTheirParentsListingsAreTheOnesALookAtEachFinds)
{
    TestTree tree(manyFolders(QStringLiteral("F/"), 4200)); // more than a chunk
    for (int i = 0; i < 300; ++i)
        tree.add(QStringLiteral("N/F%1/G/").arg(i));
    tree.add("P/a/");
    tree.add("P/file.txt=1");
    ASSERT_TRUE(tree.link(tree.path("P/a"), "P/link"));
    QByteArray text;
    for (int i = 4199; i >= 0; --i)
        text += FileNames::encode(tree.path(QStringLiteral("F/F%1").arg(i))) + '\n';
    for (int i = 0; i < 300; ++i) { // a parent and its child fall in different chunks
        text += FileNames::encode(tree.path(QStringLiteral("N/F%1/G").arg(i))) + '\n';
        text += FileNames::encode(tree.path(QStringLiteral("N/F%1").arg(i))) + '\n';
    }
    for (const char* path : {"P/a", "P/./a", "P/link", "P/file.txt", "P/gone", "F/F7"})
        text += FileNames::encode(tree.path(QLatin1String(path))) + '\n';
    tree.write("list.txt", text);

    loader.measureSizes = false;
    ASSERT_TRUE(loader.ReadListFile(tree.path("list.txt")).ok());
    const QStringList lookedAt = keys();
    const FolderLoader::Report report = loader.lastReport();
    ASSERT_EQ(lookedAt.size(), 4200 + 600 + 3); // the file stands for P
    EXPECT_NE(list.entry(0).modified, PathInfo::kUnknownTime);

    DirectoryNames listings;
    loader.parentListings = &listings;
    list.clear();
    ASSERT_TRUE(loader.ReadListFile(tree.path("list.txt")).ok());
    EXPECT_EQ(keys(), lookedAt);
    EXPECT_EQ(loader.lastReport().added, report.added);
    EXPECT_EQ(loader.lastReport().missing, report.missing);
    EXPECT_EQ(loader.lastReport().alreadyListed, report.alreadyListed);
    EXPECT_EQ(list.entry(0).modified, PathInfo::kUnknownTime) << "learnt from the listing, which tells no times";
    for (const char* parent : {"F", "N", "N/F3", "P"})
        EXPECT_NE(listings.kept(tree.key(QLatin1String(parent))), nullptr) << parent;
}

// A parent's listing is read once for the whole list, even when it counts as changed since (a list file
// written into it in the same second); a read that throws reaches the caller from any chunk, with no
// thread left waiting for it.
TEST_F(LoaderTest, AParentIsReadOnceAndAReadThatThrowsReachesTheCaller)
{
    struct CountingFileSystem : PosixFileSystem
    {
        bool readEntryNames(const QString& folder, const std::function<void(const QString&, EntryKind)>& take,
                            qint64* modified) const override
        {
            if (!bad.isEmpty() && folder.endsWith(bad))
                throw std::runtime_error("no memory");
            ++reads[folder];
            return PosixFileSystem::readEntryNames(folder, take, modified);
        }
        QString bad;
        mutable QHash<QString, int> reads;
    };
    TestTree tree(manyFolders(QStringLiteral("F/"), 9000));
    tree.add("G/x/");
    tree.add("H/y/");
    QByteArray text = FileNames::encode(tree.path("H/y")) + '\n'; // first chunk
    for (int i = 0; i < 9000; ++i) {
        text += FileNames::encode(tree.path(QStringLiteral("F/F%1").arg(i))) + '\n';
        if (i == 4500) // second chunk
            text += FileNames::encode(tree.path("G/x")) + '\n';
    }
    tree.write("F/list.txt", text); // F changes now, as the load starts
    loader.measureSizes = false;
    for (const char* bad : {"", "/H/", "/G/"}) {
        SCOPED_TRACE(bad);
        auto counting = std::make_unique<CountingFileSystem>();
        counting->bad = QLatin1String(bad);
        const CountingFileSystem* fs = counting.get();
        app.state().services.fileSystem = std::move(counting);
        DirectoryNames listings;
        loader.parentListings = &listings;
        list.clear();
        if (*bad) {
            EXPECT_THROW(loader.ReadListFile(tree.path("F/list.txt")), std::runtime_error);
            continue;
        }
        ASSERT_TRUE(loader.ReadListFile(tree.path("F/list.txt")).ok());
        EXPECT_EQ(list.size(), 9002);
        EXPECT_EQ(fs->reads.value(tree.key("F")), 1);
    }
}

// The folder that holds a mount lists the mounted folder as any folder: its folders are looked at one by
// one, so that a mount root is still left out.
TEST_F(LoaderTest, FoldersBesideAMountAreLookedAtOneByOne)
{
    struct MountingFileSystem : PosixFileSystem
    {
        using PosixFileSystem::pathInfo;
        PathInfo pathInfo(const QString& path, FolderCursor* cursor) const override
        {
            PathInfo info = PosixFileSystem::pathInfo(path, cursor);
            info.isRoot = info.isRoot || path == mountRoot;
            return info;
        }
        QString mountRoot;
    };
    TestTree tree({"M/mnt/", "M/plain/"});
    auto mounting = std::make_unique<MountingFileSystem>();
    mounting->mountRoot = tree.path("M/mnt");
    app.state().services.fileSystem = std::move(mounting);
    loader.mountPoints = [&tree] { return MountPoints::fromMounts({{tree.key("M/mnt"), "ext4", QString()}}); };
    tree.write("list.txt", FileNames::encode(tree.path("M/mnt")) + '\n' + FileNames::encode(tree.path("M/plain")));
    DirectoryNames listings;
    loader.parentListings = &listings;
    loader.measureSizes = false;
    ASSERT_TRUE(loader.ReadListFile(tree.path("list.txt")).ok());
    EXPECT_EQ(keys(), QStringList({tree.key("M/plain")}));
}

// A look that throws (memory running out, say) reaches the caller from either core, in any chunk, instead
// of ending the program with a thread still running.
TEST_F(LoaderTest, ALookThatThrowsInALongListReachesTheCaller)
{
    struct ThrowingFileSystem : PosixFileSystem
    {
        using PosixFileSystem::pathInfo;
        PathInfo pathInfo(const QString& path, FolderCursor* cursor) const override
        {
            if (path.endsWith(bad))
                throw std::runtime_error("no memory");
            return PosixFileSystem::pathInfo(path, cursor);
        }
        QString bad;
    };
    TestTree tree(manyFolders(QStringLiteral("F/"), 9000));
    QByteArray text;
    for (int i = 0; i < 9000; ++i)
        text += FileNames::encode(tree.path(QStringLiteral("F/F%1").arg(i))) + '\n';
    tree.write("list.txt", text);
    for (const int bad : {10, 4500, 8999}) {
        SCOPED_TRACE(bad);
        auto throwing = std::make_unique<ThrowingFileSystem>();
        throwing->bad = QStringLiteral("/F%1").arg(bad);
        app.state().services.fileSystem = std::move(throwing);
        list.clear();
        EXPECT_THROW(loader.ReadListFile(tree.path("list.txt")), std::runtime_error);
    }
}

TEST_F(LoaderTest, OpenFromListFileReadsEveryChosenListAndRemembersTheFolder)
{
    TestTree tree({"A/", "B/", "Lists/"});
    tree.write("Lists/one.txt", FileNames::encode(tree.path("A")) + "\n");
    tree.write("Lists/two.m3u", "#EXTM3U\n" + FileNames::encode(tree.path("B")) + "\n");
    const auto lastPath = [&] { return app.state().settings.text(Settings::Key::LastPath); };

    loader.OpenFromListFile({tree.path("Lists/one.txt"), tree.path("Lists/two.m3u")});
    EXPECT_EQ(keys(), QStringList({tree.key("A"), tree.key("B")}));
    EXPECT_EQ(lastPath(), tree.key("Lists"));
    EXPECT_EQ(events, QStringList({"loading on", "refresh", "loading off"}));
    loader.OpenFromListFile({});
    EXPECT_EQ(events.size(), 3) << "cancelling the picker does nothing";
    EXPECT_EQ(FolderLoader::listFileFilter(), "*.*|*.*|m3u Playlist|*.m3u|pls Playlist|*.pls");
}

} // namespace
