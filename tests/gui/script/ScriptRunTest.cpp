// Replaying scripts in the window: all steps at once or step by step, from the script dialog, the script
// bar and the command line; the window and the batch mode give the same folders on disk.
#include "gui/mainwindow/MainWindowFixture.h"

#include "cli/BatchOptions.h"
#include "cli/BatchRun.h"
#include "core/load/CommandLine.h"
#include "core/load/FolderLoader.h"
#include "core/script/ScriptStore.h"
#include "core/settings/IniDocument.h"
#include "gui/mainwindow/LoadController.h"
#include "gui/mainwindow/PreviewController.h"
#include "gui/mainwindow/ScriptController.h"
#include "gui/rename/RenameDialog.h"
#include "support/TestTree.h"
#include "support/WriteTextFile.h"

namespace {

class ScriptRun : public MainWindowFixture
{
protected:
    // Works a dialog: "txtPr=x" types, "cmbAlign#1" picks a combo entry, a bare name clicks.
    static void work(QDialog& dialog, const QStringList& steps)
    {
        for (const QString& step : steps) {
            auto* combo = dialog.findChild<QComboBox*>(step.section(QLatin1Char('#'), 0, 0));
            if (combo && step.contains(QLatin1Char('#')))
                combo->setCurrentIndex(step.section(QLatin1Char('#'), 1).toInt());
            else
                operate(dialog, {step});
        }
    }
    // A script in the script folder, from its text.
    QString writeScript(const QString& text, const QString& file = QStringLiteral("20240101120000.vls"))
    {
        const QString folder = ScriptStore::scriptFolder(app.state());
        QDir().mkpath(folder);
        EXPECT_TRUE(WriteTextFile(folder + file, text));
        return folder + file;
    }
    // Dialogs opened by a script: each is shown, so it activates as on screen, then answered. What each
    // step's dialog showed is noted.
    void answerSteps(const std::function<void(QDialog&)>& answer = {})
    {
        answerDialogs([this, answer](QDialog& d) {
            d.show();
            QCoreApplication::processEvents();
            auto& dialog = static_cast<RenameDialog&>(d);
            QWidget* focus = d.focusWidget();
            shown.append({dialog.type(), d.windowTitle(), focus ? focus->objectName() : QString()});
            if (answer)
                answer(d);
        });
    }
    void loadFolders(const TestTree& tree, const QStringList& names)
    {
        for (const QString& name : names)
            window->loadController().loader().AddFolder(tree.path(name));
        window->refreshPreview();
    }
    struct Shown
    {
        int type;
        QString title;
        QString focus;
    };
    QList<Shown> shown;
};

// A recorded script gives the same folders on disk whether the window or the batch mode replays it, and
// the names the dialogs gave while it was recorded. One row per rename function: a new function adds its
// row here.
TEST_F(ScriptRun, TheWindowAndTheBatchModeReplayARecordedScriptAlike)
{
    struct Row
    {
        int type;
        QStringList work;
    };
    const Row rows[] = {
        {5, {"txtPr=01 ", "txtSu=_old"}},
        {4, {"opt1(1)", "opt2(3)"}},
        {3, {"txtFE=bak", "chkAddOldFE"}},
        {6, {"txtToRep=T", "txtRepBy=7"}},
        {7, {"txtIns=-", "txtPos=1", "cmbAlign#1"}},
        {10, {"txtPos(0)=2"}},
        {8, {"txtFrom=1", "txtTo=2", "txtPos=1", "chkAdd2All"}},
        {1, {"txtInit=8", "txtInc=-3", "optSuffix", "chkIntChr"}},
        {9, {"txtFormat=yymmdd", "opt1(1)"}},
    };
    const QStringList names{"MY TRIP.ABC", "Trip", "Trip.2004", "x y z"};
    QStringList layout;
    for (const QString& name : names)
        layout.append(QStringLiteral("Photos/") + name + QLatin1Char('/'));
    const TestTree byWindow(layout);
    const TestTree byBatch(layout);
    open();
    loadFolders(byWindow, QStringList(names).replaceInStrings(QRegularExpression("^"), QStringLiteral("Photos/")));

    item(CommandId::StartRecording)->trigger();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.type);
        answerDialogs([&row](QDialog& d) { work(d, row.work + QStringList{"cmdOK"}); });
        ASSERT_TRUE(window->renameController().openRenameDialog(row.type));
    }
    const QStringList recorded = newNames();
    app.prompter().expectText(QStringLiteral("Every function"));
    item(CommandId::StopRecording)->trigger();
    const QString script = ScriptStore::scriptFolder(app.state()) + QStringLiteral("20240131153045.vls");
    ASSERT_EQ(ScriptStore::stepCount(script), std::size(rows));

    window->list().rejectProposals();
    window->refreshPreview();
    answerSteps();
    window->scriptController().runScript(script, 1);
    ASSERT_EQ(shown.size(), std::size(rows));
    EXPECT_EQ(newNames(), recorded);
    window->previewController().commitAll();

    QBuffer out;
    QBuffer err;
    ASSERT_TRUE(out.open(QIODevice::WriteOnly) && err.open(QIODevice::WriteOnly));
    QStringList arguments{"--script", script, "--sort", "name"};
    for (const QString& name : names)
        arguments.append(byBatch.path(QStringLiteral("Photos/") + name));
    EXPECT_EQ(BatchRun(app.state(), out, err).run(ParseBatchArguments(arguments)), BatchRun::Done)
        << err.data().toStdString();
    QStringList expected = recorded;
    expected.sort();
    EXPECT_EQ(byWindow.folders(QStringLiteral("Photos")), expected);
    EXPECT_EQ(byBatch.folders(QStringLiteral("Photos")), expected);
}

