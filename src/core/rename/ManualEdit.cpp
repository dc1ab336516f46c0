#include "core/rename/ManualEdit.h"

#include "core/preview/PreviewList.h"

bool applyManualEdit(PreviewList& list, int row, const QString& typed)
{
    if (row < 0 || row >= list.size() || typed.trimmed().isEmpty())
        return false;
    list.setNewName(row, typed);
    return true;
}
