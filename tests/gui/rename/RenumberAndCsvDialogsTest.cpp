#include "gui/mainwindow/MainWindowFixture.h"

#include "core/script/DialogValues.h"
#include "core/script/ScriptStore.h"
#include "core/settings/IniDocument.h"
#include "gui/rename/NewNamesFromFileDialog.h"
#include "gui/rename/RenumberDialog.h"
#include "support/TestTree.h"

#include <QListWidget>
#include <QTest>

namespace {

using RenumberAndCsvDialogs = MainWindowFixture;

// Old name -> new name, whatever order the list shows them in.
QMap<QString, QString> renames(const PreviewList& list)
{
    QMap<QString, QString> out;
    for (const FolderEntry& e : list.entries())
        out.insert(e.oldName, e.newName);
    return out;
}

QStringList lines(const QListWidget* list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out.append(list->item(i)->text());
    return out;
}

TEST_F(RenumberAndCsvDialogs, RenumberProposesReordersAndRecordsItsStep)
{
    open();
    addEntries({"Track 10", "Track 2", "Intro", "Track 1"});
    item(CommandId::StartRecording)->trigger();
    answerDialogs([](QDialog& d) {
        auto& dialog = static_cast<RenumberDialog&>(d);
        auto* sorted = d.findChild<QListWidget*>("lstFilesSorted");
        auto* unsorted = d.findChild<QListWidget*>("lstFilesUnsorted");
        EXPECT_EQ(d.findChild<QComboBox*>("erkNum")->currentText(), "at the end of the names");
        EXPECT_EQ(lines(sorted), QStringList({"Track 1", "Track 2", "Track 10"}));
        EXPECT_EQ(lines(unsorted), QStringList({"Intro"}));
        EXPECT_EQ(d.findChild<QLineEdit*>("txtInit")->text(), "1");
        EXPECT_EQ(d.findChild<QLineEdit*>("txtInc")->text(), "8");
        EXPECT_TRUE(d.findChild<QCheckBox*>("chkReplace")->isChecked());
        EXPECT_EQ(d.findChild<QLineEdit*>("txtRepName")->text(), "Track ");
        EXPECT_TRUE(d.findChild<QRadioButton*>("optSuffix")->isChecked());
        EXPECT_FALSE(d.findChild<QPushButton*>("cmdUp")->isEnabled());
        // Track 10 to the top, Track 2 left out, Intro numbered after Track 1.
        sorted->setCurrentRow(2);
        dialog.moveUp();
        dialog.moveUp();
        EXPECT_FALSE(d.findChild<QPushButton*>("cmdUp")->isEnabled());
        sorted->setCurrentRow(2);
        dialog.moveToUnsorted();
        EXPECT_EQ(lines(unsorted), QStringList({"Intro", "Track 2"}));
        unsorted->setCurrentRow(0);
        sorted->setCurrentRow(-1);
        dialog.moveToSorted();
        EXPECT_EQ(lines(sorted), QStringList({"Track 10", "Track 1", "Intro"}));
        EXPECT_EQ(unsorted->currentRow(), 0) << "the first remaining line becomes current";
        d.findChild<QLineEdit*>("txtInc")->setText("1");
        d.findChild<QComboBox*>("cmbAnzahl")->setCurrentIndex(2);
        operate(d, {"cmdOK"});
    });
    window->ui().lstApplyTo->setCurrentIndex(1); // selected only, none selected: renumbering takes them all
    ASSERT_TRUE(window->renameController().openRenameDialog(2));
    const QMap<QString, QString> expected{
        {"Track 10", "Track 01"}, {"Track 2", "Track 2"}, {"Intro", "Track 03"}, {"Track 1", "Track 02"}};
    EXPECT_EQ(renames(window->list()), expected);
    const IniDocument step = IniDocument::load(ScriptStore::scratchPath(app.state()));
    EXPECT_EQ(step.value("1", "Type"), "2");
    EXPECT_EQ(step.value("1", "cmbAnzahl"), "2");
    EXPECT_FALSE(IniDocument::load(app.state().settingsFile).hasSection("frmRenumber")) << "no settings section";
}

TEST_F(RenumberAndCsvDialogs, RenumberWithTooFewNumbersWarnsAndCloses)
{
    open();
    addEntries({"1 a", "b", "c"});
    app.prompter().expectButton(Prompter::Ok);
    answerDialogs([this](QDialog& d) {
        d.show();
        QTRY_VERIFY(!d.isVisible());
        EXPECT_EQ(app.prompter().asked().last().text, message("MsgText14"));
        EXPECT_EQ(d.findChild<QComboBox*>("erkNum")->currentText(), "none");
    });
    ASSERT_TRUE(window->renameController().openRenameDialog(2));
    for (const FolderEntry& e : window->list().entries())
        EXPECT_FALSE(e.isChanged()) << e.oldName.toStdString();
}

TEST_F(RenumberAndCsvDialogs, CsvDialogLoadsColumnsAppliesAndRemembers)
{
    TestTree tree;
    tree.write("names.csv", "Old\tNew\tYear\r\nholiday.2004\tTrip.jpg\t2004\r\nOther\tx\t1\r\n");
    open();
    addEntries({"Holiday.2004", "Home"});
    app.prompter().expectFiles({tree.path("names.csv")});
    answerDialogs([&](QDialog& d) {
        auto& dialog = static_cast<NewNamesFromFileDialog&>(d);
        EXPECT_FALSE(d.findChild<QComboBox*>("cmbOldFN")->isEnabled());
        EXPECT_FALSE(d.findChild<QPushButton*>("cmdOK")->isEnabled());
        operate(d, {"cmdSelFile"});
        EXPECT_EQ(d.findChild<QComboBox*>("cmbSeparator")->currentText(), "<tab>");
        auto* match = d.findChild<QComboBox*>("cmbOldFN");
        ASSERT_EQ(match->count(), 3);
        EXPECT_FALSE(d.findChild<QPushButton*>("cmdOK")->isEnabled()) << "no column chosen yet";
        match->setCurrentIndex(0);
        d.findChild<QComboBox*>("cmbNewFN")->setCurrentIndex(1);
        d.findChild<QComboBox*>("cmbNewFNopt(1)")->setCurrentIndex(3); // Year, after the empty item
        d.findChild<QLineEdit*>("txtStructure")->setText("<F2> <F1>");
        d.findChild<QCheckBox*>("chkKeepFileExtension")->setChecked(true);
        EXPECT_EQ(d.findChild<QLabel*>("lblNewFNopt(3)")->text(), "Column for <F4>:");
        EXPECT_TRUE(dialog.ok());
    });
    item(CommandId::NewNamesFromFile)->trigger();
    // "2004 Trip.jpg": the short extension gives way to the folder's own.
    const QMap<QString, QString> expected{{"Holiday.2004", "2004 Trip.2004"}, {"Home", "Home"}};
    EXPECT_EQ(renames(window->list()), expected);
    EXPECT_EQ(setting("frmNewNamesFromFile", "txtFile"), DialogValues::encodeText(tree.path("names.csv")));
    EXPECT_EQ(setting("frmNewNamesFromFile", "cmbNewFNopt(1)"), "3");

    // Opened again: the file, its columns and the choices come back.
    answerDialogs([&](QDialog& d) {
        EXPECT_EQ(d.findChild<QComboBox*>("cmbNewFN")->currentIndex(), 1);
        EXPECT_EQ(d.findChild<QLineEdit*>("txtStructure")->text(), "<F2> <F1>");
        EXPECT_TRUE(d.findChild<QCheckBox*>("chkKeepFileExtension")->isChecked());
    });
    item(CommandId::NewNamesFromFile)->trigger();
}

TEST_F(RenumberAndCsvDialogs, CsvDialogReportsAShortRowAndChangesNothing)
{
    TestTree tree;
    tree.write("short.csv", "Old;New\nHome;A\nHoliday.2004\n");
    open();
    addEntries({"Holiday.2004", "Home"});
    app.prompter().expectButton(Prompter::Ok);
    answerDialogs([&](QDialog& d) {
        auto& dialog = static_cast<NewNamesFromFileDialog&>(d);
        dialog.chooseFile(tree.path("short.csv"));
        d.findChild<QComboBox*>("cmbOldFN")->setCurrentIndex(0);
        d.findChild<QComboBox*>("cmbNewFN")->setCurrentIndex(1);
        EXPECT_FALSE(dialog.ok());
        EXPECT_TRUE(app.prompter().asked().last().text.startsWith("Line 3 of"))
            << app.prompter().asked().last().text.toStdString();
    });
    item(CommandId::NewNamesFromFile)->trigger();
    const QMap<QString, QString> expected{{"Holiday.2004", "Holiday.2004"}, {"Home", "Home"}};
    EXPECT_EQ(renames(window->list()), expected);
}

} // namespace
