#include "core/folderops/ApplyAttributesAndTimes.h"

#include "core/preview/PreviewList.h"
#include "support/FaultInjectingFileSystem.h"
#include "support/PreviewFixture.h"
#include "support/TestApp.h"
#include "support/TestTree.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <gtest/gtest.h>

namespace {

using Params = AttributesParams;
using Source = Params::Source;

QDateTime at(int y, int mo, int d, int h = 12, int mi = 0, int s = 0)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s));
}

class ApplyAttributesAndTimesTest : public ::testing::Test
{
protected:
    ApplyAttributesAndTimesTest()
    {
        auto faulty = std::make_unique<FaultInjectingFileSystem>();
        fs = faulty.get();
        app.state().services.fileSystem = std::move(faulty);
    }

    void listFolders(const QStringList& folders)
    {
        list.clear();
        for (const QString& folder : folders) {
            const QFileInfo info(tree.path(folder));
            ASSERT_TRUE(list.append(MakeEntry(info.path() + QLatin1Char('/'), info.fileName())));
        }
    }
    void setTimes(const QString& relative, const QDateTime& modified, const QDateTime& accessed)
    {
        ASSERT_TRUE(fs->setFolderTime(tree.path(relative), FolderTimeKind::LastWrite, modified).ok());
        ASSERT_TRUE(fs->setFolderTime(tree.path(relative), FolderTimeKind::LastAccess, accessed).ok());
    }
    void setFileTime(const QString& relative, const QDateTime& modified)
    {
        QFile file(tree.path(relative));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(modified, QFileDevice::FileModificationTime));
        ASSERT_TRUE(file.setFileTime(modified.addDays(1), QFileDevice::FileAccessTime));
    }
    FolderTimes timesOf(const QString& relative) const { return fs->folderTimes(tree.path(relative)).value(); }
    FolderChangeReport apply(const Params& params, int applyTo = 0)
    {
        return ApplyAttributesAndTimes(app.state(), list, applyTo, params);
    }

    TestApp app;
    FaultInjectingFileSystem* fs = nullptr;
    TestTree tree;
    PreviewList list;
};

Params::TimeRequest request(Source source, const QString& offset = TimeOffset::zeroText(), const QDateTime& date = {})
{
    return {true, source, date, offset};
}

TEST_F(ApplyAttributesAndTimesTest, SetsReadOnlyAndShowsAHiddenFolderLeavingTheOtherBits)
{
    tree.add(QStringLiteral("Shy/"));
    tree.add(QStringLiteral("Plain/"));
    ASSERT_TRUE(fs->setAttributes(tree.path("Shy"), AttrHidden).ok());
    listFolders({QStringLiteral("Shy"), QStringLiteral("Plain")});
    Params params;
    params.readOnly = Params::Choice::Set;
    params.hidden = Params::Choice::Clear;
    params.archive = Params::Choice::Set; // no such bit here: nothing happens, nothing is reported
    const FolderChangeReport report = apply(params);
    EXPECT_TRUE(report.failures.isEmpty()) << report.messages().join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(report.folders, 2);
    EXPECT_EQ(fs->attributes(tree.path("Shy")), AttrReadOnly);
    EXPECT_EQ(fs->attributes(tree.path("Plain")), AttrReadOnly);
    // Only the write bits went: read and search bits are as before.
    EXPECT_EQ(QFileInfo(tree.path("Shy")).permissions() & QFileDevice::ExeOwner, QFileDevice::ExeOwner);

    params.readOnly = Params::Choice::Clear;
    params.hidden = Params::Choice::Set;
    EXPECT_TRUE(apply(params).failures.isEmpty());
    EXPECT_EQ(fs->attributes(tree.path("Shy")), AttrHidden);
    EXPECT_EQ(fs->attributes(tree.path("Plain")), AttrHidden);
}

