#include "core/commit/NameConflicts.h"

#include "core/commit/CommitTestSupport.h"
#include "core/commit/DirectoryNames.h"
#include "core/commit/FolderNameSet.h"
#include "core/preview/FolderEntry.h"

#include "core/platform/PosixFileSystem.h"

#include <QFile>
#include <algorithm>
#include <gtest/gtest.h>
#include <limits>
#include <stdexcept>
#include <utime.h>

using namespace CommitTestSupport;

namespace {

using Reason = NameConflict::Reason;

// Folders f0, f1 … below the tree, each holding x0, x1 … (and y); their keys.
std::vector<QString> numberedFolders(TestTree& tree, int count, bool withY)
{
    std::vector<QString> folders;
    for (int i = 0; i < count; ++i) {
        tree.add(QStringLiteral("f%1/x%1/").arg(i));
        if (withY)
            tree.add(QStringLiteral("f%1/y/").arg(i));
        folders.push_back(tree.key(QStringLiteral("f%1").arg(i)));
    }
    return folders;
}

// The tree's own folder was last changed at secs.
void setModified(const TestTree& tree, qint64 secs)
{
    const utimbuf times{static_cast<time_t>(secs), static_cast<time_t>(secs)};
    ASSERT_EQ(utime(QFile::encodeName(tree.root()).constData(), &times), 0);
}

// What the check marks, row by row, for proposals over one folder holding a, b, c and the file f.
TEST(NameConflictsTest, MarksEveryProposalThatCannotWork)
{
    TestApp app;
    const struct
    {
        const char* row;
        QList<std::pair<QString, QString>> proposals; // folder, new name ("" keeps it)
        QList<std::pair<int, Reason>> marked;
    } cases[] = {
        {"free names", {{"a", "x"}, {"b", "y"}}, {}},
        {"swap and chain", {{"a", "b"}, {"b", "a"}, {"c", "z"}}, {}},
        {"case only", {{"a", "A"}}, {}},
        {"onto a folder that stays", {{"a", "c"}}, {{0, Reason::Exists}}},
        {"onto a file", {{"a", "f"}}, {{0, Reason::Exists}}},
        {"onto a listed folder that stays", {{"a", "c"}, {"c", ""}}, {{0, Reason::Duplicate}}},
        {"chain into a folder that stays", {{"a", "b"}, {"b", "c"}}, {{1, Reason::Exists}}},
        {"two onto one name", {{"a", "x"}, {"b", "x"}}, {{0, Reason::Duplicate}, {1, Reason::Duplicate}}},
        {"bad names",
         {{"a", "."}, {"b", "x/y"}, {"c", QString(300, QLatin1Char('n'))}},
         {{0, Reason::BadName}, {1, Reason::BadName}, {2, Reason::BadName}}},
    };
    TestTree tree({"a/", "b/", "c/", "f"});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        std::vector<FolderEntry> entries;
        for (const auto& [folder, newName] : c.proposals)
            entries.push_back(entryFor(tree, folder, newName.isEmpty() ? QString() : newName));
        DirectoryNames names;
        QList<std::pair<int, Reason>> marked;
        for (const NameConflict& conflict :
             FindNameConflicts(entries, app.state().fs(), names, app.state().now().toSecsSinceEpoch())) {
            marked.append({conflict.row, conflict.reason});
            EXPECT_FALSE(NameConflictText(app.state(), entries, conflict).isEmpty());
        }
        EXPECT_EQ(marked, c.marked);
    }
}

// A folder is read again once it changed; until then the names read stand.
TEST(NameConflictsTest, FolderNamesAreReadAgainWhenTheFolderChanges)
{
    TestApp app;
    TestTree tree({"a/"});
    const QString folder = tree.key(QString());
    setModified(tree, 1000);
    DirectoryNames names;
    const auto namesIn = [&](qint64 now) { return names.names(app.state().fs(), {folder}, now).front(); };
    EXPECT_EQ(namesIn(2000)->size(), 1);
    tree.add("b/");
    setModified(tree, 1000);
    EXPECT_FALSE(namesIn(2000)->contains(u"b")); // cached
    setModified(tree, 1500);
    EXPECT_TRUE(namesIn(2000)->contains(u"b"));
    EXPECT_EQ(namesIn(2000)->size(), 2);
    // Read in the second of the last change: a change later in that second would not show, so read again.
    tree.add("c/");
    setModified(tree, 2000);
    EXPECT_EQ(namesIn(2000)->size(), 3);
    tree.add("d/");
    setModified(tree, 2000);
    EXPECT_EQ(namesIn(2001)->size(), 4);
}

