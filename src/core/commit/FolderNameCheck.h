#pragma once

#include <QString>

struct AppState;

// Whether a text can be handed to the file system as the name of one folder. A proposal can hold
// anything (a pasted name, a CSV cell), and some texts would make a rename do something else than rename
// the one folder: "" or "." name the parent itself, ".." its parent, a "/" moves the folder elsewhere.
enum class FolderNameProblem {
    None,
    Empty,
    DotName, // "." or ".."
    BadChar, // holds "/" or NUL
    TooLong, // more bytes in the file-name encoding than a folder name may have
};

FolderNameProblem CheckFolderName(const QString& name);

// Why a name is refused, in the user's language; empty for FolderNameProblem::None.
QString FolderNameProblemText(const AppState& state, FolderNameProblem problem, const QString& name);

// The most bytes a folder name may have in the file-name encoding.
int MaxFolderNameBytes();

// True for an absolute path that ends in one separator and has no empty, "." or ".." parts: the only
// form of parent path from which a stored name may be turned into a folder to rename.
bool IsCleanFolderPath(const QString& path);
