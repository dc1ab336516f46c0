#pragma once

#include "core/rename/NameAddition.h"

#include <QString>
#include <QStringList>
#include <optional>

class DialogValues;
class RenameRun;

// Numbering (type 1, "frmNumber"): the k-th admitted entry gets start + (k - 1) × increment, written in a
// number system and padded to a width, before or after its base name. The numbers can be shuffled.
struct NumberingParams
{
    // Why a run is refused; the numbers are not written then.
    enum class Refusal {
        None,
        NotANumber, // the start or the increment is no whole number (a lone "-", say)
        OutOfRange, // the start, the increment or a number would leave the 32-bit range
    };

    QString start = QStringLiteral("1");     // "txtInit", cleaned
    QString increment = QStringLiteral("1"); // "txtInc", cleaned
    int system = 0;                          // "cmbNumberWith": a NumberSystem
    int width = 0;                           // "cmbAnz": 0 automatic, else the width in characters
    bool shuffle = false;                    // "chkRandom"
    NameAddition addition; // "optPrefix"/"optSuffix", "chkIntChr" + "cmbIChr", "chkReplace" + "txtRepName"

    static NumberingParams fromValues(const DialogValues& values);
    // A number field as it is left: empty becomes "1", and a "-" counts only as the first character.
    static QString cleanNumber(const QString& text);
    // The start field as it is left in a number system: outside decimal it holds no sign.
    static QString cleanStart(const QString& text, int system);

    // The whole number a field holds, when it is one in the 32-bit range.
    static std::optional<qint32> wholeNumber(const QString& text);

    // Whether count entries can be numbered with these values.
    Refusal check(int count) const;
};

// The number texts for count entries, padded, shuffled with a generator seeded by seed when the
// parameters say so. Empty when the parameters are refused for count.
QStringList NumberTexts(const NumberingParams& params, int count, quint32 seed);

// Numbers the admitted entries in list order; does nothing when the values are refused. The shuffle is
// seeded from the state's clock.
void applyNumbering(RenameRun& run, const NumberingParams& params);
