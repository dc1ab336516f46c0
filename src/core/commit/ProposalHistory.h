#pragma once

struct AppState;
class PreviewList;

// The undo and reject commands step back through the proposals every entry carries, or throw them away
// (PreviewList::undoProposals, rejectProposals); never the disk. They ask first when the user wants to be asked, then
// act. True when the list changed (the caller then runs its refresh).
bool undoCommand(AppState& state, PreviewList& list);
bool rejectCommand(AppState& state, PreviewList& list);