const char* kThreeSteps = "[Main]\nSteps=3\nName=Three\n"
                          "[1]\nType=5\ntxtPr=a_\n"
                          "[2]\nType=5\ntxtPr=b_\n"
                          "[3]\nType=10\nopt1(1)=-1\ntxtPos(0)=4\n";

// Step by step the user sees each filled dialog, marked as a script's, with OK focused; a cancelled step
// is skipped and the next one still comes.
TEST_F(ScriptRun, StepByStepShowsEveryStepAndCancelSkipsOne)
{
    open();
    addEntries({"xname"});
    const QString script = writeScript(QString::fromUtf8(kThreeSteps));
    answerSteps([this](QDialog& d) { operate(d, {shown.size() == 2 ? "cmdCancel" : "cmdOK"}); });
    window->scriptController().runScript(script, 2);
    ASSERT_EQ(shown.size(), 3);
    const QString mark = app.state().language.GetLngText(QStringLiteral("frmScript"), QStringLiteral("frmRunCaption"));
    for (const Shown& s : shown) {
        SCOPED_TRACE(s.title.toStdString());
        EXPECT_TRUE(s.title.startsWith(mark + QStringLiteral(": ")));
        EXPECT_EQ(s.focus, QStringLiteral("cmdOK"));
    }
    EXPECT_EQ(shown.at(2).type, 10);
    // a_ was applied, b_ cancelled, then trim kept the first four characters.
    EXPECT_EQ(newNames(), QStringList{"a_xn"});
    EXPECT_FALSE(window->session().scriptRunning());
    EXPECT_TRUE(window->session().scriptPath.isEmpty());
}

TEST_F(ScriptRun, NoStepsOpensNothingAndEndsTheRun)
{
    open();
    addEntries({"a"});
    answerSteps();
    window->scriptController().runScript(writeScript(QStringLiteral("[Main]\nSteps=0\n")), 1);
    EXPECT_TRUE(shown.isEmpty());
    EXPECT_EQ(window->session().scriptRunMode, 0);
}

// While a script runs the dialogs keep no settings, yet a recording records the steps again.
TEST_F(ScriptRun, ReplayedStepsAreNotRememberedButRecordedAgain)
{
    open();
    addEntries({"xname"});
    app.state().settings.setFlag(Settings::Key::SaveDialogSettings, true);
    item(CommandId::StartRecording)->trigger();
    answerSteps();
    window->scriptController().runScript(writeScript(QString::fromUtf8(kThreeSteps)), 1);
    EXPECT_EQ(newNames(), QStringList{"b_a_"});
    const IniDocument settings = IniDocument::load(app.state().settingsFile);
    EXPECT_FALSE(settings.hasSection(QStringLiteral("frmPrefixSuffix")));
    EXPECT_FALSE(settings.hasSection(QStringLiteral("frmTrim")));
    const IniDocument recording = IniDocument::load(ScriptStore::scratchPath(app.state()));
    EXPECT_EQ(recording.value(QStringLiteral("Main"), QStringLiteral("Steps")), QStringLiteral("3"));
    EXPECT_EQ(recording.value(QStringLiteral("2"), QStringLiteral("txtPr")), QStringLiteral("b_"));
    EXPECT_EQ(recording.value(QStringLiteral("3"), QStringLiteral("Type")), QStringLiteral("10"));
}

