#include "load/FolderLoader.h"
#include "app/PreviewList.h"
#include "platform/FileNames.h"
#include "platform/PosixFileSystem.h"
#include "settings/SettingsStore.h"
#include "support/FaultInjectingFileSystem.h"
#include "support/TestApp.h"
#include "support/TestTree.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QRegularExpression>
#include <QUrl>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

using Op = FaultInjectingFileSystem::Op;

bool makeLink(const QString& target, const QString& link)
{
    return symlink(FileNames::encode(target).constData(), FileNames::encode(link).constData()) == 0;
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
}

QString grouped(qint64 n)
{
    QLocale locale;
    locale.setNumberOptions(locale.numberOptions() & ~QLocale::OmitGroupSeparator);
    return locale.toString(n);
}

// A loader on a test app whose file system counts calls and can be made to fail, with every hook
// recorded.
class LoaderTest : public ::testing::Test
{
protected:
    LoaderTest()
    {
        auto faulty = std::make_unique<FaultInjectingFileSystem>(std::make_unique<PosixFileSystem>());
        fs = faulty.get();
        app.state().fileSystem = std::move(faulty);
        loader.onStatusText = [this](const QString& text) { statusTexts.append(text); };
        loader.onCancelEnabled = [this](bool on) { events.append(on ? "cancel on" : "cancel off"); };
        loader.onRefresh = [this] {
            events.append("refresh");
            loader.resetLoadedCount();
        };
        loader.onProcessEvents = [this] {
            ++eventPasses;
            if (cancelOnPass > 0 && eventPasses == cancelOnPass)
                app.state().cancelRequested = true;
        };
    }

    QStringList keys() const
    {
        QStringList result;
        for (const FolderEntry& e : list.entries())
            result.append(e.key);
        return result;
    }

