#include "core/preview/CommandRules.h"

#include "core/rename/RenameSteps.h"
#include "core/settings/ProjectPage.h"

#include <initializer_list>

namespace {

void allow(CommandSet& set, std::initializer_list<CommandId> ids, bool allowed = true)
{
    for (const CommandId id : ids)
        set.set(static_cast<std::size_t>(id), allowed);
}

} // namespace

bool commandBuilt(CommandId id)
{
    if (const int type = renameType(id))
        return RenameSteps::available(type);
    switch (id) {
    case CommandId::Update:
        return !ProjectWebPage().isEmpty();
    case CommandId::FileList:
    case CommandId::CopyFolders:
    case CommandId::MoveFolders:
    case CommandId::DeleteFolders1:
    case CommandId::DeleteFolders2:
    case CommandId::CreateSubFolders:
        return false;
    default:
        return true;
    }
}

CommandSet allowedCommands(const CommandContext& context)
{
    CommandSet set;
    if (context.loading) {
        allow(set, {CommandId::Cancel});
        return set;
    }
    const bool entries = context.list.entries > 0;
    const bool changes = context.list.changedCount > 0;
    allow(set, {CommandId::OpenFolders,
                CommandId::OpenFromList,
                CommandId::RemoveAll,
                CommandId::RemoveSelected,
                CommandId::RemoveNotSelected,
                CommandId::RemoveChanged,
                CommandId::RemoveUnchanged,
                CommandId::Options,
                CommandId::Update,
                CommandId::History,
                CommandId::End,
                CommandId::TakeAll,
                CommandId::TakeSelected,
                CommandId::ShowMainBar,
                CommandId::ShowScriptBar,
                CommandId::FileList,
                CommandId::CopyFolders,
                CommandId::MoveFolders,
                CommandId::Experts,
                CommandId::RenameStructure,
                CommandId::ShowAssistant,
                CommandId::Info,
                CommandId::CreateSubFolders});
    // Path, old name and new name are always shown.
    allow(set, {CommandId::ShowColumn4, CommandId::ShowColumn5, CommandId::ShowColumn6});
    allow(set,
          {CommandId::RemoveMenu, CommandId::RemoveChosen, CommandId::EditMenu, CommandId::ScriptMenu,
           CommandId::RenameMenu, CommandId::SpecialMenu, CommandId::Rename01, CommandId::Rename02, CommandId::Rename03,
           CommandId::Rename04, CommandId::Rename05, CommandId::Rename06, CommandId::Rename07, CommandId::Rename08,
           CommandId::Rename09, CommandId::Rename10, CommandId::Rename99, CommandId::StartRunScript,
           CommandId::NewNamesFromFile},
          entries);
    allow(set, {CommandId::TakeMenu, CommandId::TakeChosen, CommandId::RejectChanges}, changes);
    allow(set, {CommandId::Undo}, entries && context.list.undoLevels > 0);
    allow(set, {CommandId::StartRecording}, entries && !context.recording);
    allow(set, {CommandId::StopRecording}, context.recording);
    allow(set, {CommandId::ChooseScript, CommandId::RunSelectedScript}, entries && context.scriptsListed);
    allow(set, {CommandId::EditCurrent, CommandId::RemoveCurrent, CommandId::Properties}, context.hasCurrentEntry);
    allow(set, {CommandId::PopupEdit, CommandId::PopupRemove, CommandId::PopupProperties}, context.singleSelection);
    allow(set, {CommandId::HelpContent}, context.helpGuide);
    allow(set, {CommandId::SelectConflicts}, context.conflicts > 0);
    allow(set, {CommandId::FolderAttributes, CommandId::DeleteFolders1, CommandId::DeleteFolders2}, context.expertMode);
    return set;
}

CommandSet enabledCommands(const CommandContext& context)
{
    CommandSet set = allowedCommands(context);
    for (std::size_t i = 0; i < kCommandCount; ++i) {
        if (!commandBuilt(static_cast<CommandId>(i)))
            set.reset(i);
    }
    return set;
}
