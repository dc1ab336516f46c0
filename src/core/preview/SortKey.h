#pragma once

#include <QString>

// The text with every run of the digits 0 to 9 rewritten so that plain text order equals natural order
// ("Disc 9" before "Disc 10"). A run loses its leading zeros and is padded to fifteen digits. A run with
// more than fifteen significant digits is written as ":", its digit count as fifteen digits, then the
// digits: ":" follows "9" directly in code order, so such a number sorts after every shorter one and two
// long numbers sort by length first, then digit by digit. Nothing is ever cut.
QString BuildSortKey(const QString& text);