// The call after a read ahead takes what it read or found unchanged without looking again, unless it was
// read in the second of its last change; from then on it stands like any read, until the folder changes.
TEST(NameConflictsTest, AReadAheadIsTakenOnceThenKeptLikeAnyRead)
{
    TestApp app;
    TestTree tree({"a/"});
    const QString folder = tree.key(QString());
    enum class Before { Fresh, KeptUnchanged, SameSecond };
    const struct
    {
        Before before;
        bool firstSeesChange;
    } cases[] = {{Before::Fresh, false}, {Before::KeptUnchanged, false}, {Before::SameSecond, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.before));
        DirectoryNames names;
        setModified(tree, c.before == Before::SameSecond ? 2000 : 1000);
        if (c.before == Before::KeptUnchanged)
            names.names(app.state().fs(), {folder}, 2000);
        names.readAhead(app.state().fs(), {folder, tree.key(QStringLiteral("missing"))}, 2000);
        names.finishReadAhead();
        const QString added = QStringLiteral("new%1").arg(static_cast<int>(c.before));
        tree.add(added + QLatin1Char('/'));
        setModified(tree, 1500);
        const FolderNameSet* first = names.names(app.state().fs(), {folder}, 2000).front();
        ASSERT_NE(first, nullptr);
        EXPECT_EQ(first->contains(added), c.firstSeesChange);
        EXPECT_TRUE(first->contains(u"a"));
        const FolderNameSet* second = names.names(app.state().fs(), {folder}, 2000).front();
        ASSERT_NE(second, nullptr);
        EXPECT_TRUE(second->contains(added));
    }
    // One left running when the cache goes.
    DirectoryNames unused;
    unused.readAhead(app.state().fs(), {folder}, 2000);
}

// names() stops a read ahead after the folders it has begun and reads what it still wants itself; what
// the read ahead read stays kept.
TEST(NameConflictsTest, NamesStopsAReadAheadAndReadsTheRestItself)
{
    TestApp app;
    TestTree tree;
    const std::vector<QString> folders = numberedFolders(tree, 300, false);
    DirectoryNames names;
    names.readAhead(app.state().fs(), folders, std::numeric_limits<qint64>::max());
    const std::vector<QString> wanted(folders.end() - 3, folders.end());
    const std::vector<const FolderNameSet*> found =
        names.names(app.state().fs(), wanted, std::numeric_limits<qint64>::max());
    for (size_t i = 0; i < wanted.size(); ++i) {
        ASSERT_NE(found[i], nullptr);
        EXPECT_TRUE(found[i]->contains(QStringLiteral("x%1").arg(folders.size() - 3 + i)));
        EXPECT_EQ(found[i]->size(), 1);
    }
}

// A folder whose reading throws (memory running out in a huge folder, say) hands the exception to the
// caller, from either thread, read ahead or not, instead of ending the program.
TEST(NameConflictsTest, AReadThatThrowsReachesTheCaller)
{
    struct ThrowingFileSystem : PosixFileSystem
    {
        bool readEntryNames(const QString& folder, const std::function<void(const QString&, EntryKind)>& take,
                            qint64* modified) const override
        {
            if (folder.contains(QLatin1String("bad")))
                throw std::runtime_error("no memory");
            return PosixFileSystem::readEntryNames(folder, take, modified);
        }
    };
    const ThrowingFileSystem fs;
    TestTree tree;
    std::vector<QString> folders;
    for (int i = 0; i < 40; ++i) {
        const QString name = QStringLiteral("%1%2").arg(i % 7 == 6 ? "bad" : "f").arg(i);
        tree.add(name + QStringLiteral("/x/"));
        folders.push_back(tree.key(name));
    }
    for (const size_t count : {size_t(7), folders.size()}) { // read on one thread, and on two
        for (const bool ahead : {false, true}) {
            SCOPED_TRACE(testing::Message() << count << (ahead ? " read ahead" : ""));
            const std::vector<QString> some(folders.begin(), folders.begin() + static_cast<qsizetype>(count));
            DirectoryNames names;
            if (ahead)
                names.readAhead(fs, some, 2000);
            EXPECT_THROW(names.names(fs, some, 2000), std::runtime_error);
        }
    }
}

// Many folders are read together, on both cores; each gets its own names, one that is missing none.
TEST(NameConflictsTest, ManyFoldersAreReadTogetherEachWithItsOwnNames)
{
    TestApp app;
    TestTree tree;
    std::vector<QString> folders = numberedFolders(tree, 40, true);
    folders.insert(folders.begin() + 20, tree.key(QStringLiteral("missing")));
    DirectoryNames names;
    for (const qint64 now : {qint64(1), std::numeric_limits<qint64>::max()}) { // read, then kept
        const std::vector<const FolderNameSet*> found = names.names(app.state().fs(), folders, now);
        ASSERT_EQ(found.size(), folders.size());
        for (size_t i = 0; i < folders.size(); ++i) {
            SCOPED_TRACE(folders[i].toStdString());
            if (i == 20) {
                EXPECT_EQ(found[i], nullptr);
                continue;
            }
            ASSERT_NE(found[i], nullptr);
            const QString n = QString::number(i < 20 ? i : i - 1);
            EXPECT_EQ(found[i]->size(), 2);
            EXPECT_TRUE(found[i]->contains(QString(QStringLiteral("x") + n)));
            EXPECT_TRUE(found[i]->contains(u"y"));
            EXPECT_FALSE(found[i]->contains(QString(QStringLiteral("x") + QString::number(i + 1))));
        }
    }
}

