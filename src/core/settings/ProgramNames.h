#pragma once

#include <QString>

// The names the program goes by and the names of its own files in the program and settings folders. The
// rename protocol and the script files are named by their owners (RenameProtocol, ScriptStore).

// Window caption, message box titles, the settings folder, the exported list heading.
inline QString ProductName()
{
    return QStringLiteral("Dirwright");
}

// The folder above the product's in the settings path.
inline QString MakerName()
{
    return QStringLiteral("Pellacorn");
}

// The user's settings, and the template the first start copies.
inline QString SettingsFileName()
{
    return QStringLiteral("settings.vlp");
}

// The library of name structures, and its template.
inline QString StructuresFileName()
{
    return QStringLiteral("structures.vlp");
}

// The rules that bring older settings up to date, shipped in the program folder.
inline QString UpdateFileName()
{
    return QStringLiteral("update.vlp");
}
