#pragma once

#include <QString>

class DialogValues;
class RenameRun;

// Prefix and suffix (type 5, "frmPrefixSuffix"): the new name becomes prefix + base + suffix + extension,
// so the suffix goes in front of the extension. Both texts are taken as they stand, blanks included.
struct PrefixSuffixParams
{
    QString prefix; // "txtPr"
    QString suffix; // "txtSu"

    static PrefixSuffixParams fromValues(const DialogValues& values);
};

void applyPrefixSuffix(RenameRun& run, const PrefixSuffixParams& params);
