#include "script/BatchOptions.h"
#include "script/BatchTexts.h"
#include "settings/TextCodec.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

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
    struct Case
    {
        QStringList arguments;
        Error error;
        QString argument;
    };
    const Case cases[] = {
        {{}, Error::NoAction, {}},
        {{"/a", "--dry-run"}, Error::NoAction, {}},
        {{"--structure", "x", "--dryrun"}, Error::UnknownOption, "--dryrun"},
        {{"--structure", "x", "-n"}, Error::UnknownOption, "-n"},
        {{"--structure", "x", "--dry-run=yes"}, Error::UnknownOption, "--dry-run"},
        {{"--structure", "x", "--list"}, Error::MissingValue, "--list"},
        {{"--script"}, Error::MissingValue, "--script"},
        {{"--structure", "x", "--sort", "date"}, Error::BadSortKey, "date"},
        {{"--structure", "x", "--sort="}, Error::BadSortKey, ""},
        {{"--bogus", "--sort", "date"}, Error::UnknownOption, "--bogus"},
    };
    for (const Case& c : cases) {
        const BatchOptions o = ParseBatchArguments(c.arguments);
        EXPECT_EQ(o.error, c.error) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(o.errorArgument, c.argument) << c.arguments.join(' ').toStdString();
        EXPECT_FALSE(o.help);
    }
    EXPECT_TRUE(ParseBatchArguments({"--bogus", "-h"}).help);
    EXPECT_TRUE(ParseBatchArguments({"--sort", "x", "--help"}).help);
    // As the value of an option it is just a value.
    EXPECT_FALSE(ParseBatchArguments({"--structure", "--help"}).help);
}

} // namespace

TEST(BatchTexts, AKeyTheChosenLanguageLacksComesFromEnglish)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Old.lng"));
    ASSERT_TRUE(TextCodec::writeFileAtomically(file, QStringLiteral("[Main]\nlngname=Old\n[Batch]\nSeeHelp=Hilfe!\n")));
    Language language;
    ASSERT_TRUE(language.load(file));
    const BatchTexts texts(language, QStringLiteral(DIRWRIGHT_PROGRAM_DIR "/"));
    EXPECT_EQ(texts.text(QStringLiteral("SeeHelp")), "Hilfe!");
    EXPECT_EQ(texts.text(QStringLiteral("ErrUnknownOption"), {QStringLiteral("-q")}), "Unknown option: -q");
}
