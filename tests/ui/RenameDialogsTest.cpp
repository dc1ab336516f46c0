#include "RenameDialogsFixture.h"

#include "app/PreviewTableWidget.h"
#include "rename/CaseDialog.h"
#include "rename/FolderExtensionDialog.h"
#include "rename/PrefixSuffixDialog.h"
#include "rename/RenameDialogFactory.h"
#include "rename/RenameSteps.h"
#include "script/DialogState.h"
#include "script/ScriptStore.h"
#include "settings/IniDocument.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QRadioButton>
#include <QTest>

namespace {

using RenameDialogs = RenameDialogsFixture;

void choose(QDialog& dialog, const char* option)
{
    auto* button = dialog.findChild<QRadioButton*>(QLatin1String(option));
    ASSERT_NE(button, nullptr) << option;
    button->click();
}

TEST_F(RenameDialogs, ARecordedScriptHoldsEveryApplyInOrder)
{
    open();
    addEntries({"trip.abc", "home"});
    item("mnuStartRecordScript")->trigger();
    EXPECT_EQ(app.state().recordingState, 1);
    answerDialogs([](QDialog& d) {
        if (d.objectName() == QLatin1String("frmPrefixSuffix")) {
            type(d, "txtPr", QStringLiteral("x"));
            press(d, "cmdApply");
            press(d, "cmdOK");
        } else {
            choose(d, "opt1(3)");
            choose(d, "opt2(3)");
            press(d, "cmdOK");
        }
    });
    button("Rename05")->trigger();
    item("mnuRename04")->trigger();
    EXPECT_EQ(newNames(), (QStringList{"XXTRIP.ABC", "XXHOME"}));

    app.prompter().expectText(QStringLiteral("Shout"));
    window->ui().scriptButton(QStringLiteral("StopRecordScript"))->trigger();
    const QString script = ScriptStore::scriptFolder(app.state()) + QStringLiteral("20240131153045.vls");
    const IniDocument doc = IniDocument::load(script);
    EXPECT_EQ(doc.value(QStringLiteral("Main"), QStringLiteral("Steps")), QStringLiteral("3"));
    EXPECT_EQ(doc.value(QStringLiteral("Main"), QStringLiteral("Name")), QStringLiteral("Shout"));
    for (const auto& [step, type] : {std::pair{"1", "5"}, {"2", "5"}, {"3", "4"}})
        EXPECT_EQ(doc.value(QLatin1String(step), QStringLiteral("Type")), QLatin1String(type)) << step;
    EXPECT_EQ(doc.value(QStringLiteral("1"), QStringLiteral("txtPr")), QStringLiteral("x"));
    EXPECT_FALSE(doc.contains(QStringLiteral("1"), QStringLiteral("txtSu")));
    EXPECT_EQ(doc.keys(QStringLiteral("3")), (QStringList{"Type", "opt1(3)", "opt2(3)"}));

    // The saved script is offered in the drop-down; choosing it only selects it.
    QMenu* scripts = window->ui().scriptButton(QStringLiteral("RunSelectedScript"))->menu();
    ASSERT_EQ(scripts->actions().size(), 1);
    EXPECT_TRUE(window->ui().scriptButton(QStringLiteral("RunSelectedScript"))->isEnabled());
    scripts->actions().at(0)->trigger();
    EXPECT_EQ(window->ui().lblSelectedScript->text(), QStringLiteral("Shout [2024-01-31, 15:30:45]"));
    EXPECT_EQ(window->scriptCommands().chosenScript(), QStringLiteral("20240131153045.vls"));
    EXPECT_EQ(newNames(), (QStringList{"XXTRIP.ABC", "XXHOME"}));
}

TEST_F(RenameDialogs, RecordingCommandsFollowTheState)
{
    open();
    QAction* start = window->ui().scriptButton(QStringLiteral("StartRecordScript"));
    QAction* stop = window->ui().scriptButton(QStringLiteral("StopRecordScript"));
    EXPECT_FALSE(start->isEnabled());
    EXPECT_FALSE(stop->isEnabled());
    EXPECT_FALSE(button("Rename05")->isEnabled());
    addEntries({"a"});
    EXPECT_TRUE(start->isEnabled());
    EXPECT_TRUE(item("mnuStartRecordScript")->isEnabled());
    EXPECT_FALSE(item("mnuStopRecordScript")->isEnabled());
    EXPECT_FALSE(window->ui().scriptButton(QStringLiteral("RunSelectedScript"))->isEnabled());
    start->trigger();
    EXPECT_FALSE(start->isEnabled());
    EXPECT_TRUE(stop->isEnabled());
    EXPECT_FALSE(item("mnuStartRecordScript")->isEnabled());
    window->refreshPreview();
    EXPECT_FALSE(start->isEnabled());
    // Stopping an empty recording asks nothing.
    stop->trigger();
    EXPECT_TRUE(start->isEnabled());
    EXPECT_FALSE(stop->isEnabled());
    EXPECT_TRUE(app.prompter().asked().isEmpty());
    // Running scripts is not built yet and says so; the drop-down still chooses one.
    EXPECT_EQ(window->ui().scriptButton(QStringLiteral("RunSelectedScript"))->toolTip(),
              window->notAvailableText(window->plainCaption(QStringLiteral("mnuRunSelectedScript"))));
    EXPECT_FALSE(item("mnuStartRunScript")->isEnabled());
    EXPECT_FALSE(window->ui().scriptButton(QStringLiteral("StartRunScript"))->isEnabled());
}

TEST_F(RenameDialogs, ClosingWhileRecordingSavesTheScriptOnYes)
{
    open();
    addEntries({"a"});
    item("mnuStartRecordScript")->trigger();
    answerDialogs([](QDialog& d) { press(d, "cmdOK"); });
    item("mnuRename05")->trigger();
    app.prompter().expectButton(Prompter::Yes);
    app.prompter().expectText(QStringLiteral("On close"));
    EXPECT_TRUE(window->closeRequest());
    EXPECT_EQ(app.prompter().asked().at(0).text, message("MsgText30"));
    EXPECT_EQ(ScriptStore::ScriptEntries(ScriptStore::scriptFolder(app.state())).size(), 1);
}

// The dialog and the step a script records give the same names, on the entries the selector admits.
TEST_F(RenameDialogs, EachDialogGivesTheNamesOfItsRecordedStep)
{
    struct Case
    {
        int type;
        std::function<void(QDialog&)> set;
    };
    const Case cases[] = {
        {5,
         [](QDialog& d) {
             type(d, "txtPr", QStringLiteral("01 "));
             type(d, "txtSu", QStringLiteral("_old"));
         }},
        {3, [](QDialog& d) { type(d, "txtFE", QStringLiteral("..bak ")); }},
        {3,
         [](QDialog& d) {
             type(d, "txtFE", QStringLiteral("bak"));
             d.findChild<QCheckBox*>(QStringLiteral("chkAddOldFE"))->setChecked(true);
         }},
        {3, [](QDialog& d) { choose(d, "optFE(0)"); }},
        {4,
         [](QDialog& d) {
             choose(d, "opt1(1)");
             choose(d, "opt2(3)");
         }},
        {4,
         [](QDialog& d) {
             choose(d, "opt1(3)");
             choose(d, "opt2(2)");
         }},
    };
    open();
    addEntries({"MY TRIP.ABC", "Trip.2004", "Trip"});
    select(1);
    window->ui().lstApplyTo->setCurrentIndex(2);
    for (const Case& c : cases) {
        DialogValues stored;
        answerDialogs([&](QDialog& d) {
            c.set(d);
            press(d, "cmdOK");
            stored = ReadDialogValues(&d);
        });
        for (FolderEntry& e : window->list().entries())
            e.setNewName(e.oldName());
        ASSERT_TRUE(window->renameCommands().openRenameDialog(c.type));
        const QStringList byDialog = newNames();
        EXPECT_EQ(byDialog.at(1), QStringLiteral("Trip.2004")) << "type " << c.type << ": not admitted";

        for (FolderEntry& e : window->list().entries())
            e.setNewName(e.oldName());
        RenameRun run(app.state(), window->list(), 2);
        ASSERT_TRUE(RenameSteps::run(c.type, stored, run));
        EXPECT_EQ(newNames(), byDialog) << "type " << c.type;
    }
    EXPECT_FALSE(window->renameCommands().openRenameDialog(1));
}

TEST_F(RenameDialogs, FolderExtensionCleansItsFieldAndEnablesByOption)
{
    open();
    addEntries({"Trip.2004"});
    answerDialogs([](QDialog& d) {
        auto* field = d.findChild<QLineEdit*>(QStringLiteral("txtFE"));
        auto* keep = d.findChild<QCheckBox*>(QStringLiteral("chkAddOldFE"));
        EXPECT_TRUE(field->isEnabled());
        choose(d, "optFE(0)");
        EXPECT_FALSE(field->isEnabled());
        EXPECT_FALSE(keep->isEnabled());
        choose(d, "optFE(1)");
        EXPECT_TRUE(keep->isEnabled());
        field->setText(QStringLiteral("..bak "));
        press(d, "cmdApply");
        EXPECT_EQ(field->text(), QStringLiteral("bak"));
        EXPECT_EQ(static_cast<FolderExtensionDialog&>(d).params().extension, QStringLiteral("bak"));
        press(d, "cmdCancel");
    });
    item("mnuRename03")->trigger();
    // Cancel keeps what Apply did.
    EXPECT_EQ(newNames(), QStringList{"Trip.bak"});
    EXPECT_TRUE(button("TakeChanges")->isEnabled());
}

TEST_F(RenameDialogs, RememberedValuesAreStoredAndRestoredOnlyWhenKept)
{
    open();
    addEntries({"a"});
    answerDialogs([](QDialog& d) {
        choose(d, "optFE(0)");
        type(d, "txtFE", QStringLiteral(" x "));
        press(d, "cmdOK");
    });
    item("mnuRename03")->trigger();
    EXPECT_FALSE(IniDocument::load(app.state().settingsFile).hasSection(QStringLiteral("frmFolderExtension")));

    app.state().saveDialogSettings = true;
    item("mnuRename03")->trigger();
    EXPECT_EQ(setting("frmFolderExtension", "txtFE"), QStringLiteral("x"));
    EXPECT_EQ(setting("frmFolderExtension", "optFE(0)"), QStringLiteral("-1"));

    answerDialogs([](QDialog& d) {
        EXPECT_TRUE(d.findChild<QRadioButton*>(QStringLiteral("optFE(0)"))->isChecked());
        EXPECT_FALSE(d.findChild<QLineEdit*>(QStringLiteral("txtFE"))->isEnabled());
        EXPECT_EQ(d.findChild<QLineEdit*>(QStringLiteral("txtFE"))->text(), QStringLiteral("x"));
        press(d, "cmdCancel");
    });
    item("mnuRename03")->trigger();
}

TEST_F(RenameDialogs, WhileAScriptRunsTheStepFillsTheDialogAndNothingIsStored)
{
    open();
    addEntries({"trip"});
    const QString script = app.settingsPath(QStringLiteral("run.vls"));
    DialogValues step;
    step.set(QStringLiteral("txtSu"), DialogValues::encodeText(QStringLiteral(" (copy)")));
    ScriptStore::startFile(script);
    ScriptStore::appendStep(script, 5, step);
    AppState& state = app.state();
    state.saveDialogSettings = true;
    state.scriptPath = script;
    state.scriptStep = 1;
    state.scriptRunMode = 2;

    RenameDialogHost host{state,
                          window->list(),
                          0,
                          QStringLiteral("All"),
                          QStringLiteral("&Prefix and suffix…"),
                          [this] { window->refreshPreview(); },
                          {}};
    PrefixSuffixDialog single(host);
    EXPECT_EQ(single.params().suffix, QStringLiteral(" (copy)"));
    single.show();
    EXPECT_EQ(single.windowTitle(),
              state.language.GetLngText(QStringLiteral("frmScript"), QStringLiteral("frmRunCaption")) +
                  QStringLiteral(": Prefix and suffix (All)"));
    EXPECT_EQ(single.focusWidget(), single.findChild<QWidget*>(QStringLiteral("cmdOK")));
    QCoreApplication::processEvents();
    EXPECT_TRUE(single.isVisible()) << "single steps wait for the user";
    single.reject();

    // Run all: OK is pressed at once.
    state.scriptRunMode = 1;
    PrefixSuffixDialog all(host);
    all.show();
    QCoreApplication::processEvents();
    EXPECT_FALSE(all.isVisible());
    EXPECT_EQ(all.result(), QDialog::Accepted);
    EXPECT_EQ(newNames(), QStringList{"trip (copy)"});
    EXPECT_FALSE(IniDocument::load(state.settingsFile).hasSection(QStringLiteral("frmPrefixSuffix")));
    state.scriptRunMode = 0;
}

TEST_F(RenameDialogs, TitleAndLabelsComeFromTheMainWindowAndTheCaption)
{
    open();
    addEntries({"a"});
    window->ui().lstApplyTo->setCurrentIndex(1);
    QString title;
    QString prefix;
    QString suffix;
    answerDialogs([&](QDialog& d) {
        title = d.windowTitle();
        prefix = d.findChild<QLabel*>(QStringLiteral("lblPrefix"))->text();
        suffix = d.findChild<QLabel*>(QStringLiteral("lblSuffix"))->text();
    });
    item("mnuRename05")->trigger();
    EXPECT_EQ(title, QStringLiteral("Prefix and suffix (") + window->ui().lstApplyTo->currentText() + QLatin1Char(')'));
    EXPECT_EQ(prefix, QStringLiteral("Prefix:"));
    EXPECT_EQ(suffix, QStringLiteral("Suffix:"));
}

TEST_F(RenameDialogs, NameFieldsRejectTypedCharactersButTakePastedOnes)
{
    open();
    addEntries({"a"});
    RenameDialogHost host{app.state(), window->list(), 0, QString(), QString(), {}, {}};
    PrefixSuffixDialog dialog(host);
    auto* field = dialog.findChild<QLineEdit*>(QStringLiteral("txtPr"));
    QTest::keyClicks(field, QStringLiteral("a\\b/c:d?e*f<g>h|i\"j k"));
    EXPECT_EQ(field->text(), QStringLiteral("abcdefghij k"));
    field->clear();
    QApplication::clipboard()->setText(QStringLiteral("<NAME>|x"));
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(field->text(), QStringLiteral("<NAME>|x"));

    // Receiving the focus selects the whole text, even when a click brought it.
    auto* other = dialog.findChild<QLineEdit*>(QStringLiteral("txtSu"));
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    other->setFocus();
    QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(2, field->height() / 2));
    QCoreApplication::processEvents();
    EXPECT_TRUE(field->hasFocus());
    EXPECT_EQ(field->selectedText(), QStringLiteral("<NAME>|x"));
}