// The packed set grows from nothing to many thousands of names; names that only start alike, differ in
// case or reach beyond the basic plane stay apart.
TEST(FolderNameSet, HoldsExactlyTheNamesAddedAtAnySize)
{
    const QStringList odd = {QStringLiteral("a"),
                             QStringLiteral("ab"),
                             QStringLiteral("A"),
                             QStringLiteral("a b"),
                             QString::fromUtf8("\xF0\x9F\x8E\xB5 Musik"),
                             QString::fromUtf8("\xC3\x84rger")};
    // Small sets are looked through one by one; past 16 names a table takes over.
    for (const int count : {0, 1, 7, 9, 15, 16, 17, 100, 20000}) {
        SCOPED_TRACE(count);
        FolderNameSet set;
        for (int i = 0; i < count; ++i) {
            // A listing's names are added without a look; the others look first.
            if (i % 2 == 0)
                set.addNew(QStringLiteral("d%1").arg(i));
            else
                EXPECT_TRUE(set.add(QStringLiteral("d%1").arg(i)));
        }
        for (int i = 0; i < count; ++i)
            ASSERT_FALSE(set.add(QStringLiteral("d%1").arg(i))); // twice counts once
        for (const QString& name : odd.mid(0, count % 5 + 1))
            set.add(name);
        const qsizetype oddAdded = std::min<qsizetype>(odd.size(), count % 5 + 1);
        set.squeeze();
        EXPECT_EQ(set.size(), count + oddAdded);
        for (int i = 0; i < count + 50; ++i) {
            const QString name = QStringLiteral("d%1").arg(i);
            ASSERT_EQ(set.contains(name), i < count) << i;
            // Numbers go by the order of adding, whatever number is guessed first.
            const std::optional<quint32> number = i < count ? std::optional<quint32>(i) : std::nullopt;
            for (const quint32 guess : {quint32(i), quint32(i + 1), quint32(0), quint32(count + 60)})
                ASSERT_EQ(set.numberGuessed(name, guess), number) << i << " guessed " << guess;
        }
        for (qsizetype i = 0; i < odd.size(); ++i)
            EXPECT_EQ(set.contains(odd[i]), i < oddAdded) << odd[i].toStdString();
        EXPECT_FALSE(set.contains(u"d") || set.contains(u"") || set.contains(u"a "));
        set.add(u"late"); // still grows after giving back its room
        EXPECT_TRUE(set.contains(u"late") && set.contains(odd.first()));
    }
}

// A listing's names go into the table together at squeeze; before that they are found all the same, on
// their own or after names added one by one (which fill a table first), with a hash worked out ahead or not.
TEST(FolderNameSet, FindsAListingsNamesBeforeAndAfterTheyGoIntoTheTable)
{
    const struct
    {
        int added;  // one by one, looked for first
        int listed; // without a look, as a listing's
    } cases[] = {{0, 0}, {0, 40}, {5, 5}, {17, 1}, {20, 20}, {0, 3000}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.added << " added, " << c.listed << " listed");
        const int total = c.added + c.listed;
        FolderNameSet set;
        for (int i = 0; i < total; ++i) {
            const QString name = QStringLiteral("d%1").arg(i);
            ASSERT_TRUE(i < c.added ? set.add(name) : set.addNew(name));
        }
        for (const bool squeezed : {false, true}) {
            if (squeezed)
                set.squeeze();
            for (int i = 0; i < total + 3; ++i) {
                const QString name = QStringLiteral("d%1").arg(i);
                const std::optional<quint32> number = i < total ? std::optional<quint32>(i) : std::nullopt;
                ASSERT_EQ(set.numberOf(name), number) << i << (squeezed ? " squeezed" : "");
                ASSERT_EQ(set.contains(name, FolderNameSet::hashOf(name)), i < total) << i;
                ASSERT_EQ(set.numberGuessed(name, 0), number) << i;
            }
        }
        // The last name is held: adding it again adds nothing.
        EXPECT_TRUE(total == 0 || !set.add(QStringLiteral("d%1").arg(total - 1)));
        EXPECT_EQ(set.size(), total);
    }
}

} // namespace
