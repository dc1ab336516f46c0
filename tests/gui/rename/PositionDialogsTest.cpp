// The insert, replace, trim and move dialogs and the position picker, worked as a user works them.
#include "gui/mainwindow/MainWindowFixture.h"

#include "cli/BatchOptions.h"
#include "cli/BatchRun.h"
#include "core/platform/FileNames.h"
#include "core/rename/NameParts.h"
#include "core/rename/RenameSteps.h"
#include "core/script/ScriptStore.h"
#include "gui/rename/InsertDialog.h"
#include "gui/rename/MoveDialog.h"
#include "gui/rename/PositionPickerDialog.h"
#include "gui/rename/TrimDialog.h"
#include "gui/script/DialogState.h"
#include "support/TestTree.h"

#include <QTest>

namespace {

class PositionDialogs : public MainWindowFixture
{
protected:
    // As operate, and "cmbAlign#1" chooses that entry of a combo box.
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
};

// The dialog and the step it records give the same names, on the entries the selector admits.
TEST_F(PositionDialogs, EachDialogGivesTheNamesOfItsRecordedStep)
{
    const std::tuple<const char*, int, QStringList, QStringList> cases[] = {
        {"insert at a position", 7, {"txtIns=2004", "txtPos=4", "chkIntChr"}, {"MY T 2004 RIP.ABC", "Trip 2004"}},
        {"insert from the right", 7, {"txtIns=-", "txtPos=1", "cmbAlign#1"}, {"MY TRI-P.ABC", "Tri-p"}},
        {"insert at the end", 7, {"opt1(5)", "txtIns=x"}, {"MY TRIPx.ABC", "Tripx"}},
        {"replace a text", 6, {"txtToRep=T", "txtRepBy=7"}, {"MY 7RIP.ABC", "7rip"}},
        {"replace a reversed range",
         6,
         {"optChr2Repl", "optChrFromTo", "txtFrom=3", "txtTo=2", "txtRepBy=X"},
         {"MXTRIP.ABC", "TXp"}},
        {"replace with a pattern", 6, {"chkRegExp", "txtToRep=^(\\w)(\\w)", "txtRepBy=$2$1"}, {"YM TRIP.ABC", "rTip"}},
        {"remove all but letters", 6, {"optAllChrExcept", "optRemove"}, {"MYTRIP.ABC", "Trip"}},
        {"replace other characters",
         6,
         {"optFollowingChr", "cmbRemove#2", "txtRepBy=_", "txtToRep=ignored"},
         {"MY TRIP.ABC", "Trip"}},
        {"trim the first", 10, {"txtPos(0)=2"}, {"MY.ABC", "Tr"}},
        {"trim a reversed range", 10, {"opt1(3)", "txtFrom=4", "txtTo=2"}, {"Y T.ABC", "rip"}},
        {"move in all entries", 8, {"txtFrom=1", "txtTo=2", "txtPos=1", "chkAdd2All"}, {" MYTRIP.ABC", "iTrp"}},
    };
    open();
    addEntries({"MY TRIP.ABC", "Trip", "Trip.2004"});
    select(2);
    window->ui().lstApplyTo->setCurrentIndex(2);
    for (const auto& [name, type, steps, expected] : cases) {
        SCOPED_TRACE(name);
        DialogValues stored;
        answerDialogs([&](QDialog& d) {
            work(d, steps + QStringList{"cmdOK"});
            stored = ReadDialogValues(&d);
        });
        window->list().rejectProposals();
        ASSERT_TRUE(window->renameController().openRenameDialog(type));
        const QStringList byDialog = newNames();
        EXPECT_EQ(byDialog, (QStringList{expected.at(0), expected.at(1), "Trip.2004"}));
        window->list().rejectProposals();
        RenameRun run(app.state(), window->list(), 2);
        ASSERT_TRUE(RenameSteps::run(type, stored, run));
        EXPECT_EQ(newNames(), byDialog);
    }
}

// Input that cannot be applied is told with its message, the focus goes to the field, and nothing is
// remembered, recorded or renamed.
TEST_F(PositionDialogs, InputThatCannotBeAppliedIsToldAndChangesNothing)
{
    const std::tuple<const char*, int, QStringList, const char*, const char*> cases[] = {
        {"no text to insert", 7, {"txtIns="}, "MsgText08", "txtIns"},
        {"a position that is no number", 7, {"txtIns=x", "txtPos=4a"}, "msgNumberField", "txtPos"},
        {"a negative position", 7, {"txtIns=x", "txtPos=-1"}, "msgNumberField", "txtPos"},
        {"no text to replace", 6, {"txtToRep=", "txtRepBy=x"}, "MsgText09", "txtToRep"},
        {"no replacement", 6, {"txtToRep=a", "txtRepBy="}, "MsgText10", "txtRepBy"},
        {"an invalid pattern", 6, {"chkRegExp", "txtToRep=(a", "txtRepBy=x"}, "msgRegExpInvalid", "txtToRep"},
        {"a count of 0", 6, {"optChr2Repl", "txtPos(0)=0", "txtRepBy=x"}, "msgNumberField", "txtPos(0)"},
        {"a trim range end that is no number", 10, {"opt1(3)", "txtTo=x"}, "msgNumberField", "txtTo"},
    };
    open();
    addEntries({"abc"});
    app.state().settings.setFlag(Settings::Key::SaveDialogSettings, true);
    item(CommandId::StartRecording)->trigger();
    for (const auto& [name, type, steps, messageKey, field] : cases) {
        SCOPED_TRACE(name);
        const qsizetype asked = app.prompter().asked().size();
        app.prompter().expectButton(Prompter::Ok);
        QString focused;
        answerDialogs([&](QDialog& d) {
            d.show();
            operate(d, steps + QStringList{"cmdOK"});
            focused = d.focusWidget() ? d.focusWidget()->objectName() : QString();
            EXPECT_EQ(d.result(), QDialog::Rejected) << "the dialog stays open";
            operate(d, {"cmdCancel"});
        });
        ASSERT_TRUE(window->renameController().openRenameDialog(type));
        ASSERT_EQ(app.prompter().asked().size(), asked + 1);
        const QString text = app.prompter().asked().last().text;
        const QString start = message(messageKey).section(QLatin1Char('%'), 0, 0);
        EXPECT_TRUE(text.startsWith(start)) << text.toStdString();
        EXPECT_EQ(focused, QLatin1String(field));
    }
    EXPECT_EQ(newNames(), QStringList{"abc"});
    EXPECT_EQ(ScriptStore::stepCount(ScriptStore::scratchPath(app.state())), 0);
    for (const char* form : {"frmInsert", "frmReplace", "frmTrim"})
        EXPECT_FALSE(IniDocument::load(app.state().settingsFile).hasSection(QLatin1String(form))) << form;
}

// A pattern takes the characters a name cannot hold; the dialogs remember their values, the option and
// the numbers with their bars included.
TEST_F(PositionDialogs, PatternsCanBeTypedAndValuesAreRemembered)
{
    open();
    addEntries({"a1b22"});
    app.state().settings.setFlag(Settings::Key::SaveDialogSettings, true);
    answerDialogs([](QDialog& d) {
        auto* find = d.findChild<QLineEdit*>(QStringLiteral("txtToRep"));
        QTest::keyClicks(find, QStringLiteral("\\d*"));
        EXPECT_EQ(find->text(), QStringLiteral("d")) << "a name part, filtered";
        find->clear();
        operate(d, {"chkRegExp"});
        QTest::keyClicks(find, QStringLiteral("\\d+|b"));
        EXPECT_EQ(find->text(), QStringLiteral("\\d+|b"));
        operate(d, {"txtRepBy=<$0>", "cmdOK"});
    });
    item(CommandId::Rename06)->trigger();
    EXPECT_EQ(newNames(), QStringList{"a<1><b><22>"});
    answerDialogs([](QDialog& d) {
        EXPECT_TRUE(d.findChild<QCheckBox*>(QStringLiteral("chkRegExp"))->isChecked());
        EXPECT_EQ(d.findChild<QLineEdit*>(QStringLiteral("txtToRep"))->text(), QStringLiteral("\\d+|b"));
        operate(d, {"cmdCancel"});
    });
    item(CommandId::Rename06)->trigger();

    answerDialogs([](QDialog& d) { operate(d, {"opt1(2)", "txtPos(1)=7", "cmdCancel"}); });
    item(CommandId::Rename10)->trigger();
    answerDialogs([](QDialog& d) { operate(d, {"opt1(2)", "txtPos(1)=7", "cmdOK"}); });
    item(CommandId::Rename10)->trigger();
    answerDialogs([](QDialog& d) {
        EXPECT_TRUE(d.findChild<QRadioButton*>(QStringLiteral("opt1(2)"))->isChecked());
        EXPECT_EQ(d.findChild<QLineEdit*>(QStringLiteral("txtPos(1)"))->text(), QStringLiteral("7"));
        EXPECT_EQ(d.findChild<QScrollBar*>(QStringLiteral("VScrollPos(1)"))->value(), 194);
        EXPECT_FALSE(d.findChild<QLineEdit*>(QStringLiteral("txtPos(0)"))->isEnabled());
        operate(d, {"cmdCancel"});
    });
    item(CommandId::Rename10)->trigger();
}

TEST_F(PositionDialogs, ThePickerCountsCharactersFromEitherSideAndWritesBack)
{
    open();
    addEntries({"Holiday.2004", "\xF0\x9F\x8F\x96"
                                "ab"});
    const struct
    {
        const char* name;
        PositionPickerDialog::Request request;
        int entry, caret, selected;
        PositionPickerDialog::Result expected;
    } rows[] = {
        {"after the third, from the left", PositionPickerDialog::Request::First, 1, 3, 0, {3, false, 4, 3}},
        {"after the third, from the right", PositionPickerDialog::Request::Last, 1, 3, 0, {4, true, 4, 3}},
        {"a range", PositionPickerDialog::Request::FromTo, 1, 1, 3, {1, false, 2, 4}},
        {"beyond the basic plane", PositionPickerDialog::Request::First, 2, 2, 0, {1, false, 2, 1}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        PositionPickerDialog picker(app.state(), window->list(), row.request);
        picker.showEntry(row.entry);
        auto* name = picker.findChild<QLineEdit*>(QStringLiteral("txtFileName"));
        EXPECT_EQ(name->text(), GetFolderBaseName(window->list().entry(row.entry - 1).newName));
        if (row.selected)
            name->setSelection(row.caret, row.selected);
        else
            name->setCursorPosition(row.caret);
        const PositionPickerDialog::Result r = picker.result();
        EXPECT_EQ(r.fromRight, row.expected.fromRight);
        if (row.request == PositionPickerDialog::Request::FromTo) {
            EXPECT_EQ(std::pair(r.from, r.to), std::pair(row.expected.from, row.expected.to));
        } else {
            EXPECT_EQ(r.position, row.expected.position);
        }
    }

    // Written back into the insert dialog with its direction, within the field's range.
    InsertDialog insert({app.state(), window->session(), window->list(), 0, QString(), QString(), {}, {}});
    insert.takePosition({4, true, 1, 1});
    EXPECT_EQ(insert.params().position, 4);
    EXPECT_TRUE(insert.params().fromRight);
    insert.takePosition({999, false, 1, 1});
    EXPECT_EQ(insert.params().position, 200);
    EXPECT_FALSE(insert.params().fromRight);

    // Trim puts a reversed range in order before it asks, and takes the picked range into its fields.
    TrimDialog trim({app.state(), window->session(), window->list(), 0, QString(), QString(), {}, {}});
    operate(trim, {"opt1(3)", "txtFrom=5", "txtTo=2"});
    EXPECT_EQ(trim.positionRequest(), PositionPickerDialog::Request::FromTo);
    EXPECT_EQ(std::pair(trim.params().from, trim.params().to), std::pair(2, 5));
    trim.takePosition({0, false, 3, 4});
    EXPECT_EQ(trim.params().structure(), QStringLiteral("<Name_M(3,4)><.Ext>"));
    operate(trim, {"opt1(4)"});
    EXPECT_EQ(trim.positionRequest(), std::nullopt);
}

TEST_F(PositionDialogs, MoveShowsTheResultForTheExampleAndChangesOnlyItUnlessAskedForAll)
{
    open();
    addEntries({"abcdef.x", "ghijkl"});
    window->ui().lstApplyTo->setCurrentIndex(2); // admits both: nothing is selected
    answerDialogs([](QDialog& d) {
        auto& move = static_cast<MoveDialog&>(d);
        move.selectRun(1, 3);
        auto* shift = d.findChild<QScrollBar*>(QStringLiteral("HScroll1"));
        EXPECT_EQ(std::pair(shift->minimum(), shift->maximum()), std::pair(0, 3));
        move.setShift(1);
        auto* preview = d.findChild<QLineEdit*>(QStringLiteral("txtPreview"));
        EXPECT_EQ(preview->text(), QStringLiteral("dabcef"));
        EXPECT_EQ(preview->selectedText(), QStringLiteral("abc"));
        EXPECT_EQ(d.findChild<QLineEdit*>(QStringLiteral("txtPos"))->text(), QStringLiteral("1"));
        operate(d, {"cmdOK"});
    });
    item(CommandId::Rename08)->trigger();
    EXPECT_EQ(newNames(), (QStringList{"dabcef.x", "ghijkl"}));
}

// A script recorded in the window with each of these functions, replayed by the batch mode on the folders
// themselves, gives the names the window's dialogs gave.
TEST_F(PositionDialogs, ARecordedScriptOfEachFunctionReplaysInBatchMode)
{
    TestTree tree({"Photos/alpha 2004/", "Photos/beta.trip/", "Photos/gamma12/"});
    open();
    addEntries({"alpha 2004", "beta.trip", "gamma12"}, tree.key(QStringLiteral("Photos")));
    item(CommandId::StartRecording)->trigger();
    const QHash<QString, QStringList> steps{
        {"frmReplace", {"chkRegExp", "txtToRep=(\\d+)", "txtRepBy=#$1"}},
        {"frmInsert", {"txtIns=x", "txtPos=2", "chkIntChr"}},
        {"frmTrim", {"txtPos(0)=7"}},
        {"frmMove", {"txtFrom=1", "txtTo=2", "txtPos=2", "chkAdd2All"}},
    };
    answerDialogs([&](QDialog& d) { work(d, steps.value(d.objectName()) + QStringList{"cmdOK"}); });
    for (const CommandId id : {CommandId::Rename06, CommandId::Rename07, CommandId::Rename10, CommandId::Rename08})
        item(id)->trigger();
    const QStringList byWindow = newNames();
    EXPECT_EQ(byWindow, (QStringList{" xal ph", " xbe ta.trip", " xga mm"}));
    app.prompter().expectText(QStringLiteral("Four steps"));
    window->ui().button(CommandId::StopRecording)->trigger();
    const QString script = ScriptStore::scriptFolder(app.state()) + QStringLiteral("20240131153045.vls");
    EXPECT_EQ(ScriptStore::stepCount(script), 4);

    QBuffer out;
    QBuffer err;
    EXPECT_TRUE(out.open(QIODevice::WriteOnly) && err.open(QIODevice::WriteOnly));
    EXPECT_EQ(
        BatchRun(app.state(), out, err)
            .run(ParseBatchArguments({"--script", script, "--sort", "name", "--dry-run", tree.path("Photos/alpha 2004"),
                                      tree.path("Photos/beta.trip"), tree.path("Photos/gamma12")})),
        BatchRun::Done)
        << err.data().toStdString();
    QStringList byBatch;
    for (const QString& line : FileNames::decode(out.data()).split('\n', Qt::SkipEmptyParts))
        byBatch.append(line.section('\t', 2));
    EXPECT_EQ(byBatch, byWindow);

    // A script whose position is no number is reported and not run.
    IniDocument doc = IniDocument::load(script);
    doc.setValue(QStringLiteral("3"), QStringLiteral("txtPos(0)"), QStringLiteral("seven"));
    ASSERT_TRUE(doc.save(app.state().fs(), script).ok());
    QBuffer out2;
    QBuffer err2;
    EXPECT_TRUE(out2.open(QIODevice::WriteOnly) && err2.open(QIODevice::WriteOnly));
    EXPECT_EQ(BatchRun(app.state(), out2, err2)
                  .run(ParseBatchArguments({"--script", script, "--dry-run", tree.path("Photos/gamma12")})),
              BatchRun::CannotRun);
    EXPECT_TRUE(out2.data().isEmpty());
    EXPECT_TRUE(err2.data().contains("seven")) << err2.data().toStdString();
}

} // namespace
