#include "gui/mainwindow/CommandTable.h"

#include "gui/mainwindow/AttributesController.h"
#include "gui/mainwindow/LoadController.h"
#include "gui/mainwindow/PreviewController.h"
#include "gui/mainwindow/RenameController.h"
#include "gui/mainwindow/ScriptController.h"
#include "gui/mainwindow/ViewController.h"

namespace {

using C = CommandTable::Controllers;
using Id = CommandId;

template <CommandId Variant> void remove(const C& c, bool)
{
    c.preview.RemoveEntries(Variant);
}

template <int Type> void rename(const C& c, bool)
{
    c.rename.openRenameDialog(Type);
}

template <int Column> void showColumn(const C& c, bool shown)
{
    c.view.showColumn(Column, shown);
}

// In the order of the ids; the table checks that itself at compile time.
constexpr std::array<CommandTable::Command, kCommandCount> kCommands{{
    {Id::OpenFolders, "mnuOpenFile", "OpenFile", [](const C& c, bool) { c.load.openFolders(); }},
    {Id::OpenFromList, "mnuOpenFromList", nullptr, [](const C& c, bool) { c.load.openFromListFile(); }},
    {Id::RemoveMenu, "mnuDelList", nullptr, nullptr},
    {Id::RemoveAll, "mnuDelList1", "DelList1", &remove<Id::RemoveAll>},
    {Id::RemoveSelected, "mnuDelList2", "DelList2", &remove<Id::RemoveSelected>},
    {Id::RemoveNotSelected, "mnuDelList3", "DelList3", &remove<Id::RemoveNotSelected>},
    {Id::RemoveChanged, "mnuDelList4", "DelList4", &remove<Id::RemoveChanged>},
    {Id::RemoveUnchanged, "mnuDelList5", "DelList5", &remove<Id::RemoveUnchanged>},
    {Id::RemoveChosen, nullptr, "DelList", [](const C& c, bool) { c.preview.RemoveEntries(); }},
    {Id::Options, "mnuOptions", "Options", [](const C& c, bool) { c.view.openOptions(); }},
    {Id::Update, "mnuUpdate", nullptr, [](const C& c, bool) { c.view.openProjectPage(); }},
    {Id::History, "mnuHistory", nullptr, [](const C& c, bool) { c.preview.showHistory(); }},
    {Id::End, "mnuEnd", nullptr, [](const C& c, bool) { c.view.end(); }},
    {Id::EditMenu, "mnuEdit", nullptr, nullptr},
    {Id::Undo, "mnuUndo", "Undo", [](const C& c, bool) { c.preview.undoProposals(); }},
    {Id::TakeMenu, "mnuTakeChanges", nullptr, nullptr},
    {Id::TakeAll, "mnuTakeChanges1", "TakeChanges1", [](const C& c, bool) { c.preview.takeChanges(); }},
    {Id::TakeSelected, "mnuTakeChanges2", "TakeChanges2", [](const C& c, bool) { c.preview.takeChangesSafely(); }},
    {Id::TakeChosen, nullptr, "TakeChanges", [](const C& c, bool) { c.preview.takeChosen(); }},
    {Id::RejectChanges, "mnuRejectChanges", "RejectChanges", [](const C& c, bool) { c.preview.rejectProposals(); }},
    {Id::ShowMainBar, "mnuShowBtnBarMain", nullptr, [](const C& c, bool shown) { c.view.showMainBar(shown); }},
    {Id::ShowScriptBar, "mnuShowBtnBarScript", nullptr, [](const C& c, bool shown) { c.view.showScriptBar(shown); }},
    {Id::ShowColumn1, "mnuViewPre(1)", nullptr, nullptr},
    {Id::ShowColumn2, "mnuViewPre(2)", nullptr, nullptr},
    {Id::ShowColumn3, "mnuViewPre(3)", nullptr, nullptr},
    {Id::ShowColumn4, "mnuViewPre(4)", nullptr, &showColumn<4>},
    {Id::ShowColumn5, "mnuViewPre(5)", nullptr, &showColumn<5>},
    {Id::ShowColumn6, "mnuViewPre(6)", nullptr, &showColumn<6>},
    {Id::ScriptMenu, "mnuScript", nullptr, nullptr},
    {Id::StartRecording, "mnuStartRecordScript", "StartRecordScript",
     [](const C& c, bool) { c.script.startRecording(); }},
    {Id::StopRecording, "mnuStopRecordScript", "StopRecordScript", [](const C& c, bool) { c.script.stopRecording(); }},
    {Id::StartRunScript, "mnuStartRunScript", "StartRunScript", [](const C& c, bool) { c.script.startRunScript(); }},
    {Id::RunSelectedScript, "mnuRunSelectedScript", nullptr, [](const C& c, bool) { c.script.runChosenScript(); }},
    {Id::ChooseScript, nullptr, "RunSelectedScript", [](const C& c, bool) { c.script.runChosenScript(); }},
    {Id::RenameMenu, "mnuRename", nullptr, nullptr},
    {Id::Rename01, "mnuRename01", "Rename01", &rename<1>},
    {Id::Rename02, "mnuRename02", "Rename02", &rename<2>},
    {Id::Rename03, "mnuRename03", "Rename03", &rename<3>},
    {Id::Rename04, "mnuRename04", "Rename04", &rename<4>},
    {Id::Rename05, "mnuRename05", "Rename05", &rename<5>},
    {Id::Rename06, "mnuRename06", "Rename06", &rename<6>},
    {Id::Rename07, "mnuRename07", "Rename07", &rename<7>},
    {Id::Rename08, "mnuRename08", "Rename08", &rename<8>},
    {Id::Rename09, "mnuRename09", "Rename09", &rename<9>},
    {Id::Rename10, "mnuRename10", "Rename10", &rename<10>},
    {Id::Rename99, nullptr, "Rename99", [](const C& c, bool) { c.rename.openStructureDialog(); }},
    {Id::NewNamesFromFile, "mnuNewNamesFromFile", nullptr, [](const C& c, bool) { c.rename.newNamesFromFile(); }},
    {Id::EditCurrent, "mnuEditMan", "EditMan", [](const C& c, bool) { c.rename.editManually(); }},
    {Id::SpecialMenu, "mnuSpecial", nullptr, nullptr},
    {Id::FileList, "mnuFileList", nullptr, nullptr},
    {Id::CopyFolders, "mnuCopyFolders", nullptr, nullptr},
    {Id::MoveFolders, "mnuMoveFolders", nullptr, nullptr},
    {Id::Experts, "mnuExperts", nullptr, [](const C& c, bool) { c.view.askForExpertMode(); }},
    {Id::RenameStructure, "mnuRenameStructure", nullptr, [](const C& c, bool) { c.rename.openStructureDialog(); }},
    {Id::FolderAttributes, "mnuFolderAttributes", nullptr,
     [](const C& c, bool) { c.attributes.openAttributesDialog(); }},
    {Id::DeleteFolders1, "mnuDeleteFolders1", nullptr, nullptr},
    {Id::DeleteFolders2, "mnuDeleteFolders2", nullptr, nullptr},
    {Id::ShowAssistant, "mnuShowAssistant", nullptr, [](const C& c, bool shown) { c.view.showAssistant(shown); }},
    {Id::HelpContent, "mnuHelpContent", nullptr, [](const C& c, bool) { c.view.openHelp(); }},
    {Id::Info, "mnuInfo", nullptr, [](const C& c, bool) { c.view.showAbout(); }},
    {Id::RemoveCurrent, nullptr, "DelList", [](const C& c, bool) { c.preview.removeCurrentEntry(); }},
    {Id::Properties, nullptr, "Properties", [](const C& c, bool) { c.load.showProperties(); }},
    {Id::Cancel, nullptr, "CancelAction", [](const C& c, bool) { c.load.cancel(); }},
    {Id::PopupEdit, "btnBarLeftEditMan", nullptr, [](const C& c, bool) { c.rename.editManually(); }},
    {Id::PopupRemove, "btnBarLeftDel1File", nullptr, [](const C& c, bool) { c.preview.removeCurrentEntry(); }},
    {Id::CreateSubFolders, "mnuCreateSubFolders", nullptr, nullptr},
    {Id::PopupProperties, "btnBarLeftProperties", nullptr, [](const C& c, bool) { c.load.showProperties(); }},
    {Id::SelectConflicts, "mnuSelectConflicts", nullptr, [](const C& c, bool) { c.preview.selectConflicts(); }},
}};

constexpr bool inIdOrder()
{
    for (std::size_t i = 0; i < kCommands.size(); ++i) {
        if (static_cast<std::size_t>(kCommands[i].id) != i)
            return false;
    }
    return true;
}
static_assert(inIdOrder(), "the command table lists every id once, in the order of the ids");

} // namespace

const std::array<CommandTable::Command, kCommandCount>& CommandTable::commands()
{
    return kCommands;
}
