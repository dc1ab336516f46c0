#include "settings/CharClasses.h"

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
    const QString first26 = classes.lower.left(26);
    classes.letterNumeralsUpper = QLatin1Char('-') + first26.toUpper();
    classes.letterNumeralsLower = QLatin1Char('-') + first26.toLower();
    return classes;
}
