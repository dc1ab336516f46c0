#include "core/settings/DateFormatter.h"

namespace DateFormatter {

namespace {

// How many times the letter repeats at position i, ignoring case.
qsizetype runOf(QStringView format, qsizetype i, char16_t letter)
{
    qsizetype n = 0;
    while (i + n < format.size() && format[i + n].toLower() == QChar(letter))
        ++n;
    return n;
}

QString padded(int value, int digits)
{
    return QStringLiteral("%1").arg(value, digits, 10, QLatin1Char('0'));
}

// Locale dates may use "/", which no folder name can hold.
QString localeDate(const QLocale& locale, QDate date, QLocale::FormatType type)
{
    return locale.toString(date, type).replace(QLatin1Char('/'), QLatin1Char('-'));
}

// Weeks start on Sunday; week 1 is the one that holds 1 January.
int weekOfYear(QDate date)
{
    const int firstWeekday = QDate(date.year(), 1, 1).dayOfWeek() % 7; // Sunday 0
    return (date.dayOfYear() - 1 + firstWeekday) / 7 + 1;
}

} // namespace

QString format(const QDateTime& time, QStringView format, const QLocale& locale)
{
    return DateFormatter::format(time.date(), time.time(), format, locale);
}

QString format(QDate date, QTime clock, QStringView format, const QLocale& locale)
{
    if (!date.isValid() || !clock.isValid()) {
        date = zeroTime().date();
        clock = zeroTime().time();
    }
    const bool twelveHours = format.contains(u"AM/PM", Qt::CaseInsensitive);
    const int hour = twelveHours ? (clock.hour() % 12 == 0 ? 12 : clock.hour() % 12) : clock.hour();
    QString out;
    out.reserve(format.size() + 8);
    for (qsizetype i = 0; i < format.size();) {
        const QChar c = format[i];
        if (c == u'"' || c == u'\'') {
            qsizetype end = format.indexOf(c, i + 1);
            if (end < 0)
                end = format.size();
            out += format.sliced(i + 1, end - i - 1);
            i = end + 1;
            continue;
        }
        if (format.sliced(i).startsWith(u"AM/PM", Qt::CaseInsensitive)) {
            out += clock.hour() < 12 ? QStringLiteral("AM") : QStringLiteral("PM");
            i += 5;
            continue;
        }
        const char16_t letter = c.toLower().unicode();
        const qsizetype run = runOf(format, i, letter);
        qsizetype used = run == 0 ? 0 : 1;
        switch (letter) {
        case u'y':
            used = run >= 4 ? 4 : run >= 2 ? 2 : 1;
            out += used == 4   ? padded(date.year(), 4)
                   : used == 2 ? padded(date.year() % 100, 2)
                               : QString::number(date.dayOfYear());
            break;
        case u'm':
            used = qMin<qsizetype>(run, 4);
            out += used == 4   ? locale.monthName(date.month(), QLocale::LongFormat)
                   : used == 3 ? locale.monthName(date.month(), QLocale::ShortFormat)
                               : padded(date.month(), int(used));
            break;
        case u'd':
            used = qMin<qsizetype>(run, 6);
            out += used == 6   ? localeDate(locale, date, QLocale::LongFormat)
                   : used == 5 ? localeDate(locale, date, QLocale::ShortFormat)
                   : used == 4 ? locale.dayName(date.dayOfWeek(), QLocale::LongFormat)
                   : used == 3 ? locale.dayName(date.dayOfWeek(), QLocale::ShortFormat)
                               : padded(date.day(), int(used));
            break;
        case u'w':
            used = qMin<qsizetype>(run, 2);
            out += QString::number(used == 2 ? weekOfYear(date) : date.dayOfWeek() % 7 + 1);
            break;
        case u'q':
            out += QString::number((date.month() + 2) / 3);
            break;
        case u'h':
        case u'n':
        case u's': {
            used = qMin<qsizetype>(run, 2);
            const int value = letter == u'h' ? hour : letter == u'n' ? clock.minute() : clock.second();
            out += padded(value, int(used));
            break;
        }
        default:
            out += c;
            used = 1;
            break;
        }
        i += used;
    }
    return out;
}

QDateTime zeroTime()
{
    return QDateTime(QDate(1899, 12, 30), QTime(0, 0));
}

} // namespace DateFormatter
