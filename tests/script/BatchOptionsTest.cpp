#include "script/BatchOptions.h"
#include "script/BatchTexts.h"
#include "settings/TextCodec.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using Action = BatchOptions::Action;
using Input = BatchOptions::Input;
using Error = BatchOptions::Error;

QStringList actionsOf(const BatchOptions& options)
{
    QStringList out;
    for (const Action& a : options.actions)
        out.append((a.kind == Action::Kind::Script ? QStringLiteral("script:") : QStringLiteral("structure:")) +
                   a.value);
    return out;
}

QStringList inputsOf(const BatchOptions& options)
{
    QStringList out;
    for (const Input& i : options.inputs)
        out.append((i.kind == Input::Kind::Path ? QStringLiteral("path:") : QStringLiteral("list:")) + i.value);
    return out;
}

TEST(BatchOptions, KeepsActionsAndInputsInCommandLineOrder)
{
    const BatchOptions o =
        ParseBatchArguments({"/a", "--structure", "<NAME>-1", "--list", "l.m3u", "--script=tidy", "--dry-run",
                             "--subfolders", "--sort", "Size", "/b", "--structure=<NAME>-2", "--list=m.txt"});
    ASSERT_TRUE(o.ok());
    EXPECT_EQ(actionsOf(o), QStringList({"structure:<NAME>-1", "script:tidy", "structure:<NAME>-2"}));
    EXPECT_EQ(inputsOf(o), QStringList({"path:/a", "list:l.m3u", "path:/b", "list:m.txt"}));
    EXPECT_TRUE(o.dryRun);
    EXPECT_TRUE(o.subfolders);
    EXPECT_EQ(o.sort, BatchOptions::SortKey::Size);
    EXPECT_FALSE(o.help);
}

TEST(BatchOptions, ValuesAndPathsThatLookLikeOptions)
{
    // A value is taken whatever it looks like; after "--" everything is a path; a lone "-" is a name.
    const BatchOptions o = ParseBatchArguments({"--structure", "--<NAME>", "--structure=", "-", "--", "--sort", "-x"});
    ASSERT_TRUE(o.ok());
    EXPECT_EQ(actionsOf(o), QStringList({"structure:--<NAME>", "structure:"}));
    EXPECT_EQ(inputsOf(o), QStringList({"path:-", "path:--sort", "path:-x"}));
    EXPECT_EQ(o.sort, BatchOptions::SortKey::Path);
}

struct ErrorCase
{
    QStringList arguments;
    Error error;
    QString argument;
};

class BatchOptionErrors : public ::testing::TestWithParam<ErrorCase>
{};

TEST_P(BatchOptionErrors, NameTheFirstProblem)
{
    const BatchOptions o = ParseBatchArguments(GetParam().arguments);
    EXPECT_FALSE(o.ok());
    EXPECT_FALSE(o.help);
    EXPECT_EQ(o.error, GetParam().error);
    EXPECT_EQ(o.errorArgument, GetParam().argument);
}

INSTANTIATE_TEST_SUITE_P(
    Table, BatchOptionErrors,
    ::testing::Values(ErrorCase{{}, Error::NoAction, {}}, ErrorCase{{"/a", "--dry-run"}, Error::NoAction, {}},
                      ErrorCase{{"--structure", "x", "--dryrun"}, Error::UnknownOption, "--dryrun"},
                      ErrorCase{{"--structure", "x", "-n"}, Error::UnknownOption, "-n"},
                      ErrorCase{{"--structure", "x", "--dry-run=yes"}, Error::UnknownOption, "--dry-run"},
                      ErrorCase{{"--structure", "x", "--list"}, Error::MissingValue, "--list"},
                      ErrorCase{{"--script"}, Error::MissingValue, "--script"},
                      ErrorCase{{"--structure", "x", "--sort", "date"}, Error::BadSortKey, "date"},
                      ErrorCase{{"--structure", "x", "--sort="}, Error::BadSortKey, ""},
                      ErrorCase{{"--bogus", "--sort", "date"}, Error::UnknownOption, "--bogus"}));

TEST(BatchOptions, HelpWinsOverEveryProblem)
{
    for (const QStringList& arguments :
         {QStringList{"--help"}, QStringList{"--bogus", "-h"}, QStringList{"--sort", "x", "--help"}}) {
        EXPECT_TRUE(ParseBatchArguments(arguments).help) << arguments.join(' ').toStdString();
    }
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
    EXPECT_EQ(texts.text(QStringLiteral("SeeHelp")), QStringLiteral("Hilfe!"));
    EXPECT_EQ(texts.text(QStringLiteral("ErrUnknownOption"), {QStringLiteral("-q")}),
              QStringLiteral("Unknown option: -q"));
}
