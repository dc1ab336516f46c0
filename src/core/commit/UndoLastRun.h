#pragma once

#include "core/commit/RenameProtocol.h"

#include <QList>
#include <QStringList>

struct AppState;

// What undoing the latest run did.
struct UndoLastReport
{
    QList<RenameProtocol::Line> undone; // newest first, as they were undone
    QStringList failures;               // one message per rename that could not be undone
};

// Undoes the renames of the latest take-changes run, newest first, with the history's rules: the folder
// must still carry its new name and the old name must be free. The undone lines leave the protocol; the
// ones that failed stay there and remain the latest run.
UndoLastReport UndoLastRun(AppState& state);
