#pragma once

#include "core/preview/CommandId.h"

#include <array>

class AttributesController;
class FolderOpsController;
class LoadController;
class PreviewController;
class RenameController;
class ScriptController;
class ViewController;

// The main window's commands: for each, the object name of its menu item (or submenu, or context-menu
// entry), the key of its bar button or drop-down entry, and what it does. Both names are keys of the
// language files. Which commands are usable when is the core's rule (enabledCommands).
class CommandTable
{
public:
    struct Controllers
    {
        PreviewController& preview;
        LoadController& load;
        RenameController& rename;
        ScriptController& script;
        ViewController& view;
        AttributesController& attributes;
        FolderOpsController& folderOps;
    };

    struct Command
    {
        CommandId id;
        const char* item;                              // menu item; null when only on a bar
        const char* key;                               // bar button or drop-down entry; null when none
        void (*run)(const Controllers&, bool checked); // null for submenus and marks without a function
    };

    static const std::array<Command, kCommandCount>& commands();
    static const Command& command(CommandId id) { return commands()[static_cast<std::size_t>(id)]; }
};
