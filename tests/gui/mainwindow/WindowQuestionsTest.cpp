#include "core/script/DialogValues.h"
#include "core/script/ScriptStore.h"
#include "core/settings/SettingsStore.h"
#include "core/settings/TextCodec.h"
#include "gui/mainwindow/LoadController.h"
#include "gui/mainwindow/MainWindowFixture.h"
#include "gui/mainwindow/PreviewController.h"
#include "gui/mainwindow/ScriptController.h"
#include "support/FaultInjectingFileSystem.h"
#include "support/TestTree.h"
#include "support/WriteTextFile.h"

#include <QLocale>

namespace {

// The questions the engine no longer asks: the window asks them before or after calling it.
using WindowQuestions = MainWindowFixture;

TEST_F(WindowQuestions, UndoAndRejectAskOnlyWhenTheUserWantsToBeAsked)
{
    store("Settings", "secquest1", QStringLiteral("1"));
    store("Settings", "secquest3", QStringLiteral("1"));
    open();
    addEntries({"a>a1", "b>b1"});
    ScriptedPrompter& prompter = app.prompter();
    prompter.expectButton(Prompter::No);
    window->previewController().undoProposals();
    prompter.expectButton(Prompter::No);
    window->previewController().rejectProposals();
    EXPECT_EQ(newNames(), (QStringList{"a1", "b1"}));
    ASSERT_EQ(prompter.asked().size(), 2);
    const ScriptedPrompter::Asked &undoAsked = prompter.asked().at(0), &rejectAsked = prompter.asked().at(1);
    EXPECT_EQ(QStringList({undoAsked.text, rejectAsked.text}),
              QStringList({message("MsgText07"), message("MsgText04")}));
    EXPECT_TRUE(undoAsked.buttons == (Prompter::Yes | Prompter::No) && rejectAsked.defaultButton == Prompter::No);

    prompter.expectButton(Prompter::Yes);
    window->previewController().rejectProposals();
    EXPECT_EQ(newNames(), (QStringList{"a", "b"}));
    for (Settings::Key key : {Settings::Key::ConfirmUndo, Settings::Key::ConfirmTake, Settings::Key::ConfirmReject})
        app.state().settings.setFlag(key, false);
    window->previewController().undoProposals(); // no question
}

TEST_F(WindowQuestions, StoppingARecordingAsksForTheNameUntilGivenOrDiscarded)
{
    open();
    const auto recordStep = [&] {
        window->scriptController().startRecording();
        ASSERT_EQ(window->session().recordingState, 1);
        ASSERT_GT(ScriptStore::appendStep(app.state().fs(), ScriptStore::scratchPath(app.state()), 5, DialogValues()),
                  0);
    };
    ScriptedPrompter& prompter = app.prompter();
    recordStep();
    prompter.expectText(QStringLiteral("   "));
    prompter.expectButton(Prompter::No);
    prompter.expectText(std::nullopt); // cancelled counts as empty
    prompter.expectButton(Prompter::Yes);
    window->scriptController().stopRecording();
    EXPECT_EQ(window->session().recordingState, 0);
    ASSERT_EQ(prompter.asked().size(), 4);
    EXPECT_EQ(prompter.asked().at(1).defaultButton, Prompter::No);
    EXPECT_EQ(prompter.asked().at(2).text, message("MsgText31"));
    EXPECT_TRUE(ScriptStore::ScriptEntries(ScriptStore::scriptFolder(app.state())).isEmpty());

    recordStep();
    prompter.expectText(QStringLiteral("  Holiday  "));
    window->scriptController().stopRecording();
    EXPECT_EQ(prompter.proposals().last(),
              app.state().language.textLocale().toString(app.clock().now(), QLocale::ShortFormat));
    EXPECT_EQ(ReadSetting("Main", "Name", ScriptStore::scriptFolder(app.state()) + "20240131153045.vls"), "Holiday");
}

TEST_F(WindowQuestions, ListFilePickerStartsAtTheLastFolder)
{
    TestTree tree({"A/", "Lists/"});
    tree.write("Lists/one.txt", tree.path("A").toUtf8() + "\n");
    store("Settings", "lastpath", QStringLiteral("/start/"));
    open();
    app.prompter().expectFiles({tree.path("Lists/one.txt")});
    window->loadController().openFromListFile();
    ASSERT_EQ(app.prompter().asked().size(), 1);
    EXPECT_EQ(app.prompter().asked().first().text, QStringLiteral("/start/"));
    EXPECT_EQ(window->list().size(), 1);
    EXPECT_EQ(setting("Settings", "lastpath"), tree.key("Lists"));
}

TEST_F(WindowQuestions, ASettingsFileThatCouldNotBeReadIsLeftAsItIsAndTheUserIsTold)
{
    const QString path = app.state().settingsFile;
    WriteTextFile(path, QStringLiteral("[Settings]\nlastpath=/mine/\n"));
    FaultInjectingFileSystem fs;
    fs.fail(FaultInjectingFileSystem::Op::Read, path);
    app.state().settings = Settings::load(fs, path);
    open();
    app.prompter().expectButton(Prompter::Ok);
    EXPECT_TRUE(window->closeRequest());
    ASSERT_EQ(app.prompter().asked().size(), 1);
    EXPECT_EQ(app.prompter().asked().first().text, message("msgSettingsUnreadable").arg(u'"' + path + u'"'));
    EXPECT_EQ(TextCodec::readFile(path), "[Settings]\nlastpath=/mine/\n");
}

} // namespace
