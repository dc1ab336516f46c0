#include "script/ScriptRecording.h"
#include "script/DialogValues.h"
#include "script/ScriptStore.h"
#include "settings/SettingsStore.h"
#include "support/TestApp.h"

#include <QDir>
#include <QFile>
#include <QLocale>
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
        v.set(QStringLiteral("txtPr"), "x");
        ScriptStore::appendStep(scratch(), 5, v);
    }
    QStringList scripts() { return QDir(folder()).entryList({QStringLiteral("*.vls")}, QDir::Files, QDir::Name); }

    TestApp app;
};

TEST_F(ScriptRecordingTest, NoStepsSavesNothingAndAsksNothing)
{
    ASSERT_TRUE(StartRecording(state()));
    EXPECT_EQ(state().recordingState, 1);
    EXPECT_EQ(StopRecording(state()).outcome, StopResult::Outcome::NothingRecorded);
    EXPECT_EQ(state().recordingState, 0);
    EXPECT_TRUE(app.prompter().asked().isEmpty());
    EXPECT_TRUE(scripts().isEmpty());
}

TEST_F(ScriptRecordingTest, SavedUnderTheMomentWithItsNameAndNeverOverAnotherScript)
{
    recordOneStep();
    app.prompter().expectText(QStringLiteral("  Holiday  "));
    const StopResult result = StopRecording(state());
    ASSERT_EQ(result.outcome, StopResult::Outcome::Saved);
    ASSERT_EQ(app.prompter().asked().size(), 1);
    EXPECT_EQ(app.prompter().asked().at(0).text, state().message(QStringLiteral("MsgText31")));
    EXPECT_EQ(app.prompter().proposals(),
              QStringList{QLocale::system().toString(app.clock().now(), QLocale::ShortFormat)});
    EXPECT_EQ(result.path, folder() + QStringLiteral("20240131153045.vls"));
    EXPECT_EQ(ReadSetting("Main", "Name", result.path), "Holiday");
    EXPECT_EQ(ReadSetting("1", "Type", result.path), "5");
    EXPECT_FALSE(QFile::exists(scratch()));

    // A second script in the same second takes the next stamp.
    recordOneStep();
    app.prompter().expectText(QStringLiteral("two"));
    ASSERT_EQ(StopRecording(state()).outcome, StopResult::Outcome::Saved);
    EXPECT_EQ(scripts(), (QStringList{"20240131153045.vls", "20240131153046.vls"}));
    EXPECT_EQ(ReadSetting("Main", "Name", result.path), "Holiday");
}

TEST_F(ScriptRecordingTest, EmptyNameAsksWhetherToDiscard)
{
    recordOneStep();
    app.prompter().expectText(QStringLiteral("   "));
    app.prompter().expectButton(Prompter::No);
    app.prompter().expectText(std::nullopt); // cancelled counts as empty
    app.prompter().expectButton(Prompter::Yes);
    EXPECT_EQ(StopRecording(state()).outcome, StopResult::Outcome::Abandoned);
    const auto& asked = app.prompter().asked();
    ASSERT_EQ(asked.size(), 4);
    EXPECT_EQ(asked.at(1).text, state().message(QStringLiteral("MsgText32")));
    EXPECT_EQ(asked.at(1).defaultButton, Prompter::No);
    // The date and time is proposed again after No.
    EXPECT_EQ(asked.at(2).text, state().message(QStringLiteral("MsgText31")));
    EXPECT_TRUE(scripts().isEmpty());
    EXPECT_TRUE(QFile::exists(scratch()));
}

TEST_F(ScriptRecordingTest, AFailedMoveKeepsTheRecording)
{
    recordOneStep();
    // A file where the script folder belongs: the folder cannot be made and the move fails.
    QDir(folder()).removeRecursively();
    QFile blocker(folder().chopped(1));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    app.prompter().expectText(QStringLiteral("name"));
    const StopResult result = StopRecording(state());
    EXPECT_EQ(result.outcome, StopResult::Outcome::Failed);
    EXPECT_FALSE(result.systemText.isEmpty());
    EXPECT_TRUE(QFile::exists(scratch()));
}

} // namespace
