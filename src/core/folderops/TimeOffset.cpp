#include "core/folderops/TimeOffset.h"

#include <QStringList>

namespace {

constexpr int kTextLength = 18;
constexpr qint64 kSecondsPerDay = 24 * 60 * 60;

// Floor division, so that a negative part borrows from the next larger one.
qint64 floorDiv(qint64 a, qint64 b)
{
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

} // namespace

TimeOffset TimeOffset::fromText(const QString& text)
{
    TimeOffset offset;
    if (text.size() != kTextLength)
        return offset;
    TimeOffset read;
    read.subtract = text.at(0) != QLatin1Char('+');
    for (int i = 0; i < 6; ++i) {
        bool ok = false;
        const int value = text.mid(1 + 3 * i, 2).toInt(&ok);
        const bool separated = i == 0 || text.at(3 * i) == QLatin1Char(':');
        if (!ok || value < 0 || !separated)
            return offset;
        read.fields[i] = value;
    }
    return read;
}

QString TimeOffset::text() const
{
    QStringList parts;
    for (const int field : fields)
        parts.append(QStringLiteral("%1").arg(field, 2, 10, QLatin1Char('0')));
    return (subtract ? QStringLiteral("-") : QStringLiteral("+")) + parts.join(QLatin1Char(':'));
}

bool TimeOffset::isZero() const
{
    for (const int field : fields) {
        if (field != 0)
            return false;
    }
    return true;
}

QDateTime ApplyOffset(const QDateTime& date, const QString& offsetText)
{
    if (!date.isValid())
        return date;
    const TimeOffset offset = TimeOffset::fromText(offsetText);
    const int sign = offset.subtract ? -1 : 1;
    const QDate day = date.date();
    const QTime clock = date.time();

    // Months carry into years first; the day then counts from the 1st of that month, so a day past the
    // month's end runs on into the next (and day 0 is the last day of the month before).
    const qint64 months =
        qint64(day.year()) * 12 + (day.month() - 1) + sign * (qint64(offset.fields[0]) * 12 + offset.fields[1]);
    const int year = static_cast<int>(floorDiv(months, 12));
    const int month = static_cast<int>(months - qint64(year) * 12) + 1;
    const qint64 days = day.day() - 1 + sign * qint64(offset.fields[2]);

    const qint64 seconds = qint64(clock.hour()) * 3600 + clock.minute() * 60 + clock.second() +
                           sign * (qint64(offset.fields[3]) * 3600 + qint64(offset.fields[4]) * 60 + offset.fields[5]);
    const qint64 carriedDays = floorDiv(seconds, kSecondsPerDay);
    const qint64 secondOfDay = seconds - carriedDays * kSecondsPerDay;

    const QDate shifted = QDate(year, month, 1).addDays(days + carriedDays);
    const QTime time = QTime(0, 0).addSecs(static_cast<int>(secondOfDay));
    QDateTime result = date;
    result.setDate(shifted);
    result.setTime(time);
    return result;
}
