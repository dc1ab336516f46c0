#include "cli/BatchOptions.h"

#include <gtest/gtest.h>
#include <tuple>

namespace {

using Error = BatchOptions::Error;

// "script:x" / "structure:x" per action, then "path:x" / "list:x" per input.
QStringList parsed(const BatchOptions& o)
{
    QStringList out;
    for (const BatchOptions::Action& a : o.actions)
        out.append((a.kind == BatchOptions::Action::Kind::Script ? "script:" : "structure:") + a.value);
    for (const BatchOptions::Input& i : o.inputs)
        out.append((i.kind == BatchOptions::Input::Kind::Path ? "path:" : "list:") + i.value);
    return out;
}

TEST(BatchOptions, KeepsActionsAndInputsInCommandLineOrder)
{
    BatchOptions o =
        ParseBatchArguments({"/a", "--structure", "<NAME>-1", "--list", "l.m3u", "--script=tidy", "--dry-run",
                             "--subfolders", "--sort", "Size", "/b", "--structure=<NAME>-2", "--list=m.txt"});
    ASSERT_TRUE(o.ok());
    EXPECT_EQ(parsed(o), QStringList({"structure:<NAME>-1", "script:tidy", "structure:<NAME>-2", "path:/a",
                                      "list:l.m3u", "path:/b", "list:m.txt"}));
    EXPECT_TRUE(o.dryRun && o.subfolders && !o.help);
    EXPECT_EQ(o.sort, BatchOptions::SortKey::Size);
    // A value is taken whatever it looks like; after "--" everything is a path; a lone "-" is a name.
    o = ParseBatchArguments({"--structure", "--<NAME>", "--structure=", "-", "--", "--sort", "-x"});
    ASSERT_TRUE(o.ok());
    EXPECT_EQ(parsed(o), QStringList({"structure:--<NAME>", "structure:", "path:-", "path:--sort", "path:-x"}));
    EXPECT_EQ(o.sort, BatchOptions::SortKey::Path);
}

TEST(BatchOptions, ErrorsNameTheFirstProblemAndHelpWinsOverEveryProblem)
{
    // arguments, error, the argument it names
    const std::tuple<QStringList, Error, QString> cases[] = {
        {QStringList(), Error::NoAction, QString()},
        {{"/a", "--dry-run"}, Error::NoAction, {}},
        {{"--structure", "x", "--dryrun"}, Error::UnknownOption, "--dryrun"},
        {{"--structure", "x", "--dry-run=yes"}, Error::UnknownOption, "--dry-run"},
        {{"--structure", "x", "--list"}, Error::MissingValue, "--list"},
        {{"--script"}, Error::MissingValue, "--script"},
        {{"--structure", "x", "--sort", "date"}, Error::BadSortKey, "date"},
        {{"--bogus", "--sort", "date"}, Error::UnknownOption, "--bogus"},
    };
    for (const auto& [arguments, error, argument] : cases) {
        const BatchOptions o = ParseBatchArguments(arguments);
        EXPECT_EQ(o.error, error) << arguments.join(' ').toStdString();
        EXPECT_EQ(o.errorArgument, argument) << arguments.join(' ').toStdString();
        EXPECT_FALSE(o.help);
    }
    EXPECT_TRUE(ParseBatchArguments({"--bogus", "-h"}).help);
    EXPECT_TRUE(ParseBatchArguments({"--sort", "x", "--help"}).help);
    // As the value of an option it is just a value.
    EXPECT_FALSE(ParseBatchArguments({"--structure", "--help"}).help);
}

} // namespace

namespace {

TEST(BatchOptions, TouchTakesANamedSourceOrAnIsoDateAndAnOffset)
{
    using Source = AttributesParams::Source;
    struct Row
    {
        const char* name;
        const char* value;
        Source source;
        const char* offset;
        QDateTime date; // explicit dates only, with the offset applied
    };
    const Row rows[] = {
        {"earliest file", "files-earliest", Source::FilesEarliest, "+00:00:00:00:00:00", {}},
        {"latest subfolder, later",
         "Subfolders-Latest:+00:00:01:00:00:00",
         Source::SubfoldersLatest,
         "+00:00:01:00:00:00",
         {}},
        {"latest file, earlier", "files-latest:-00:00:00:02:00:00", Source::FilesLatest, "-00:00:00:02:00:00", {}},
        {"a day", "2024-05-01", Source::Explicit, "+00:00:00:00:00:00", QDateTime(QDate(2024, 5, 1), QTime(0, 0))},
        {"a local time plus a month", "2024-01-31T18:30:00:+00:01:00:00:00:00", Source::Explicit, "+00:00:00:00:00:00",
         QDateTime(QDate(2024, 3, 2), QTime(18, 30))},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const BatchOptions o = ParseBatchArguments({"--touch", QLatin1String(row.value), "/a"});
        ASSERT_TRUE(o.ok()) << o.errorArgument.toStdString();
        ASSERT_TRUE(o.touch);
        EXPECT_TRUE(o.touch->enabled);
        EXPECT_EQ(o.touch->source, row.source);
        EXPECT_EQ(o.touch->offset, QLatin1String(row.offset));
        EXPECT_EQ(o.touch->date, row.date);
    }
    for (const char* bad : {"files", "2024-13-01", "files-latest:+1", "files-latest:+00:00:01"}) {
        SCOPED_TRACE(bad);
        const BatchOptions o = ParseBatchArguments({"--touch", QLatin1String(bad), "/a"});
        EXPECT_EQ(o.error, Error::BadTouch);
        EXPECT_EQ(o.errorArgument, QLatin1String(bad));
    }
    EXPECT_EQ(ParseBatchArguments({"--history", "--touch", "files-latest"}).error, Error::HistoryAlone);
}

} // namespace
