#include "core/rename/ManualEdit.h"

#include "core/preview/PreviewList.h"

bool applyManualEdit(PreviewList& list, int row, const QString& typed)
{
    if (row < 0 || row >= list.size() || typed.trimmed().isEmpty())
        return false;
    list.entries()[static_cast<size_t>(row)].setNewName(typed);
    list.notifyEntriesChanged();
    return true;
}
