#pragma once

#include <cstddef>

// Every command of the main window: menu items, bar buttons, drop-down entries and context-menu entries.
// A menu item and a bar button that do the same thing under the same rule share one id; where their
// rules differ (the current entry on the left bar, one selected entry in the context menu) they have
// their own.
enum class CommandId {
    OpenFolders,
    OpenFromList,
    RemoveMenu,
    RemoveAll,
    RemoveSelected,
    RemoveNotSelected,
    RemoveChanged,
    RemoveUnchanged,
    RemoveChosen, // the main bar's removal button repeats the variant chosen last
    Options,
    Update,
    History,
    End,
    EditMenu,
    Undo,
    TakeMenu,
    TakeAll,
    TakeSelected,
    TakeChosen, // the main bar's take-changes button, with the variants as its drop-down
    RejectChanges,
    ShowMainBar,
    ShowScriptBar,
    ShowColumn1,
    ShowColumn2,
    ShowColumn3,
    ShowColumn4,
    ShowColumn5,
    ShowColumn6,
    ScriptMenu,
    StartRecording,
    StopRecording,
    StartRunScript,
    RunSelectedScript,
    ChooseScript, // the script bar's drop-down of saved scripts
    RenameMenu,
    Rename01,
    Rename02,
    Rename03,
    Rename04,
    Rename05,
    Rename06,
    Rename07,
    Rename08,
    Rename09,
    Rename10,
    Rename99,
    NewNamesFromFile,
    EditCurrent,
    SpecialMenu,
    FileList,
    CopyFolders,
    MoveFolders,
    Experts, // asks before switching expert mode on; while it is on, only opens its submenu
    RenameStructure,
    FolderAttributes,
    DeleteFolders1,
    DeleteFolders2,
    ShowAssistant,
    HelpContent,
    Info,
    RemoveCurrent,
    Properties,
    Cancel,
    PopupEdit,
    PopupRemove,
    CreateSubFolders,
    PopupProperties,
    SelectConflicts,
};

inline constexpr std::size_t kCommandCount = static_cast<std::size_t>(CommandId::SelectConflicts) + 1;

// The rename slot of a function's type number (1 to 10).
constexpr CommandId renameCommand(int type)
{
    return static_cast<CommandId>(static_cast<int>(CommandId::Rename01) + type - 1);
}

// The type number of a rename slot, 0 for every other command.
constexpr int renameType(CommandId id)
{
    return id >= CommandId::Rename01 && id <= CommandId::Rename10
               ? static_cast<int>(id) - static_cast<int>(CommandId::Rename01) + 1
               : 0;
}
