#pragma once

#include <QString>
#include <QStringView>
#include <optional>

// Number systems of numbering and of the numbering settings.
enum NumberSystem { NumberDecimal = 0, NumberHex = 1, NumberUpperLetters = 2, NumberLowerLetters = 3 };

// value written in a number system: decimal with "-"; upper-case hexadecimal of the 32-bit two's
// complement ("FFFFFFFF" for -1); bijective base 26 with letters (1 "A", 26 "Z", 27 "AA"), "-" in front of
// negative values, lower-cased for system 3. 0 is "0" in every system; an unknown system gives "".
QString NumberToText(qint32 value, int system);

// The decimal text of a number written in a system, or "" when the text is not one. A leading "-" is
// kept for system 0 (whose text is returned as it stands when it is numeric) and negates the value in
// the others. Hexadecimal takes up to eight digits as a 32-bit two's complement, the inverse of
// NumberToText ("FFFFFFFF" reads -1); letters take only A-Z in either case. Results that do not fit in
// a 32-bit signed number give "".
QString TextToNumber(const QString& text, int system);

// A decimal number as users type it: blanks around, an optional sign, digits with an optional "."
// fraction and an optional exponent. Its value (possibly infinite for huge exponents), or nothing.
std::optional<double> NumericValue(QStringView text);
inline bool IsNumericText(QStringView text)
{
    return NumericValue(text).has_value();
}
