#pragma once

#include <QString>

// The character classes of the insert, replace and numbering functions, derived once at start-up from
// the "letters" setting (the user's alphabet of lower-case letters).
struct CharClasses
{
    QString lower;
    QString upper;
    QString digits = QStringLiteral("0123456789");
    QString signedDigits = QStringLiteral("-0123456789");
    QString hexDigits = QStringLiteral("0123456789abcdefABCDEF");
    QString letterNumeralsUpper; // "-" and the upper-case form of the first 26 letters
    QString letterNumeralsLower;

    // Builds the classes from a "letters" value; a blank value gives the default alphabet.
    static CharClasses fromLetters(const QString& letters);
    static QString defaultLetters();
};
