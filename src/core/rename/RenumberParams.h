#pragma once

#include "core/rename/RenumberPlan.h"

#include <QList>
#include <QString>
#include <optional>

class DialogValues;
class RenameRun;

// Renumbering (type 2, "frmRenumber"): the numbers the names carry at their beginning or their end are
// replaced by an evenly spaced sequence, in the order of the old numbers, or in the order the user set in
// the dialog. Every entry of the list takes part, whatever the apply-to choice.
struct RenumberParams
{
    static constexpr int kMaxDigits = 12; // of the first number and the increment: the sequence fits 64 bits
    static constexpr int kMaxWidth = 15;

    int positionIndex = 0;       // "erkNum": which of the offered positions
    int width = 0;               // "cmbAnzahl": 0 automatic, else the number of digits
    qint64 first = 1;            // "txtInit"
    qint64 increment = 1;        // "txtInc"
    std::optional<bool> atStart; // "optPrefix" / "optSuffix"; unset: where the numbers were found
    bool replaceMiddle = false;  // "chkReplace"
    QString middle;              // "txtRepName", without the characters a name may not hold
    // The rows to number, in their order (the dialog's ordered list); unset: the order of the old numbers.
    std::optional<QList<int>> numbered;

    static RenumberParams fromValues(const DialogValues& values);
    // A digit field's value: digits only, at most kMaxDigits of them; empty counts as 1.
    static qint64 digitValue(const QString& text);
    // The text without the characters that "txtRepName" refuses.
    static QString cleanMiddle(const QString& text);
    // Whether "txtRepName" takes the character.
    static bool middleAccepts(QChar c);
};

void applyRenumbering(RenameRun& run, const RenumberParams& params);
