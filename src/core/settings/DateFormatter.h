#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringView>

// The one date/time formatter of the program: name structures, the date/time and insert functions and
// the format previews all write times through it, so a format means the same everywhere.
// Codes, matched without regard to case, longest first: "yyyy" and "yy" year, "mmmm" full and "mmm"
// abbreviated month name (from the locale), "mm" month, "dd" day, "hh" hour (01-12 when the format holds
// "AM/PM", else 00-23), "nn" minutes, "ss" seconds, "AM/PM" the text "AM" or "PM". Every other character
// is copied, so "mm" is always the month, also right after an hour code.
namespace DateFormatter {

QString format(const QDateTime& time, QStringView format, const QLocale& locale = QLocale::system());

// The time written for a time that cannot be read: the zero of the date system, 30 December 1899.
QDateTime zeroTime();

} // namespace DateFormatter
