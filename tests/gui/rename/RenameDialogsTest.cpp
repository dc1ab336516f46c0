#include "gui/mainwindow/MainWindowFixture.h"

#include "cli/BatchOptions.h"
#include "cli/BatchRun.h"
#include "core/platform/FileNames.h"
#include "core/rename/RenameSteps.h"
#include "core/script/ScriptStore.h"
#include "core/settings/IniDocument.h"
#include "gui/mainwindow/RenameController.h"
#include "gui/mainwindow/ScriptController.h"
#include "gui/rename/PrefixSuffixDialog.h"
#include "gui/rename/RenameDialogFactory.h"
#include "gui/script/DialogState.h"
#include "support/FaultInjectingFileSystem.h"
#include "support/TestTree.h"

#include <QTest>

namespace {

using RenameDialogs = MainWindowFixture;

// A script recorded in the window, replayed by the batch mode on the folders themselves, gives the names
// the window's dialogs gave.
TEST_F(RenameDialogs, ARecordedScriptHoldsEveryApplyAndTheBatchModeReplaysIt)
{
    TestTree tree({"Photos/my trip.abc/", "Photos/Home/", "Photos/x.y.z/"});
    open();
    addEntries({"Home", "my trip.abc", "x.y.z"}, tree.key(QStringLiteral("Photos")));
    item(CommandId::StartRecording)->trigger();
    answerDialogs([](QDialog& d) {
        if (d.objectName() == QLatin1String("frmPrefixSuffix"))
            operate(d, {"txtPr=x ", "cmdApply", "cmdOK"});
        else
            operate(d, {"opt1(3)", "opt2(3)", "cmdOK"});
    });
    button(CommandId::Rename05)->trigger();
    item(CommandId::Rename04)->trigger();
    const QStringList byWindow = newNames();
    EXPECT_EQ(byWindow, (QStringList{"X X HOME", "X X MY TRIP.ABC", "X X X.Y.Z"}));
    app.prompter().expectText(QStringLiteral("Shout"));
    window->ui().button(CommandId::StopRecording)->trigger();
    const QString script = ScriptStore::scriptFolder(app.state()) + QStringLiteral("20240131153045.vls");
    const IniDocument doc = IniDocument::load(script);
    EXPECT_EQ(doc.value(QStringLiteral("Main"), QStringLiteral("Steps")), QStringLiteral("3"));
    EXPECT_EQ(doc.value(QStringLiteral("Main"), QStringLiteral("Name")), QStringLiteral("Shout"));
    for (const auto& [step, type] : {std::pair{"1", "5"}, {"2", "5"}, {"3", "4"}})
        EXPECT_EQ(doc.value(QLatin1String(step), QStringLiteral("Type")), QLatin1String(type)) << step;
    EXPECT_EQ(doc.keys(QStringLiteral("3")), (QStringList{"Type", "opt1(3)", "opt2(3)"}));

    // The saved script is offered in the drop-down; choosing it only selects it.
    QAction* run = window->ui().button(CommandId::ChooseScript);
    ASSERT_EQ(run->menu()->actions().size(), 1);
    run->menu()->actions().at(0)->trigger();
    EXPECT_EQ(window->ui().lblSelectedScript->text(), QStringLiteral("Shout [2024-01-31, 15:30:45]"));
    EXPECT_EQ(window->scriptController().chosenScript(), QStringLiteral("20240131153045.vls"));
    EXPECT_EQ(newNames(), byWindow);

    QBuffer out;
    QBuffer err;
    EXPECT_TRUE(out.open(QIODevice::WriteOnly) && err.open(QIODevice::WriteOnly));
    EXPECT_EQ(BatchRun(app.state(), out, err)
                  .run(ParseBatchArguments({"--script", script, "--sort", "name", tree.path("Photos/Home"),
                                            tree.path("Photos/my trip.abc"), tree.path("Photos/x.y.z")})),
              BatchRun::Done)
        << err.data().toStdString();
    QStringList byBatch;
    for (const QString& line : FileNames::decode(out.data()).split('\n', Qt::SkipEmptyParts))
        byBatch.append(line.section('\t', 2));
    EXPECT_EQ(byBatch, byWindow);
    EXPECT_EQ(tree.folders(QStringLiteral("Photos")), byWindow);
}

TEST_F(RenameDialogs, ClosingWhileRecordingSavesTheScriptOnYes)
{
    open();
    addEntries({"a"});
    item(CommandId::StartRecording)->trigger();
    answerDialogs([](QDialog& d) { operate(d, {"cmdOK"}); });
    item(CommandId::Rename05)->trigger();
    app.prompter().expectButton(Prompter::Yes);
    app.prompter().expectText(QStringLiteral("On close"));
    EXPECT_TRUE(window->closeRequest());
    EXPECT_EQ(app.prompter().asked().at(0).text, message("MsgText30"));
    EXPECT_EQ(ScriptStore::ScriptEntries(ScriptStore::scriptFolder(app.state())).size(), 1);
}

// The dialog and the step a script records give the same names, on the entries the selector admits.
TEST_F(RenameDialogs, EachDialogGivesTheNamesOfItsRecordedStep)
{
    const std::pair<int, QStringList> cases[] = {
        {5, {"txtPr=01 ", "txtSu=_old"}},
        {3, {"txtFE=..bak "}},
        {3, {"txtFE=bak", "chkAddOldFE"}},
        {3, {"optFE(0)"}},
        {4, {"opt1(1)", "opt2(3)"}},
        {4, {"opt1(3)", "opt2(2)"}},
        {1, {"txtInit=8", "txtInc=-3", "optSuffix", "chkIntChr"}},
        {9, {"txtFormat=yymmdd", "opt1(1)", "chkReplace", "txtRepName=Scan"}},
    };
    open();
    addEntries({"MY TRIP.ABC", "Trip.2004", "Trip"}); // sorted by path, siblings by name: Trip.2004 comes last
    select(2);
    window->ui().lstApplyTo->setCurrentIndex(2);
    for (const auto& [type, steps] : cases) {
        SCOPED_TRACE(steps.join(' ').toStdString());
        DialogValues stored;
        QString title;
        answerDialogs([&](QDialog& d) {
            operate(d, steps + QStringList{"cmdOK"});
            stored = ReadDialogValues(&d);
            title = d.windowTitle();
        });
        window->list().rejectProposals();
        ASSERT_TRUE(window->renameController().openRenameDialog(type));
        EXPECT_TRUE(title.endsWith(QStringLiteral(" (") + window->ui().lstApplyTo->currentText() + QLatin1Char(')')));
        const QStringList byDialog = newNames();
        EXPECT_EQ(byDialog.at(2), QStringLiteral("Trip.2004")) << "not admitted";
        window->list().rejectProposals();
        RenameRun run(app.state(), window->list(), 2);
        ASSERT_TRUE(RenameSteps::run(type, stored, run));
        EXPECT_EQ(newNames(), byDialog);
    }
}

// The step table decides which rename functions exist; the window offers exactly those, each with its
// dialog, and the dialog records the form name the batch mode expects.
TEST_F(RenameDialogs, EveryBuiltFunctionHasItsDialogAndNothingElseDoes)
{
    open();
    addEntries({"a"});
    for (int type = 0; type <= 11; ++type) {
        SCOPED_TRACE(type);
        const auto dialog = CreateRenameDialog(
            type, {app.state(), window->session(), window->list(), 0, QString(), QString(), {}, {}}, window.get());
        EXPECT_EQ(dialog != nullptr, RenameSteps::available(type));
        if (dialog) {
            EXPECT_EQ(dialog->objectName(), RenameSteps::formName(type));
            EXPECT_EQ(dialog->type(), type);
        }
        if (type >= 1 && type <= 10) {
            EXPECT_EQ(window->isEnabled(renameCommand(type)), RenameSteps::available(type));
        }
    }
}

TEST_F(RenameDialogs, FolderExtensionCleansItsFieldAndEnablesByOption)
{
    open();
    addEntries({"Trip.2004"});
    answerDialogs([](QDialog& d) {
        auto* field = d.findChild<QLineEdit*>(QStringLiteral("txtFE"));
        auto* keep = d.findChild<QCheckBox*>(QStringLiteral("chkAddOldFE"));
        operate(d, {"optFE(0)"});
        EXPECT_FALSE(field->isEnabled() || keep->isEnabled());
        operate(d, {"optFE(1)", "txtFE=..bak ", "cmdApply"});
        EXPECT_TRUE(keep->isEnabled());
        EXPECT_EQ(field->text(), QStringLiteral("bak"));
        operate(d, {"cmdCancel"});
    });
    item(CommandId::Rename03)->trigger();
    EXPECT_EQ(newNames(), QStringList{"Trip.bak"}); // Cancel keeps what Apply did
}

TEST_F(RenameDialogs, RememberedValuesAreStoredAndRestoredOnlyWhenKept)
{
    open();
    addEntries({"a"});
    answerDialogs([](QDialog& d) { operate(d, {"optFE(0)", "txtFE= x ", "cmdOK"}); });
    item(CommandId::Rename03)->trigger();
    EXPECT_FALSE(IniDocument::load(app.state().settingsFile).hasSection(QStringLiteral("frmFolderExtension")));
    app.state().settings.setFlag(Settings::Key::SaveDialogSettings, true);
    item(CommandId::Rename03)->trigger();
    EXPECT_EQ(setting("frmFolderExtension", "optFE(0)"), QStringLiteral("-1"));
    answerDialogs([](QDialog& d) {
        EXPECT_TRUE(d.findChild<QRadioButton*>(QStringLiteral("optFE(0)"))->isChecked());
        EXPECT_EQ(d.findChild<QLineEdit*>(QStringLiteral("txtFE"))->text(), QStringLiteral("x"));
        operate(d, {"cmdCancel"});
    });
    item(CommandId::Rename03)->trigger();
}

TEST_F(RenameDialogs, NameFieldsRejectTypedCharactersButTakePastedOnes)
{
    open();
    PrefixSuffixDialog dialog({app.state(), window->session(), window->list(), 0, QString(), QString(), {}, {}});
    auto* field = dialog.findChild<QLineEdit*>(QStringLiteral("txtPr"));
    QTest::keyClicks(field, QStringLiteral("a\\b/c:d?e*f<g>h|i\"j k"));
    EXPECT_EQ(field->text(), QStringLiteral("abcdefghij k"));
    field->clear();
    QApplication::clipboard()->setText(QStringLiteral("<NAME>|x"));
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(field->text(), QStringLiteral("<NAME>|x"));
}

TEST_F(RenameDialogs, ManualEditChangesTheCurrentEntryExactlyAsTypedAndIsNeverRecorded)
{
    open();
    addEntries({"a", "b"});
    select(0);
    window->ui().lstApplyTo->setCurrentIndex(2); // would exclude the selected entry
    item(CommandId::StartRecording)->trigger();
    QString shown;
    setCurrent(0);
    answerDialogs([&](QDialog& d) {
        shown = d.findChild<QLineEdit*>(QStringLiteral("txtFileName"))->text();
        operate(d, {"txtFileName=New ", "cmdOK"});
    });
    window->ui().button(CommandId::EditCurrent)->trigger();
    EXPECT_EQ(shown, QStringLiteral("a"));
    EXPECT_EQ(newNames(), (QStringList{"New ", "b"}));
    EXPECT_EQ(ScriptStore::stepCount(ScriptStore::scratchPath(app.state())), 0);

    // Blanks only change nothing; Cancel changes nothing.
    for (const QStringList& steps : {QStringList{"txtFileName=   ", "cmdOK"}, QStringList{"txtFileName=c", "cmdOK"},
                                     QStringList{"txtFileName=never", "cmdCancel"}}) {
        setCurrent(1);
        answerDialogs([steps](QDialog& d) { operate(d, steps); });
        item(CommandId::EditCurrent)->trigger();
    }
    EXPECT_EQ(newNames(), (QStringList{"New ", "c"}));
}

// A step that cannot be remembered or recorded is told, naming the file, and the rename still runs.
TEST_F(RenameDialogs, AStepThatCannotBeWrittenIsToldAndStillRuns)
{
    TestTree tree({"P/a/"});
    open();
    addEntries({"a"}, tree.key(QStringLiteral("P")));
    app.state().settings.setFlag(Settings::Key::SaveDialogSettings, true);
    item(CommandId::StartRecording)->trigger();
    const QStringList files{app.state().settingsFile, ScriptStore::scratchPath(app.state())};
    auto fs = std::make_unique<FaultInjectingFileSystem>();
    for (const QString& file : files)
        fs->fail(FaultInjectingFileSystem::Op::WriteFile, file);
    app.state().services.fileSystem = std::move(fs);
    app.prompter().expectButton(Prompter::Ok);
    app.prompter().expectButton(Prompter::Ok);
    answerDialogs([](QDialog& d) { operate(d, {"txtPr=x ", "cmdOK"}); });
    button(CommandId::Rename05)->trigger();
    EXPECT_EQ(newNames(), QStringList{"x a"});
    ASSERT_EQ(app.prompter().asked().size(), 2);
    for (int n = 0; n < 2; ++n)
        EXPECT_TRUE(app.prompter().asked().at(n).text.contains(files.at(n))) << n;
}

} // namespace