// A step whose values its dialog refuses: run-all stops there and says so; step by step the user is told,
// cancels, and the run goes on.
TEST_F(ScriptRun, ARefusedStepStopsRunAllAndIsSkippedStepByStep)
{
    open();
    addEntries({"xname"});
    const QString script = writeScript(QStringLiteral("[Main]\nSteps=3\n[1]\nType=5\ntxtPr=a_\n"
                                                      "[2]\nType=10\nopt1(3)=-1\ntxtTo=x\n[3]\nType=5\ntxtPr=c_\n"));
    app.prompter().expectButton(Prompter::Ok); // the trim dialog's refusal
    app.prompter().expectButton(Prompter::Ok); // the run stopped
    answerSteps();
    window->scriptController().runScript(script, 1);
    EXPECT_EQ(shown.size(), 2);
    EXPECT_EQ(newNames(), QStringList{"a_xname"});
    ASSERT_EQ(app.prompter().asked().size(), 2);
    EXPECT_EQ(app.prompter().asked().at(1).text,
              app.state().message(QStringLiteral("msgScriptStopped"), {script, "2"}));

    window->list().rejectProposals();
    window->refreshPreview();
    shown.clear();
    app.prompter().expectButton(Prompter::Ok);
    answerSteps([](QDialog& d) {
        operate(d, {"cmdOK"});
        if (d.isVisible())
            operate(d, {"cmdCancel"});
    });
    window->scriptController().runScript(script, 2);
    EXPECT_EQ(shown.size(), 3);
    EXPECT_EQ(newNames(), QStringList{"c_a_xname"});
    EXPECT_TRUE(app.prompter().allAnswered());
}

// A file that is no script is named in a message and nothing changes; gaps and types without a dialog
// are skipped.
TEST_F(ScriptRun, BadScriptsAreNamedAndChangeNothing)
{
    const std::pair<const char*, const char*> rows[] = {
        {"garbage", "\x7f\x01 just some bytes\n"},
        {"huge steps", "[Main]\nSteps=999999999\n[1]\nType=5\ntxtPr=x\n"},
        {"negative type", "[Main]\nSteps=2\n[1]\nType=5\ntxtPr=x\n[2]\nType=-4\n"},
    };
    open();
    addEntries({"a"});
    answerSteps();
    for (const auto& [name, text] : rows) {
        SCOPED_TRACE(name);
        const QString script = writeScript(QString::fromUtf8(text));
        app.prompter().expectButton(Prompter::Ok);
        window->scriptController().runScript(script, 1);
        ASSERT_FALSE(app.prompter().asked().isEmpty());
        EXPECT_TRUE(app.prompter().asked().last().text.contains(script));
    }
    EXPECT_TRUE(shown.isEmpty());
    EXPECT_EQ(newNames(), QStringList{"a"});

    window->scriptController().runScript(
        writeScript(QStringLiteral("[Main]\nSteps=4\n[1]\nType=42\n[2]\ntxtPr=z\n[4]\nType=5\ntxtPr=x\n")), 1);
    EXPECT_EQ(shown.size(), 1);
    EXPECT_EQ(newNames(), QStringList{"xa"});
}

// A long unattended run can be cancelled between steps.
TEST_F(ScriptRun, RunAllCanBeCancelledBetweenSteps)
{
    open();
    addEntries({"n"});
    const QString script = writeScript(QString::fromUtf8(kThreeSteps));
    answerSteps([this](QDialog&) {
        if (auto* progress = window->findChild<QProgressDialog*>())
            progress->cancel();
    });
    window->scriptController().runScript(script, 1);
    EXPECT_EQ(shown.size(), 1);
    EXPECT_EQ(newNames(), QStringList{"a_n"});
    EXPECT_EQ(window->session().scriptRunMode, 0);
}

