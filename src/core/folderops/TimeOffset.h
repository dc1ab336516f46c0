#pragma once

#include <QDateTime>
#include <QString>

// An offset for folder times as the attributes dialog writes it: a sign ("+" adds, anything else
// subtracts) and six two-digit fields, years, months, days, hours, minutes and seconds, joined by ":",
// 18 characters in all: "+00:01:00:00:00:00" is one month later.
struct TimeOffset
{
    static QString zeroText() { return QStringLiteral("+00:00:00:00:00:00"); }

    bool subtract = false;
    int fields[6] = {0, 0, 0, 0, 0, 0}; // years, months, days, hours, minutes, seconds

    // The offset of a text; the zero offset for a text that is not one (a damaged script value).
    static TimeOffset fromText(const QString& text);
    QString text() const;
    bool isZero() const;
};

// The date shifted by the offset in calendar terms: each field is added to (or taken from) its part, and
// a part that leaves its range carries into the next larger one, so 31 January plus one month is
// "31 February", which is 3 March (2 March in a leap year); hour 25 is 1:00 of the next day. The result
// keeps the date's kind of time (local or UTC) and whole seconds.
QDateTime ApplyOffset(const QDateTime& date, const QString& offset);
