#pragma once

#include "core/preview/CommandId.h"
#include "core/preview/PreviewList.h"

#include <bitset>

using CommandSet = std::bitset<kCommandCount>;

inline bool contains(const CommandSet& set, CommandId id)
{
    return set.test(static_cast<std::size_t>(id));
}

// What the enabling of the commands depends on besides the list itself.
struct CommandContext
{
    PreviewList::Summary list;
    bool hasCurrentEntry = false;
    bool singleSelection = false; // exactly one selected entry (the context menu's commands)
    bool recording = false;
    bool loading = false;
    bool expertMode = false;
    bool scriptsListed = false; // the drop-down of saved scripts has entries
    bool helpGuide = false;     // the guide of the chosen language is there
    int conflicts = 0;          // entries marked as conflicts at the last refresh
};

// Whether a command does anything in this program yet. Commands that do not stay in their place,
// disabled, and say so.
bool commandBuilt(CommandId id);

// The commands the rules allow in a context, built or not. While folders are loading only Cancel is:
// the rows loaded so far are not final, so nothing may act on them.
CommandSet allowedCommands(const CommandContext& context);

// The commands the user can use: allowed and built.
CommandSet enabledCommands(const CommandContext& context);
