#pragma once

#include "core/commit/FolderNameCheck.h"

#include <QString>
#include <QStringList>
#include <vector>

struct AppState;
struct FolderEntry;
class DirectoryNames;
class FileSystem;

// Why a changed entry cannot be renamed as proposed, whatever the order of the renames.
struct NameConflict
{
    enum class Reason {
        Duplicate, // another entry of the same folder is proposed the same name
        Exists,    // a file or folder of that name is on disk and keeps its name in this run
        BadName,   // a name no folder can have (problem says which)
    };
    int row = 0;
    Reason reason = Reason::BadName;
    FolderNameProblem problem = FolderNameProblem::None;
    int other = -1; // for Duplicate: the row of the other entry
};

// Every changed entry whose proposal cannot work, in row order, one conflict per entry: a name no folder
// can have, then a name another entry of the same folder gets too, then a name taken on disk by something
// that is not itself renamed away. Each parent folder is read once, through names. nowSecs is the clock's
// reading for the cache. namesChecked tells that the caller has found every proposed name one a folder can
// have and none given twice in a folder (as a batch run does before it takes): only the disk is looked at.
std::vector<NameConflict> FindNameConflicts(const std::vector<FolderEntry>& entries, const FileSystem& fs,
                                            DirectoryNames& names, qint64 nowSecs, bool namesChecked = false);

// What the tool tip of a marked entry says.
QString NameConflictText(const AppState& state, const std::vector<FolderEntry>& entries, const NameConflict& c);

// The refusal of a safe take: how many entries are marked and the first few of them, path and reason.
QString NameConflictsRefusal(const AppState& state, const std::vector<FolderEntry>& entries,
                             const std::vector<NameConflict>& conflicts);
