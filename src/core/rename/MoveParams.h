#pragma once

#include <QString>
#include <QStringView>

class DialogValues;
class RenameRun;

// Move (type 8, "frmMove"): cuts the characters from..to out of the base name and puts them back so that
// they start at from + shift in what is left; for one example entry, or for every entry the apply-to
// selector admits. The extension stays as it is.
struct MoveParams
{
    int from = 1;     // "txtFrom"
    int to = 0;       // "txtTo"; below from when nothing is chosen
    int shift = 0;    // "txtPos" (shown by the scroll bar "HScroll1")
    int entry = 1;    // "VScroll1": the 1-based number of the example entry
    bool all = false; // "chkAdd2All"

    static MoveParams fromValues(const DialogValues& values);
    // The key of a stored value the function refuses: a from or to that is no whole number (of 1 or more,
    // 0 or more for to), or a shift that is no whole number. Empty when the values are sound.
    static QString refusedKey(const DialogValues& values);

    int target() const { return from + shift; }
};

// The base with the run from..to (1-based, inclusive, cut to the base) moved to the position target of
// what is left; a target past the end appends the run. An empty run changes nothing.
QString MoveCharacters(QStringView base, int from, int to, int target);

void applyMove(RenameRun& run, const MoveParams& params);
