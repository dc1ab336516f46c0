#pragma once

#include <QString>

class DialogValues;
class RenameRun;

// Upper and lower case (type 4, "frmULCase"): a case function applied to the base name, the extension,
// or both separately (so "first letter capital" also capitalises the extension after its dot).
struct CaseParams
{
    // The selected "opt1(n)": 1 first letter capital, 2 every word, 3 upper, 4 lower, 5 swapped.
    enum Function { FirstCapital = 1, WordCapitals, Upper, Lower, Swap };
    // The selected "opt2(n)": 1 base name only, 2 extension only, 3 both.
    enum Scope { BaseName = 1, Extension, Both };
    static constexpr int kDefaultFunction = FirstCapital;
    static constexpr int kDefaultScope = BaseName;

    int function = kDefaultFunction;
    int scope = kDefaultScope;

    static CaseParams fromValues(const DialogValues& values);

    // The case tag of the function ("1C", "WC", "UC", "LC", "SC").
    QString tag() const;
    // The name structure that does the work, for example "<UC><NAME></UC><.EXT>".
    QString structure() const;
};

void applyCase(RenameRun& run, const CaseParams& params);
