#include "core/preview/CommandRules.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

using enum CommandId;

std::vector<int> idsOf(const CommandSet& set)
{
    std::vector<int> ids;
    for (std::size_t i = 0; i < set.size(); ++i) {
        if (set.test(i))
            ids.push_back(static_cast<int>(i));
    }
    return ids;
}

CommandSet setOf(std::initializer_list<std::initializer_list<CommandId>> groups)
{
    CommandSet set;
    for (const auto& group : groups) {
        for (const CommandId id : group)
            set.set(static_cast<std::size_t>(id));
    }
    return set;
}

// Usable whatever the list holds.
constexpr std::initializer_list<CommandId> kAlways = {
    OpenFolders, OpenFromList, RemoveAll,     RemoveSelected,  RemoveNotSelected, RemoveChanged, RemoveUnchanged,
    Options,     History,      End,           TakeAll,         TakeSelected,      ShowMainBar,   ShowScriptBar,
    ShowColumn4, ShowColumn5,  ShowColumn6,   Experts,         RenameStructure,   ShowAssistant, Info};
// Usable as soon as the list has entries (of the rename slots, the built functions only).
constexpr std::initializer_list<CommandId> kWithEntries = {
    RemoveMenu, RemoveChosen, EditMenu, ScriptMenu, RenameMenu, SpecialMenu, Rename01, Rename02,         Rename03,
    Rename04,   Rename05,     Rename06, Rename07,   Rename08,   Rename09,    Rename10, NewNamesFromFile, Rename99,
    StartRunScript,
};

CommandContext withEntries(int changed = 0, int undoLevels = 0)
{
    CommandContext context;
    context.list.entries = 3;
    context.list.folderCount = 1;
    context.list.changedCount = changed;
    context.list.undoLevels = undoLevels;
    return context;
}

TEST(CommandRules, EnabledCommandsPerSituation)
{
    CommandContext empty;
    CommandContext recording = withEntries();
    recording.recording = true;
    CommandContext current = withEntries();
    current.hasCurrentEntry = true;
    current.singleSelection = true;
    current.scriptsListed = true;
    current.helpGuide = true;
    CommandContext scriptsOnEmptyList;
    scriptsOnEmptyList.scriptsListed = true;
    CommandContext loading = withEntries(2, 1);
    loading.hasCurrentEntry = true;
    loading.scriptsListed = true;
    loading.recording = true;
    loading.loading = true;
    CommandContext expert = withEntries();
    expert.expertMode = true;
    CommandContext conflicts = withEntries(2);
    conflicts.conflicts = 1;

    const struct
    {
        const char* name;
        CommandContext context;
        CommandSet enabled;
    } rows[] = {
        {"empty list", empty, setOf({kAlways})},
        {"entries without changes", withEntries(), setOf({kAlways, kWithEntries, {StartRecording}})},
        {"changes without undo levels", withEntries(2),
         setOf({kAlways, kWithEntries, {StartRecording, TakeMenu, TakeChosen, RejectChanges}})},
        {"undo levels without changes", withEntries(0, 2), setOf({kAlways, kWithEntries, {StartRecording, Undo}})},
        {"recording", recording, setOf({kAlways, kWithEntries, {StopRecording}})},
        {"current entry, one selected, scripts listed, guide present", current,
         setOf({kAlways,
                kWithEntries,
                {StartRecording, EditCurrent, RemoveCurrent, Properties, PopupEdit, PopupRemove, PopupProperties,
                 ChooseScript, RunSelectedScript, HelpContent}})},
        {"saved scripts but no entries", scriptsOnEmptyList, setOf({kAlways})},
        {"loading", loading, setOf({{Cancel}})},
        {"conflicts", conflicts,
         setOf({kAlways, kWithEntries, {StartRecording, TakeMenu, TakeChosen, RejectChanges, SelectConflicts}})},
        {"expert mode: attributes and times, not yet deleting", expert,
         setOf({kAlways, kWithEntries, {StartRecording, FolderAttributes}})},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(idsOf(enabledCommands(row.context)), idsOf(row.enabled));
    }
}

TEST(CommandRules, CommandsNotBuiltStayDisabledWhateverTheRulesAllow)
{
    CommandContext context = withEntries(2, 1);
    context.hasCurrentEntry = true;
    context.singleSelection = true;
    context.scriptsListed = true;
    context.helpGuide = true;
    context.expertMode = true;
    context.conflicts = 1;
    const CommandSet allowed = allowedCommands(context);
    for (const CommandId id : {FolderAttributes, DeleteFolders1, DeleteFolders2, StartRunScript, Rename02, Rename99})
        EXPECT_TRUE(contains(allowed, id)) << static_cast<int>(id);
    // The update check is built only with a project web page; this build names none.
    const CommandSet notBuilt = setOf(
        {{Update, FileList, CopyFolders, MoveFolders, DeleteFolders1, DeleteFolders2, CreateSubFolders}});
    for (std::size_t i = 0; i < kCommandCount; ++i)
        EXPECT_EQ(commandBuilt(static_cast<CommandId>(i)), !notBuilt.test(i)) << i;
    // Here the rules allow everything but Cancel, stopping a recording and the fixed columns.
    EXPECT_EQ(idsOf(allowed | setOf({{Cancel, StopRecording, ShowColumn1, ShowColumn2, ShowColumn3}})),
              idsOf(CommandSet().set()));
    EXPECT_EQ(idsOf(enabledCommands(context) & notBuilt), std::vector<int>());
}

} // namespace
