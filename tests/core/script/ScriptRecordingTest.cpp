#include "core/script/ScriptRecording.h"
#include "core/script/DialogValues.h"
#include "core/script/ScriptStore.h"
#include "core/settings/IniDocument.h"
#include "core/settings/SettingsStore.h"
#include "support/TestApp.h"
#include "support/WriteTextFile.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

class ScriptRecordingTest : public ::testing::Test
{
protected:
    AppState& state() { return app.state(); }
    QString scratch() { return ScriptStore::scratchPath(state()); }
    QString folder() { return ScriptStore::scriptFolder(state()); }
    void recordOneStep()
    {
        ASSERT_TRUE(StartRecording(state()));
        DialogValues v;
        v.set(QStringLiteral("txtPr"), QStringLiteral("x"));
        ASSERT_EQ(ScriptStore::appendStep(state().fs(), scratch(), 5, v), 1);
    }
    QStringList scripts() { return QDir(folder()).entryList({QStringLiteral("*.vls")}, QDir::Files, QDir::Name); }
    TestApp app;
};

TEST_F(ScriptRecordingTest, SavedUnderTheMomentWithItsNameAndNeverOverAnotherScript)
{
    recordOneStep();
    EXPECT_EQ(RecordedSteps(state()), 1);
    const StopResult result = StopRecording(state(), QStringLiteral("Holiday"));
    EXPECT_EQ(result.path, folder() + "20240131153045.vls");
    EXPECT_FALSE(QFile::exists(scratch()));
    // A second script in the same second takes the next stamp.
    recordOneStep();
    ASSERT_EQ(StopRecording(state(), QStringLiteral("two")).outcome, StopResult::Outcome::Saved);
    EXPECT_EQ(scripts(), (QStringList{"20240131153045.vls", "20240131153046.vls"}));
    EXPECT_EQ(ReadSetting("Main", "Name", result.path), "Holiday");
}

TEST_F(ScriptRecordingTest, NothingRecordedOrNoNameSavesNothing)
{
    ASSERT_TRUE(StartRecording(state()));
    EXPECT_EQ(RecordedSteps(state()), 0);
    EXPECT_EQ(StopRecording(state(), QStringLiteral("name")).outcome, StopResult::Outcome::NothingRecorded);
    recordOneStep();
    EXPECT_EQ(StopRecording(state(), std::nullopt).outcome, StopResult::Outcome::Abandoned);
    EXPECT_TRUE(scripts().isEmpty() && QFile::exists(scratch()));
}

TEST_F(ScriptRecordingTest, AFailedMoveKeepsTheRecording)
{
    recordOneStep();
    // A file where the script folder belongs: the folder cannot be made and the move fails.
    QDir(folder()).removeRecursively();
    ASSERT_TRUE(QFile(folder().chopped(1)).open(QIODevice::WriteOnly));
    const StopResult result = StopRecording(state(), QStringLiteral("name"));
    EXPECT_EQ(result.outcome, StopResult::Outcome::Failed);
    EXPECT_TRUE(!result.systemText.isEmpty() && QFile::exists(scratch()));
}

TEST_F(ScriptRecordingTest, StartingReplacesALeftoverAndStepsCountOnFromTheStoredNumber)
{
    ASSERT_TRUE(WriteSetting(FixtureFileSystem(), "1", "txtPr", "old", scratch()));
    ASSERT_TRUE(WriteSetting(FixtureFileSystem(), "Main", "Steps", "1", scratch()));
    ASSERT_TRUE(ScriptStore::startFile(state().fs(), scratch()));
    DialogValues caseChange;
    caseChange.set(QStringLiteral("opt1(3)"), QStringLiteral("-1"));
    caseChange.set(QStringLiteral("opt1(1)"), QString());
    EXPECT_EQ(ScriptStore::appendStep(state().fs(), scratch(), 4, caseChange), 1);
    EXPECT_EQ(IniDocument::load(scratch()).keys("1"), (QStringList{"Type", "opt1(3)"}));
    EXPECT_EQ(ScriptStore::appendStep(state().fs(), scratch(), 4, caseChange), 2);
    // A recording whose count was lost goes on at step 1, never at a step 0.
    ASSERT_TRUE(WriteSetting(FixtureFileSystem(), "Main", "Steps", "x", scratch()));
    EXPECT_EQ(ScriptStore::appendStep(state().fs(), scratch(), 3, caseChange), 1);
}

TEST_F(ScriptRecordingTest, ScriptListShowsNamesAndStampsOldestFirst)
{
    QDir().mkpath(folder());
    ASSERT_TRUE(WriteSetting(FixtureFileSystem(), "Main", "Name", "Photos", folder() + "20240131153045.vls"));
    ASSERT_TRUE(WriteSetting(FixtureFileSystem(), "Main", "Steps", "1", folder() + "20230101000000.vls"));
    ASSERT_TRUE(WriteSetting(FixtureFileSystem(), "Main", "Name", "Mine", folder() + "my script.vls"));
    ASSERT_TRUE(WriteSetting(FixtureFileSystem(), "Main", "Name", "no", folder() + "a.txt"));
    QStringList texts;
    for (const ScriptStore::ScriptEntry& entry : ScriptStore::ScriptEntries(folder()))
        texts.append(entry.fileName + " " + entry.text);
    EXPECT_EQ(texts,
              QStringList({"20230101000000.vls [2023-01-01, 00:00:00]",
                           "20240131153045.vls Photos [2024-01-31, 15:30:45]", "my script.vls Mine [my script]"}));
}

} // namespace