TEST_F(ApplyAttributesAndTimesTest, EveryRequestTakesTheTimesReadBeforeAnyChange)
{
    tree.add(QStringLiteral("F/"));
    setTimes("F", at(2010, 3, 1, 8), at(2015, 6, 1, 9));
    listFolders({QStringLiteral("F")});
    Params params;
    // Modification from the access time and access from the modification time one day earlier: each
    // sees the other's old value.
    params.times[Params::Modified] = request(Source::OwnAccessed);
    params.times[Params::Accessed] = request(Source::OwnModified, QStringLiteral("-00:00:01:00:00:00"));
    EXPECT_TRUE(apply(params).failures.isEmpty());
    const FolderTimes times = timesOf("F");
    EXPECT_EQ(times.lastWrite, at(2015, 6, 1, 9));
    EXPECT_EQ(times.lastAccess, at(2010, 2, 28, 8));
}

TEST_F(ApplyAttributesAndTimesTest, SourcesAmongFilesAndSubfoldersFallBackToTheFoldersOwnTime)
{
    struct Row
    {
        const char* name;
        Source source;
        const char* folder;
        QDateTime expected; // before the offset of one hour
    };
    const Row rows[] = {
        {"earliest file", Source::FilesEarliest, "Full", at(2001, 1, 1)},
        {"latest file", Source::FilesLatest, "Full", at(2005, 5, 5)},
        {"earliest subfolder", Source::SubfoldersEarliest, "Full", at(2002, 2, 2)},
        {"latest subfolder", Source::SubfoldersLatest, "Full", at(2006, 6, 6)},
        {"earliest file, none there", Source::FilesEarliest, "Empty", at(2010, 10, 10)},
        {"latest file, none there", Source::FilesLatest, "Empty", at(2010, 10, 10)},
        {"earliest subfolder, none there", Source::SubfoldersEarliest, "Empty", at(2010, 10, 10)},
        {"latest subfolder, only files", Source::SubfoldersLatest, "FilesOnly", at(2010, 10, 10)},
    };
    for (const char* entry :
         {"Full/a", "Full/b", "Full/c", "Full/S1/", "Full/S2/", "Full/S2/x", "Empty/", "FilesOnly/z"})
        tree.add(QLatin1String(entry));
    setFileTime("Full/a", at(2003, 3, 3));
    setFileTime("Full/b", at(2001, 1, 1));
    setFileTime("Full/c", at(2005, 5, 5));
    setFileTime("FilesOnly/z", at(2004, 4, 4));
    setTimes("Full/S1", at(2002, 2, 2), at(2002, 2, 3));
    setTimes("Full/S2", at(2006, 6, 6), at(2006, 6, 7));
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        for (const char* folder : {"Full", "Empty", "FilesOnly"})
            setTimes(QLatin1String(folder), at(2010, 10, 10), at(2011, 11, 11));
        listFolders({QLatin1String(row.folder)});
        Params params;
        params.times[Params::Modified] = request(row.source, QStringLiteral("+00:00:00:01:00:00"));
        EXPECT_TRUE(apply(params).failures.isEmpty());
        EXPECT_EQ(timesOf(QLatin1String(row.folder)).lastWrite, row.expected.addSecs(3600));
    }
}

TEST_F(ApplyAttributesAndTimesTest, TheExplicitDateIsLocalTimeAndTakesNoOffset)
{
    tree.add(QStringLiteral("F/"));
    listFolders({QStringLiteral("F")});
    Params params;
    const QDateTime chosen(QDate(2019, 7, 1), QTime(12, 34, 56, 789), Qt::LocalTime);
    params.times[Params::Modified] = request(Source::Explicit, QStringLiteral("+01:00:00:00:00:00"), chosen);
    EXPECT_TRUE(apply(params).failures.isEmpty());
    EXPECT_EQ(QFileInfo(tree.path("F")).lastModified().toSecsSinceEpoch(), chosen.toSecsSinceEpoch());
}

