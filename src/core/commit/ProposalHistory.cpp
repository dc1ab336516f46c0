#include "core/commit/ProposalHistory.h"

#include "core/preview/PreviewList.h"

void UndoProposals(PreviewList& list)
{
    for (FolderEntry& e : list.entries()) {
        if (e.history(1).isEmpty())
            continue;
        e.setNewName(e.history(1));
        for (int level = 0; level + 1 < FolderEntry::kHistoryLevels; ++level)
            e.history(level) = e.history(level + 1);
        e.history(FolderEntry::kHistoryLevels - 1).clear();
    }
    list.notifyEntriesChanged();
}

void RejectProposals(PreviewList& list)
{
    for (FolderEntry& e : list.entries()) {
        e.setNewName(e.oldName());
        e.history(0) = e.oldName();
        for (int level = 1; level < FolderEntry::kHistoryLevels; ++level)
            e.history(level).clear();
    }
    list.notifyEntriesChanged();
}
