#pragma once

#include <QSet>
#include <QString>
#include <QStringView>
#include <vector>

// One rename among the folders of one parent: names, not paths.
struct SiblingRename
{
    QString from;
    QString to;
};

// The names of one rename, seen where they stand (the rows of a list): a plan of a million renames then
// copies no name.
struct SiblingNames
{
    QStringView from;
    QStringView to;
};

// One step of a plan. Direct renames from to to; a cycle starts by parking one member under a temporary
// name, and ends by unparking it from there to its new name.
struct SiblingStep
{
    enum class Kind { Direct, Park, Unpark };
    int rename = 0; // index into the renames planned
    Kind kind = Kind::Direct;
};

// An order in which renames that hold at once (each from names a folder there now; no two share a to)
// can be done one by one with renames that never replace: a rename onto a name another one gives up
// waits for that one (chains run from their free end), and each cycle goes through one temporary name.
// The steps of one cycle stand together, from its park to its unpark.
std::vector<SiblingStep> PlanSiblingRenames(const std::vector<SiblingNames>& renames);
std::vector<SiblingStep> PlanSiblingRenames(const std::vector<SiblingRename>& renames);

// True when the renames hold a cycle, which no order of plain renames can do.
bool HasRenameCycle(const std::vector<SiblingRename>& renames);
// True when a plan goes through a temporary name: its renames hold a cycle.
bool HoldsCycle(const std::vector<SiblingStep>& steps);

// A temporary name for parking a folder that is none of the taken names (the folder's entries and the
// names the plan gives out).
QString FreeTemporaryName(const QSet<QString>& taken, const std::vector<SiblingRename>& renames);