class ManualEdit : public RenameDialogsFixture
{
protected:
    void edit(int row, const QString& typed)
    {
        setCurrent(row);
        answerDialogs([typed](QDialog& d) {
            type(d, "txtFileName", typed);
            press(d, "cmdOK");
        });
        item("mnuEditMan")->trigger();
    }
};

TEST_F(ManualEdit, ChangesTheCurrentEntryExactlyAsTyped)
{
    open();
    addEntries({"a", "b"});
    select(0);
    window->ui().lstApplyTo->setCurrentIndex(2); // would exclude the selected entry
    item("mnuStartRecordScript")->trigger();
    QString shown;
    QString title;
    setCurrent(0);
    answerDialogs([&](QDialog& d) {
        shown = d.findChild<QLineEdit*>(QStringLiteral("txtFileName"))->text();
        title = d.windowTitle();
        type(d, "txtFileName", QStringLiteral("New "));
        press(d, "cmdOK");
    });
    window->ui().leftButton(QStringLiteral("EditMan"))->trigger();
    EXPECT_EQ(shown, QStringLiteral("a"));
    EXPECT_EQ(title, window->plainCaption(QStringLiteral("btnBarLeftEditMan")).remove(QChar(0x2026)).trimmed());
    EXPECT_EQ(newNames(), (QStringList{"New ", "b"}));
    EXPECT_TRUE(button("TakeChanges")->isEnabled());
    // Manual edits are never recorded.
    EXPECT_EQ(ScriptStore::stepCount(ScriptStore::scratchPath(app.state())), 0);

    edit(0, QStringLiteral("   "));
    EXPECT_EQ(newNames(), (QStringList{"New ", "b"}));
    edit(1, QStringLiteral("c"));
    EXPECT_EQ(newNames(), (QStringList{"New ", "c"}));
    window->ui().lstVorschau->setFocus();
    answerDialogs([](QDialog& d) {
        type(d, "txtFileName", QStringLiteral("never"));
        press(d, "cmdCancel");
    });
    item("btnBarLeftEditMan")->trigger();
    EXPECT_EQ(newNames(), (QStringList{"New ", "c"}));
}

} // namespace