    // The keys AddSubfolders must produce: depth first, each folder before its subfolders, in the order
    // the file system lists them.
    QStringList expectedWalk(const QString& folder) const
    {
        QStringList result;
        for (const SubfolderInfo& s : fs->inner().scanFolder(folder).subfolders) {
            result.append(s.path + QLatin1Char('/'));
            if (!s.isLink)
                result += expectedWalk(s.path);
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

TEST_F(LoaderTest, AFolderIsListedOnceHoweverItIsWrittenAndAFileStandsForItsFolder)
{
    TestTree tree({"Data/a.txt=5", "Data/Sub/"});
    loader.AddFolder(tree.path("Data/a.txt"));
    EXPECT_EQ(keys(), QStringList{tree.key("Data")});
    loader.AddFolder(tree.path("Data"));
    loader.AddFolder(tree.key("Data"));
    loader.AddFolder(tree.path("Data/Sub/.."));
    EXPECT_EQ(keys(), QStringList{tree.key("Data")});
}

TEST_F(LoaderTest, PathsThatNameNoFolderAddNothing)
{
    TestTree tree({"Data/"});
    ASSERT_TRUE(makeLink(tree.path("gone"), tree.path("dangling")));
    const QStringList paths = {QStringLiteral("/"),
                               QStringLiteral("//"),
                               QString(),
                               tree.path("missing"),
                               tree.path("missing/a.txt"),
                               tree.path("dangling"),
                               tree.path("Data") + QChar(0) + QStringLiteral("x"),
                               QStringLiteral("http://example.org/Data")};
    for (const QString& path : paths)
        loader.AddFolder(path);
    EXPECT_TRUE(list.isEmpty()) << keys().join(QLatin1Char(' ')).toStdString();
    EXPECT_EQ(loader.loadedCount(), 0);
}

TEST_F(LoaderTest, RowHoldsNamesTimesSizeAndTag)
{
    TestTree tree({"Data/a=1000", "Data/Sub/b=234", "Big=99999"});
    ASSERT_TRUE(makeLink(tree.path("Big"), tree.path("Data/toBig")));
    const QDateTime modified(QDate(2003, 4, 5), QTime(6, 7, 8));
    ASSERT_TRUE(fs->setFolderTime(tree.path("Data"), FolderTimeKind::LastWrite, modified));

    loader.AddFolder(tree.path("Data"));
    ASSERT_EQ(list.size(), 1);
    const FolderEntry& e = list.entry(0);
    EXPECT_EQ(e.key, tree.key("Data"));
    EXPECT_EQ(e.parentPath(), tree.root() + QLatin1Char('/'));
    EXPECT_EQ(e.oldName(), QStringLiteral("Data"));
    EXPECT_EQ(e.newName(), QStringLiteral("Data"));
    EXPECT_EQ(e.col[FolderEntry::ColModified], QStringLiteral("2003-04-05 06:07:08"));
    const QRegularExpression timePattern(QStringLiteral("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d$"));
    EXPECT_TRUE(timePattern.match(e.col[FolderEntry::ColCreated]).hasMatch()) << e.col[3].toStdString();
    EXPECT_EQ(e.col[FolderEntry::ColSize], grouped(1234)) << "files in subfolders count, linked files do not";
    EXPECT_EQ(e.sizeTag, QStringLiteral("000000001234"));
    EXPECT_EQ(e.history(0), QStringLiteral("Data"));
    EXPECT_TRUE(e.history(1).isEmpty());
}

TEST_F(LoaderTest, UnreadableCreationTimeFallsBackAloneAndTheModifiedTimeStays)
{
    TestTree tree({"Data/Sub/"});
    const QDateTime modified(QDate(2011, 11, 11), QTime(11, 11, 11));
    ASSERT_TRUE(fs->setFolderTime(tree.path("Data/Sub"), FolderTimeKind::LastWrite, modified));
    ASSERT_TRUE(fs->setFolderTime(tree.path("Data"), FolderTimeKind::LastWrite, modified));
    fs->fail(Op::BirthTime, tree.path("Data"), FsResult::Kind::Other, true);
    loader.AddFolder(tree.path("Data"));
    loader.AddSubfolders(tree.path("Data")); // a walk learns the times while reading the parent
    ASSERT_EQ(list.size(), 2);
    for (const FolderEntry& e : list.entries()) {
        EXPECT_EQ(e.col[FolderEntry::ColCreated], QStringLiteral("1980-01-01 00:00:00"));
        EXPECT_EQ(e.col[FolderEntry::ColModified], QStringLiteral("2011-11-11 11:11:11"));
    }
}

TEST_F(LoaderTest, NewRowsGetAsManyHistoryLevelsAsTheListHas)
{
    TestTree tree({"Data/"});
    FolderEntry first;
    first.key = QStringLiteral("/elsewhere/x/");
    for (int level = 0; level <= 3; ++level)
        first.history(level) = QStringLiteral("x%1").arg(level);
    ASSERT_TRUE(list.append(first));

    loader.AddFolder(tree.path("Data"));
    ASSERT_EQ(list.size(), 2);
    const FolderEntry& e = list.entry(1);
    for (int level = 0; level < FolderEntry::kHistoryLevels; ++level)
        EXPECT_EQ(e.history(level), level <= 3 ? QStringLiteral("Data") : QString()) << "level " << level;
}

TEST_F(LoaderTest, CountsLoadedFoldersInTheStatusAndServesEventsEveryHundredCalls)
{
    QStringList entries;
    for (int i = 0; i < 250; ++i)
        entries.append(QStringLiteral("F%1/").arg(i));
    TestTree tree(entries);
    for (const QString& name : tree.folders())
        loader.lstOpen.append(tree.path(name));
    loader.LoadPendingFolders();

    ASSERT_FALSE(app.state().statusText(2).isEmpty());
    const QString expected = QStringLiteral("250 ") + app.state().statusText(2);
    EXPECT_EQ(list.size(), 250);
    EXPECT_TRUE(statusTexts.contains(expected)) << statusTexts.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(statusTexts.first(), QStringLiteral("99 ") + app.state().statusText(2))
        << "the hundredth call serves the queue before it adds its row; the rows before are shown";
    EXPECT_EQ(eventPasses, 2);
    EXPECT_EQ(events, QStringList({"cancel on", "refresh", "cancel off"}));
    EXPECT_TRUE(loader.lstOpen.isEmpty());
}

TEST_F(LoaderTest, CancelStopsPendingFoldersAndIsCleared)
{
    QStringList entries;
    for (int i = 0; i < 150; ++i)
        entries.append(QStringLiteral("F%1/").arg(i));
    TestTree tree(entries);
    for (const QString& name : tree.folders())
        loader.lstOpen.append(tree.path(name));
    cancelOnPass = 1;
    loader.LoadPendingFolders();
    // Cancel is pressed while the hundredth call serves the queue; that call's folder is not added.
    EXPECT_EQ(list.size(), 99);
    EXPECT_FALSE(app.state().cancelRequested);
    EXPECT_TRUE(loader.lstOpen.isEmpty());
    EXPECT_EQ(events, QStringList({"cancel on", "refresh", "cancel off"}));
}

TEST_F(LoaderTest, ALongSizeWalkKeepsServingEventsAndCanBeCancelled)
{
    QStringList entries;
    for (int i = 0; i < 250; ++i)
        entries.append(QStringLiteral("Top/F%1/").arg(i));
    TestTree tree(entries);
    loader.AddFolder(tree.path("Top"));
    EXPECT_EQ(eventPasses, 2) << "251 folders read for one size";
    ASSERT_EQ(list.size(), 1);

    list.clear();
    eventPasses = 0;
    cancelOnPass = 1;
    loader.lstOpen = QStringList{tree.path("Top"), tree.path("Top/F1")};
    loader.LoadPendingFolders();
    EXPECT_TRUE(list.isEmpty()) << "a size cut short by cancel is not shown";
    EXPECT_FALSE(app.state().cancelRequested);
}

TEST_F(LoaderTest, SubfoldersComeDepthFirstEachBeforeItsOwn)
{
    TestTree tree({"Top/A/A1/A11/", "Top/A/A2/", "Top/B/", "Top/C/C1/", "Top/C/c.txt=3"});
    loader.AddSubfolders(tree.path("Top"));
    const QStringList expected = expectedWalk(tree.path("Top"));
    EXPECT_EQ(expected.size(), 7);
    EXPECT_EQ(keys(), expected);
    EXPECT_FALSE(keys().contains(tree.key("Top")));
}

TEST_F(LoaderTest, DroppedFoldersGiveTheirSubfoldersNotThemselves)
{
    TestTree tree({"One/Sub/", "Empty/file=3", "Two/X/Y/"});
    loader.DropFolders({tree.path("One"), tree.path("Empty"), tree.path("missing"), tree.path("Two")});
    EXPECT_EQ(keys(), QStringList({tree.key("One/Sub"), tree.key("Two/X"), tree.key("Two/X/Y")}));
    EXPECT_EQ(events, QStringList({"cancel on", "cancel off", "refresh"}));
}

TEST_F(LoaderTest, CancelStopsADropAndSkipsTheRemainingItems)
{
    QStringList entries;
    for (int i = 0; i < 150; ++i)
        entries.append(QStringLiteral("First/F%1/").arg(i));
    entries.append(QStringLiteral("Second/S/"));
    TestTree tree(entries);
    cancelOnPass = 1;
    loader.DropFolders({tree.path("First"), tree.path("Second")});
    EXPECT_LT(list.size(), 150);
    EXPECT_FALSE(list.hasKey(tree.key("Second/S")));
    EXPECT_FALSE(app.state().cancelRequested);
}

TEST_F(LoaderTest, LinkedFoldersAreListedAsLinksAndNeverWalkedThrough)
{
    TestTree tree({"Top/Real/inner/", "Elsewhere/deep/"});
    ASSERT_TRUE(makeLink(tree.path("Elsewhere"), tree.path("Top/Link")));
    ASSERT_TRUE(makeLink(tree.path("Top"), tree.path("Top/Real/back"))); // a loop
    loader.AddSubfolders(tree.path("Top"));
    const QStringList k = keys();
    EXPECT_TRUE(k.contains(tree.key("Top/Link")));
    EXPECT_TRUE(k.contains(tree.key("Top/Real/back")));
    EXPECT_FALSE(k.contains(tree.key("Top/Link/deep")));
    EXPECT_EQ(k.size(), 4);
    EXPECT_EQ(list.entry(list.rowOfKey(tree.key("Top/Real/back"))).sizeTag, QStringLiteral("000000000000"));
}

TEST_F(LoaderTest, ALinkGivenByPathIsListedAsTheLinkItself)
{
    TestTree tree({"Target/f=300", "Links/"});
    ASSERT_TRUE(makeLink(tree.path("Target"), tree.path("Links/Music")));
    loader.AddFolder(tree.path("Links/Music"));
    ASSERT_EQ(list.size(), 1);
    EXPECT_EQ(list.entry(0).key, tree.key("Links/Music"));
    EXPECT_EQ(list.entry(0).oldName(), QStringLiteral("Music"));
    EXPECT_EQ(list.entry(0).sizeTag, QStringLiteral("000000000000"));
}

TEST_F(LoaderTest, UnreadableFolderIsListedWithoutItsContents)
{
    TestTree tree({"Top/Locked/inner/", "Top/Locked/f=50", "Top/Open/g=7"});
    fs->fail(Op::ScanFolder, tree.path("Top/Locked"));
    loader.AddFolder(tree.path("Top"));
    loader.AddSubfolders(tree.path("Top"));
    const QStringList k = keys();
    EXPECT_TRUE(k.contains(tree.key("Top/Locked")));
    EXPECT_FALSE(k.contains(tree.key("Top/Locked/inner")));
    EXPECT_EQ(list.entry(list.rowOfKey(tree.key("Top"))).sizeTag, QStringLiteral("000000000007"));
}

TEST_F(LoaderTest, EveryFolderIsReadOnceForAWholeTree)
{
    QStringList entries;
    for (int a = 0; a < 4; ++a)
        for (int b = 0; b < 5; ++b)
            entries.append(QStringLiteral("Top/A%1/B%2/f=%3").arg(a).arg(b).arg(a * 10 + b));
    TestTree tree(entries);
    fs->resetCalls();
    loader.lstOpen.append(tree.path("Top"));
    loader.LoadPendingFolders();
    EXPECT_EQ(list.size(), 1);
    EXPECT_EQ(fs->calls(Op::ScanFolder), 1 + 4 + 20) << "one read of each folder for the size of the top";
    fs->resetCalls();
    list.clear();
    loader.DropFolders({tree.path("Top")});
    EXPECT_EQ(list.size(), 4 + 20);
    EXPECT_EQ(fs->calls(Op::ScanFolder), 1 + 4 + 20) << "and one for the drop, sizes included";
    // Sizes are whole trees: A3 holds 30 + 31 + 32 + 33 + 34 bytes.
    EXPECT_EQ(list.entry(list.rowOfKey(tree.key("Top/A3"))).sizeTag, QStringLiteral("000000000160"));
}

TEST_F(LoaderTest, FolderWhoseNameIsNotUtf8LoadsAndRenamesUnderItsOwnBytes)
{
    TestTree tree({"Top/"});
    const QByteArray raw = FileNames::encode(tree.path("Top")) + QByteArray("/caf\xE9", 5);
    ASSERT_EQ(mkdir(raw.constData(), 0755), 0);
    loader.DropFolders({tree.path("Top")});
    ASSERT_EQ(list.size(), 1);
    const FolderEntry& e = list.entry(0);
    EXPECT_EQ(FileNames::encode(e.key), raw + '/');
    EXPECT_TRUE(fs->renameFolder(e.key, e.parentPath() + QStringLiteral("cafe")).ok());
    EXPECT_TRUE(tree.isFolder("Top/cafe"));
}

TEST_F(LoaderTest, DroppedUrlsKeepTheirBytes)
{
    const QList<QUrl> urls = {QUrl::fromEncoded("file:///tmp/caf%E9"), QUrl::fromLocalFile(QStringLiteral("/a b/c")),
                              QUrl(QStringLiteral("https://example.org/x"))};
    const QStringList paths = FolderLoader::localPathsFromUrls(urls);
    ASSERT_EQ(paths.size(), 2);
    EXPECT_EQ(FileNames::encode(paths.at(0)), QByteArray("/tmp/caf\xE9", 9));
    EXPECT_EQ(paths.at(1), QStringLiteral("/a b/c"));
}

TEST_F(LoaderTest, PlaylistsLoadTheFoldersTheyName)
{
    TestTree tree({"Music/A/", "Music/B/song.mp3=4", "Music/C/", "Lists/"});
    const QByteArray m3u = "#EXTM3U\r\n#EXTINF:12,x\r\n" + FileNames::encode(tree.path("Music/A")) +
                           "\r\n../Music/B/song.mp3\r\nhttp://example.org/stream\r\n\r\n" +
                           FileNames::encode(tree.path("nowhere")) + "\r\n";
    writeFile(tree.path("Lists/a.M3U"), m3u);
    const QByteArray pls = "[playlist]\nfile1=" + FileNames::encode(tree.path("Music/C")) +
                           "\nTitle1=" + FileNames::encode(tree.path("Music/A")) + "\nNumberOfEntries=1\n";
    writeFile(tree.path("Lists/b.pls"), pls);

    loader.ReadListFile(tree.path("Lists/a.M3U"));
    loader.ReadListFile(tree.path("Lists/b.pls"));
    loader.ReadListFile(tree.path("Lists/missing.m3u"));
    EXPECT_EQ(keys(), QStringList({tree.key("Music/A"), tree.key("Music/B"), tree.key("Music/C")}));
}

TEST_F(LoaderTest, ListEntriesInWindows1252OrRawBytesFindTheirFolders)
{
    TestTree tree({QString::fromUtf8("Caf\xC3\xA9/"), "Lists/"});
    const QByteArray raw = FileNames::encode(tree.root()) + QByteArray("/Na\xEFve", 6);
    ASSERT_EQ(mkdir(raw.constData(), 0755), 0);
    writeFile(tree.path("Lists/list.txt"), FileNames::encode(tree.root()) + QByteArray("/Caf\xE9\n", 6) + raw + "\n");
    loader.ReadListFile(tree.path("Lists/list.txt"));
    ASSERT_EQ(list.size(), 2);
    EXPECT_EQ(list.entry(0).oldName(), QString::fromUtf8("Caf\xC3\xA9"));
    EXPECT_EQ(FileNames::encode(list.entry(1).key), raw + '/');
}

TEST_F(LoaderTest, BinaryListsAndHugeLinesAddNothingAndDoNotHang)
{
    TestTree tree({"Real/", "Lists/"});
    QByteArray binary;
    for (int i = 0; i < 200000; ++i)
        binary.append(static_cast<char>((i * 7919) % 256));
    binary.insert(5000, FileNames::encode(tree.path("Real")) + QByteArray(1, '\0') + "tail\n");
    writeFile(tree.path("Lists/blob.bin"), binary);
    writeFile(tree.path("Lists/long.txt"), QByteArray(1024 * 1024, 'x') + "\n" + FileNames::encode(tree.path("Real")));
    loader.ReadListFile(tree.path("Lists/blob.bin"));
    EXPECT_TRUE(list.isEmpty()) << "a path cut at a NUL must not name its prefix";
    loader.ReadListFile(tree.path("Lists/long.txt"));
    EXPECT_EQ(keys(), QStringList{tree.key("Real")});
}

// A prompter that also records what the open-file dialog was given.
class RecordingPrompter : public ScriptedPrompter
{
public:
    QStringList openFiles(const QString& title, const QString& folder, const QString& filters, bool multiple) override
    {
        lastFolder = folder;
        lastFilters = filters;
        lastMultiple = multiple;
        return ScriptedPrompter::openFiles(title, folder, filters, multiple);
    }
    QString lastFolder;
    QString lastFilters;
    bool lastMultiple = false;
};

TEST_F(LoaderTest, OpenFromListFileReadsEveryChosenListAndRemembersTheFolder)
{
    auto prompter = std::make_unique<RecordingPrompter>();
    RecordingPrompter& ask = *prompter;
    std::unique_ptr<Prompter> original = std::exchange(app.state().prompter, std::move(prompter));
    TestTree tree({"A/", "B/", "Lists/"});
    writeFile(tree.path("Lists/one.txt"), FileNames::encode(tree.path("A")) + "\n");
    writeFile(tree.path("Lists/two.m3u"), "#EXTM3U\n" + FileNames::encode(tree.path("B")) + "\n");
    WriteSetting(QStringLiteral("Settings"), QStringLiteral("lastpath"), QStringLiteral("/start/"),
                 app.state().settingsFile);

    ask.expectFiles({tree.path("Lists/one.txt"), tree.path("Lists/two.m3u")});
    loader.OpenFromListFile();
    EXPECT_EQ(ask.lastFolder, QStringLiteral("/start/"));
    EXPECT_EQ(ask.lastFilters, QStringLiteral("*.*|*.*|m3u Playlist|*.m3u|pls Playlist|*.pls"));
    EXPECT_TRUE(ask.lastMultiple);
    EXPECT_EQ(keys(), QStringList({tree.key("A"), tree.key("B")}));
    EXPECT_EQ(ReadSetting(QStringLiteral("Settings"), QStringLiteral("lastpath"), app.state().settingsFile),
              tree.key("Lists"));
    EXPECT_EQ(events, QStringList({"cancel on", "cancel off", "refresh"}));

    events.clear();
    ask.expectFiles({});
    loader.OpenFromListFile();
    EXPECT_TRUE(events.isEmpty()) << "cancelling the dialog does nothing";
    EXPECT_EQ(ReadSetting(QStringLiteral("Settings"), QStringLiteral("lastpath"), app.state().settingsFile),
              tree.key("Lists"));
    app.state().prompter = std::move(original);
}

} // namespace
