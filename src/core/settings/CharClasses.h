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

    // The class of a character for inserting before or after classes: upper-case letters, lower-case
    // letters, digits, the blank (in no class), and every other character.
    enum Kind { UpperLetter = 0, LowerLetter = 1, Digit = 2, OtherCharacter = 3, Blank = 4 };
    Kind kindOf(char32_t c) const;

    // The "other characters" a replace can take out: the Windows-1252 codes 33 to 255 that are neither a
    // letter nor a digit, in code order, without the control characters among them.
    QString otherCharacters() const;

    // Builds the classes from a "letters" value; a blank value gives the default alphabet.
    static CharClasses fromLetters(const QString& letters);
    static QString defaultLetters();
};
