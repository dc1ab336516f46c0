#pragma once

#include <QString>

class DialogValues;
class RenameRun;

// The rename functions by the type number their dialogs record in scripts: 1 numbering, 2 renumbering,
// 3 folder extension, 4 case, 5 prefix and suffix, 6 replace, 7 insert, 8 move, 9 date and time, 10 trim.
// Running a step builds the function's parameters from the stored values (the same way its dialog's
// Apply does) and applies it to the run's target entries. The caller refreshes the list afterwards.
namespace RenameSteps {

// Whether a function of this type number exists in this program.
bool available(int type);

// Applies one step; false (nothing changed) when the type is not available.
bool run(int type, const DialogValues& values, RenameRun& run);

// The key of a stored value that the function of this type refuses (a position that is no number), empty
// when it takes them all. Such a step is reported, not run.
QString refusedKey(int type, const DialogValues& values);

// The dialog's form name of a type number ("frmPrefixSuffix" for 5), empty for unknown numbers.
QString formName(int type);

// Whether the function of this type reads the entries' times (the date function does): a run without
// one need not learn them.
bool readsTimes(int type);

} // namespace RenameSteps
