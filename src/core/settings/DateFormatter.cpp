#include "core/settings/DateFormatter.h"

namespace DateFormatter {

namespace {

// True when the format has the code at position i, ignoring case.
bool codeAt(QStringView format, qsizetype i, QStringView code)
{
    return format.sliced(i).startsWith(code, Qt::CaseInsensitive);
}

QString twoDigits(int value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

} // namespace

QString format(const QDateTime& time, QStringView format, const QLocale& locale)
{
    const QDateTime t = time.isValid() ? time : zeroTime();
    const QDate date = t.date();
    const QTime clock = t.time();
    const bool twelveHours = format.contains(u"AM/PM", Qt::CaseInsensitive);
    QString out;
    out.reserve(format.size() + 8);
    for (qsizetype i = 0; i < format.size();) {
        if (codeAt(format, i, u"yyyy")) {
            out += QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0'));
            i += 4;
        } else if (codeAt(format, i, u"yy")) {
            out += twoDigits(date.year() % 100);
            i += 2;
        } else if (codeAt(format, i, u"mmmm")) {
            out += locale.monthName(date.month(), QLocale::LongFormat);
            i += 4;
        } else if (codeAt(format, i, u"mmm")) {
            out += locale.monthName(date.month(), QLocale::ShortFormat);
            i += 3;
        } else if (codeAt(format, i, u"mm")) {
            out += twoDigits(date.month());
            i += 2;
        } else if (codeAt(format, i, u"dd")) {
            out += twoDigits(date.day());
            i += 2;
        } else if (codeAt(format, i, u"hh")) {
            const int hour = clock.hour();
            out += twoDigits(twelveHours ? (hour % 12 == 0 ? 12 : hour % 12) : hour);
            i += 2;
        } else if (codeAt(format, i, u"nn")) {
            out += twoDigits(clock.minute());
            i += 2;
        } else if (codeAt(format, i, u"ss")) {
            out += twoDigits(clock.second());
            i += 2;
        } else if (codeAt(format, i, u"AM/PM")) {
            out += clock.hour() < 12 ? QStringLiteral("AM") : QStringLiteral("PM");
            i += 5;
        } else {
            out += format[i];
            ++i;
        }
    }
    return out;
}

QDateTime zeroTime()
{
    return QDateTime(QDate(1899, 12, 30), QTime(0, 0));
}

} // namespace DateFormatter
