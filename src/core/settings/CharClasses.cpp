#include "core/settings/CharClasses.h"

#include "core/settings/TextCodec.h"

QString CharClasses::defaultLetters()
{
    return QStringLiteral("abcdefghijklmnopqrstuvwxyz\u00e4\u00f6\u00fc\u00df");
}

CharClasses CharClasses::fromLetters(const QString& letters)
{
    CharClasses classes;
    classes.lower = letters.trimmed().isEmpty() ? defaultLetters() : letters.toLower();
    for (const QChar c : std::as_const(classes.lower)) {
        const QString up = QString(c).toUpper();
        // Only a single-character upper-case form counts ("ß" has none of its own).
        if (up.size() == 1 && up.at(0) != c)
            classes.upper.append(up);
    }
    // The numerals are digits by position, so each letter keeps its own place: a letter whose upper-case
    // form is not a single character ("ß" gives "SS") stands for itself.
    const QString first26 = classes.lower.left(26);
    classes.letterNumeralsUpper = QStringLiteral("-");
    for (const QChar c : first26) {
        const QString up = QString(c).toUpper();
        classes.letterNumeralsUpper.append(up.size() == 1 ? up.at(0) : c);
    }
    classes.letterNumeralsLower = QLatin1Char('-') + first26;
    return classes;
}

CharClasses::Kind CharClasses::kindOf(char32_t c) const
{
    if (c == U' ')
        return Blank;
    if (c <= 0xFFFF) {
        const QChar ch(static_cast<char16_t>(c));
        if (upper.contains(ch))
            return UpperLetter;
        if (lower.contains(ch))
            return LowerLetter;
        if (digits.contains(ch))
            return Digit;
    }
    return OtherCharacter;
}

QString CharClasses::otherCharacters() const
{
    QString set;
    for (int code = 33; code <= 255; ++code) {
        const QChar c = TextCodec::fromWindows1252(static_cast<unsigned char>(code));
        // Letters outside the user's alphabet ("é") are still letters; C1 controls are no characters to remove.
        if (c.isLetter() || lower.contains(c) || upper.contains(c) || digits.contains(c) || !c.isPrint())
            continue;
        set.append(c);
    }
    return set;
}
