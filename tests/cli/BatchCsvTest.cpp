#include "cli/BatchOptions.h"
#include "cli/BatchRun.h"
#include "core/commit/RenameFailure.h"
#include "core/platform/FileNames.h"
#include "core/script/ScriptStore.h"
#include "support/TestApp.h"
#include "support/TestTree.h"
#include "support/WriteTextFile.h"

#include <QBuffer>
#include <QDir>
#include <gtest/gtest.h>

namespace {

using Status = BatchRun::Status;

class BatchCsvTest : public ::testing::Test
{
protected:
    int batch(const QStringList& arguments)
    {
        QBuffer o, e;
        o.open(QIODevice::WriteOnly);
        e.open(QIODevice::WriteOnly);
        const int status = BatchRun(app.state(), o, e).run(ParseBatchArguments(arguments));
        out = FileNames::decode(o.data());
        err = FileNames::decode(e.data());
        return status;
    }
    QString csv(const QByteArray& bytes)
    {
        tree.write(QStringLiteral("names.csv"), bytes);
        return tree.path(QStringLiteral("names.csv"));
    }
    QString message(const char* key, const QStringList& args) { return app.state().message(QLatin1String(key), args); }
    TestApp app;
    TestTree tree{{"P/2004 Holiday.jpg/", "P/Trip/", "P/other/"}};
    QString out, err;
};

TEST_F(BatchCsvTest, NamesFromColumnsWithStructureAndExtension)
{
    const QString file =
        csv("Old;Year;Title\r\n2004 holiday.jpg;2004;Beach.png\r\ntrip;2005;Alps\r\nTrip;1999;Never\r\n");
    EXPECT_EQ(
        batch({"--csv", file, "--csv-match", "1", "--csv-new", "3", "--csv-new", "2", "--csv-structure", "<F2> - <F1>",
               "--keep-extension", tree.path("P/2004 Holiday.jpg"), tree.path("P/Trip"), tree.path("P/other")}),
        Status::Done)
        << err.toStdString();
    // Case-insensitive, the first row wins, a short extension of the new name gives way to the old one.
    EXPECT_EQ(tree.folders("P"), QStringList({"2004 - Beach.jpg", "2005 - Alps", "other"}));
}

TEST_F(BatchCsvTest, ByPathOrByName)
{
    const QString file = csv(QStringLiteral("Folder,New\n%1,ByPath\nother,ByName\n").arg(tree.path("P/Trip")).toUtf8());
    const QStringList common{
        "--dry-run", "--csv", file, "--csv-match", "1", "--csv-new", "2", tree.path("P/Trip"), tree.path("P/other")};
    ASSERT_EQ(batch(common + QStringList{"--csv-by", "path"}), Status::Done) << err.toStdString();
    EXPECT_TRUE(out.contains("\tTrip\tByPath\n") && !out.contains("ByName"));
    ASSERT_EQ(batch(common + QStringList{"--csv-by", "name"}), Status::Done);
    EXPECT_TRUE(out.contains("\tother\tByName\n") && !out.contains("ByPath"));
}

TEST_F(BatchCsvTest, FilesThatCannotGiveNamesStopTheRunBeforeAnythingIsRenamed)
{
    struct Row
    {
        const char* name;
        QByteArray bytes;
        QStringList columns;
        const char* key;
        QStringList args; // after the quoted path
    };
    const Row rows[] = {
        {"not text", QByteArray("Old;New\nTrip;\0x\n", 14), {"1", "2"}, "msgCsvNotText", {}},
        {"header only", "Old;New\r\n", {"1", "2"}, "msgCsvNoRows", {}},
        {"short row", "Old;New\nother;A\nTrip\n", {"1", "2"}, "msgCsvShortRow", {"3", "1", "2"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const QString file = csv(row.bytes);
        EXPECT_EQ(batch({"--csv", file, "--csv-match", row.columns.at(0), "--csv-new", row.columns.at(1),
                         tree.path("P/Trip"), tree.path("P/other")}),
                  Status::CannotRun);
        EXPECT_TRUE(out.isEmpty());
        EXPECT_TRUE(err.startsWith(message(row.key, QStringList{Quoted(file)} + row.args))) << err.toStdString();
        EXPECT_EQ(tree.folders("P"), QStringList({"2004 Holiday.jpg", "Trip", "other"}));
    }
    // Batch-only checks: a column the header lacks, a file whose separator cannot be told.
    EXPECT_EQ(batch({"--csv", csv("Old;New\nTrip;A\n"), "--csv-match", "1", "--csv-new", "3", tree.path("P/Trip")}),
              Status::CannotRun);
    EXPECT_TRUE(err.contains("3")) << err.toStdString();
    EXPECT_EQ(batch({"--csv", csv("Old New\nTrip A\n"), "--csv-match", "1", "--csv-new", "1", tree.path("P/Trip")}),
              Status::CannotRun);
    EXPECT_EQ(tree.folders("P"), QStringList({"2004 Holiday.jpg", "Trip", "other"}));
}

TEST(BatchCsvOptions, ColumnsAndTheirErrors)
{
    using Error = BatchOptions::Error;
    const BatchOptions o = ParseBatchArguments({"--csv", "f.csv", "--csv-match", "2", "--csv-new", "1", "--csv-new=4",
                                                "--csv-by", "path", "--keep-extension", "/a"});
    ASSERT_TRUE(o.ok());
    EXPECT_EQ(o.csv.match, 1);
    EXPECT_EQ(o.csv.tokens, (QList<int>{0, 3}));
    EXPECT_TRUE(o.csv.keepExtension);
    const std::pair<QStringList, Error> cases[] = {
        {{"--csv", "f", "--csv-match", "0", "--csv-new", "1"}, Error::BadColumn},
        {{"--csv", "f", "--csv-match", "x", "--csv-new", "1"}, Error::BadColumn},
        {{"--csv", "f", "--csv-match", "1", "--csv-new", "1", "--csv-by", "size"}, Error::BadCsvBy},
        {{"--csv", "f", "--csv-match", "1"}, Error::CsvColumnsMissing},
        {{"--structure", "x", "--csv-match", "1"}, Error::CsvColumnsMissing},
        {{"--structure", "x", "--keep-extension"}, Error::CsvColumnsMissing},
        {{"--csv", "f", "--csv-match", "1", "--csv-new", "1", "--csv-new", "1", "--csv-new", "1", "--csv-new", "1",
          "--csv-new", "1"},
         Error::CsvTooManyNew},
        {{"--history", "--keep-extension"}, Error::HistoryAlone},
    };
    for (const auto& [arguments, error] : cases)
        EXPECT_EQ(ParseBatchArguments(arguments).error, error) << arguments.join(' ').toStdString();
}

TEST_F(BatchCsvTest, RenumberingScriptStep)
{
    TestTree music({"M/Track 10/", "M/Track 2/", "M/Track 1/", "M/Intro/"});
    const QString folder = ScriptStore::scriptFolder(app.state());
    QDir().mkpath(folder);
    ASSERT_TRUE(WriteTextFile(folder + "renumber.vls", QStringLiteral("[Main]\nSteps=1\nName=Renumber\n[1]\nType=2\n"
                                                                      "txtInit=1\ntxtInc=1\ncmbAnzahl=2\n")));
    EXPECT_EQ(batch({"--script", "renumber", "--subfolders", music.path("M")}), Status::Done) << err.toStdString();
    EXPECT_EQ(music.folders("M"), QStringList({"Intro", "Track 01", "Track 02", "Track 03"}));
}

} // namespace
