#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringView>

// The one date/time formatter of the program: name structures, the date/time and insert functions and
// the format previews all write times through it, so a format means the same everywhere.
// Codes, matched without regard to case, longest first:
//  - "yyyy" four-digit and "yy" two-digit year, "y" day of the year (1-366), "q" quarter (1-4);
//  - "mmmm" full and "mmm" abbreviated month name (from the locale), "mm" month with two digits, "m"
//    without a leading zero;
//  - "dddddd" long and "ddddd" short date of the locale, "dddd" full and "ddd" abbreviated day name,
//    "dd" day with two digits, "d" without a leading zero;
//  - "ww" week of the year (weeks start on Sunday, week 1 holds 1 January), "w" day of the week
//    (1 Sunday to 7 Saturday);
//  - "hh" and "h" hour with and without a leading zero (1-12 when the format holds "AM/PM", else 0-23),
//    "nn" and "n" minutes, "ss" and "s" seconds, "AM/PM" the text "AM" or "PM";
//  - text in double or single quotes is copied without its quotes (an unclosed quote runs to the end).
// Every other character is copied. "mm" and "m" are always the month, also right after an hour code.
namespace DateFormatter {

QString format(const QDateTime& time, QStringView format, const QLocale& locale = QLocale::system());
// The same for a local date and time; an invalid date stands for the zero time.
QString format(QDate date, QTime clock, QStringView format, const QLocale& locale);

// The time written for a time that cannot be read: the zero of the date system, 30 December 1899.
QDateTime zeroTime();

} // namespace DateFormatter
