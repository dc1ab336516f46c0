#pragma once

#include <QString>

class PreviewList;

// Manual edit: the user types the whole new name of one entry. The entry changes whatever the apply-to
// selector says, and the edit is not recorded in scripts. A name that is blank after trimming changes
// nothing; any other is taken exactly as typed, blanks included. True when the entry was changed.
bool applyManualEdit(PreviewList& list, int row, const QString& typed);
