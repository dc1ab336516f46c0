#pragma once

#include <QString>

class DialogValues;
class RenameRun;

// Trim (type 10, "frmTrim"): keeps the first n, the last n or the characters a to b of the base name, or
// gives the folder its name on disk. It composes a name structure, so the structure's rules hold: a count
// past the end keeps the whole base, a reversed range keeps the same characters, the extension stays.
struct TrimParams
{
    // The selected "opt1(n)".
    enum Mode { First = 1, Last, FromTo, ShortName };
    static constexpr int kDefaultMode = First;

    int mode = kDefaultMode;
    int first = 1; // "txtPos(0)"
    int last = 1;  // "txtPos(1)"
    int from = 1;  // "txtFrom"
    int to = 1;    // "txtTo"

    static TrimParams fromValues(const DialogValues& values);
    // The key of a stored value the function refuses: a count or position of its mode that is no whole
    // number of 1 or more (keeping 0 characters would leave no name). Empty when the values are sound.
    static QString refusedKey(const DialogValues& values);

    // "<Name_L(n)><.Ext>", "<Name_R(n)><.Ext>", "<Name_M(a,b)><.Ext>" or "<DosName>".
    QString structure() const;
};

void applyTrim(RenameRun& run, const TrimParams& params);