TEST_F(ApplyAttributesAndTimesTest, ActsOnlyOnTheEntriesTheSelectorNames)
{
    for (const char* folder : {"A/", "B/", "C/"})
        tree.add(QLatin1String(folder));
    for (const char* folder : {"A", "B", "C"})
        setTimes(QLatin1String(folder), at(2000, 1, 1), at(2000, 1, 1));
    listFolders({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")});
    list.selectionModel()->select(list.index(1, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    Params params;
    params.times[Params::Modified] = request(Source::Explicit, TimeOffset::zeroText(), at(2020, 2, 2));
    EXPECT_EQ(apply(params, 2).folders, 2);
    EXPECT_EQ(timesOf("A").lastWrite, at(2020, 2, 2));
    EXPECT_EQ(timesOf("B").lastWrite, at(2000, 1, 1));
    EXPECT_EQ(timesOf("C").lastWrite, at(2020, 2, 2));
}

TEST_F(ApplyAttributesAndTimesTest, ReportsEachFolderThatCouldNotBeChangedAndGoesOn)
{
    for (const char* folder : {"Locked/", "Stuck/", "Fine/", ".dot/"})
        tree.add(QLatin1String(folder));
    fs->fail(FaultInjectingFileSystem::Op::SetAttributes, tree.path("Locked"), FsResult::Kind::Access);
    fs->fail(FaultInjectingFileSystem::Op::SetTime, tree.path("Stuck"), FsResult::Kind::Other);
    listFolders({QStringLiteral("Locked"), QStringLiteral("Gone"), QStringLiteral("Stuck"), QStringLiteral("Fine"),
                 QStringLiteral(".dot")});
    Params params;
    params.readOnly = Params::Choice::Set;
    params.hidden = Params::Choice::Clear;
    params.times[Params::Modified] = request(Source::Explicit, TimeOffset::zeroText(), at(2020, 2, 2));
    // A request this system cannot carry out (the creation time) is passed over quietly.
    params.times[Params::Created] = request(Source::OwnModified);
    const FolderChangeReport report = apply(params);

    QStringList paths;
    for (const FolderChangeReport::Failure& failure : report.failures) {
        paths.append(QFileInfo(failure.path).fileName());
        EXPECT_TRUE(failure.message.contains(QLatin1Char('"') + failure.path + QLatin1Char('"')))
            << failure.message.toStdString();
    }
    EXPECT_EQ(paths, (QStringList{"Locked", "Gone", "Stuck", ".dot"}));
    // Each refusal says why in the system's words, after the program's own text for the kind.
    const QString access = app.state().message(QStringLiteral("msgFileAccess"));
    const QString system = app.state().message(QStringLiteral("msgSystemText")) + QLatin1Char(' ');
    const struct
    {
        const char* name;
        int failure;
        QString reason;
    } rows[] = {
        {"access denied", 0, access + QStringLiteral(" (") + PosixFileSystem::fromErrno(EACCES).systemText + ')'},
        {"input/output error", 2, system + PosixFileSystem::fromErrno(EIO).systemText},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const QString& message = report.failures.at(row.failure).message;
        EXPECT_TRUE(message.contains(row.reason)) << message.toStdString();
        EXPECT_FALSE(message.contains(app.state().message(QStringLiteral("msgChangeRefused"))));
    }
    // The failed step alone was left out: the rest of each folder changed.
    EXPECT_EQ(timesOf("Locked").lastWrite, at(2020, 2, 2));
    EXPECT_EQ(fs->attributes(tree.path("Stuck")), AttrReadOnly);
    EXPECT_EQ(fs->attributes(tree.path("Fine")), AttrReadOnly);
    EXPECT_EQ(timesOf("Fine").lastWrite, at(2020, 2, 2));
    EXPECT_EQ(fs->attributes(tree.path(".dot")), AttrReadOnly | AttrHidden);
}

// A refusal that no fault stands in for: the list of hidden names cannot be written where a folder has its name.
TEST_F(ApplyAttributesAndTimesTest, ARealRefusalShowsTheSystemsMessage)
{
    tree.add(QStringLiteral("In/Shy/"));
    tree.add(QStringLiteral("In/.hidden/"));
    listFolders({QStringLiteral("In/Shy")});
    Params params;
    params.hidden = Params::Choice::Set;
    const FolderChangeReport report = apply(params);
    ASSERT_EQ(report.failures.size(), 1);
    const QString& message = report.failures.first().message;
    const QString system = app.state().message(QStringLiteral("msgSystemText")) + QLatin1Char(' ');
    EXPECT_TRUE(message.contains(system)) << message.toStdString();
    EXPECT_GT(message.size(), message.indexOf(system) + system.size() + 1) << "no system text";
}

} // namespace