// The script dialog lists the saved scripts and remembers how to run them; Start runs the chosen one.
TEST_F(ScriptRun, TheScriptDialogRunsTheChosenScriptAsChosen)
{
    open();
    addEntries({"xname"});
    writeScript(QString::fromUtf8(kThreeSteps));
    writeScript(QStringLiteral("[Main]\nSteps=1\nName=Other\n[1]\nType=5\ntxtPr=o_\n"),
                QStringLiteral("20240202120000.vls"));
    window->scriptController().setDialogRunner([](QDialog& d) {
        auto* scripts = d.findChild<QListWidget*>(QStringLiteral("lstScript"));
        auto* start = d.findChild<QPushButton*>(QStringLiteral("cmdStart"));
        EXPECT_EQ(scripts->count(), 2);
        EXPECT_EQ(scripts->item(0)->text(), QStringLiteral("Three [2024-01-01, 12:00:00]"));
        EXPECT_FALSE(start->isEnabled());
        scripts->setCurrentRow(0);
        operate(d, {"optRunSingleSteps", "cmdStart"});
        return d.result();
    });
    answerSteps([](QDialog& d) { operate(d, {"cmdOK"}); });
    item(CommandId::StartRunScript)->trigger();
    EXPECT_EQ(shown.size(), 3);
    EXPECT_EQ(newNames(), QStringList{"b_a_"});
    EXPECT_EQ(setting("frmScript", "optRunSingleSteps"), QStringLiteral("-1"));
    EXPECT_EQ(setting("frmScript", "lstScript"), QStringLiteral("0"));

    // Opened again, it shows the remembered choice; Cancel runs nothing.
    window->scriptController().setDialogRunner([](QDialog& d) {
        EXPECT_TRUE(d.findChild<QRadioButton*>(QStringLiteral("optRunSingleSteps"))->isChecked());
        EXPECT_TRUE(d.findChild<QPushButton*>(QStringLiteral("cmdStart"))->isEnabled());
        operate(d, {"cmdCancel"});
        return d.result();
    });
    shown.clear();
    item(CommandId::StartRunScript)->trigger();
    EXPECT_TRUE(shown.isEmpty());
}

// The script bar: an entry of the drop-down only chooses; the button runs the chosen script at once, or
// says none is chosen when its file is gone.
TEST_F(ScriptRun, TheScriptBarRunsTheChosenScript)
{
    const QString script = writeScript(QString::fromUtf8(kThreeSteps));
    open();
    addEntries({"xname"});
    answerSteps();
    QAction* run = button(CommandId::ChooseScript);
    EXPECT_TRUE(run->isEnabled());
    run->menu()->actions().at(0)->trigger();
    EXPECT_TRUE(shown.isEmpty());
    EXPECT_EQ(window->ui().lblSelectedScript->text(), QStringLiteral("Three [2024-01-01, 12:00:00]"));
    run->trigger();
    EXPECT_EQ(shown.size(), 3);
    EXPECT_EQ(newNames(), QStringList{"b_a_"});

    QFile::remove(script);
    shown.clear();
    item(CommandId::RunSelectedScript)->trigger();
    EXPECT_TRUE(shown.isEmpty());
    EXPECT_EQ(window->ui().lblSelectedScript->text(), app.state().statusText(5));
}

// "/runscript=" with a bare name runs that script of the script folder, all steps at once, once every
// folder of the command line is loaded, also those named after it.
TEST_F(ScriptRun, TheCommandLineRunsItsScriptAfterLoadingItsFolders)
{
    const TestTree tree({"a/", "b/"});
    open();
    writeScript(QString::fromUtf8(kThreeSteps), QStringLiteral("tidy.vls"));
    QStringList scripts;
    HandleArguments(
        {tree.path("a"), QStringLiteral("/RunScript=\"tidy.vls\""), tree.path("b"), QStringLiteral("/runscript=")},
        app.state(), window->loadController().loader(), [&scripts](const QString& path) { scripts.append(path); });
    answerSteps();
    window->scriptController().runScriptsLater(scripts);
    EXPECT_TRUE(shown.isEmpty()) << "not before the event loop runs";
    QCoreApplication::processEvents();
    EXPECT_EQ(shown.size(), 3);
    EXPECT_EQ(newNames(), (QStringList{"b_a_", "b_a_"}));
}

} // namespace
