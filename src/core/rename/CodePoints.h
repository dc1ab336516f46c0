#pragma once

#include <QString>
#include <QStringView>

// Positions and lengths in names count Unicode code points, as the user sees characters: an emoji is one
// character, and a surrogate pair is never split. A lone surrogate (only in malformed text) counts as one
// character of its own. These helpers map code-point counts onto the UTF-16 text and cost time in
// proportion to the characters they step over, so short prefixes of long texts stay cheap.
namespace CodePoints {

// Length in UTF-16 units of the code point that starts at unit i.
inline qsizetype unitsAt(QStringView text, qsizetype i)
{
    return i + 1 < text.size() && text[i].isHighSurrogate() && text[i + 1].isLowSurrogate() ? 2 : 1;
}

// The code point that starts at unit i.
inline char32_t at(QStringView text, qsizetype i)
{
    return unitsAt(text, i) == 2 ? QChar::surrogateToUcs4(text[i], text[i + 1]) : char32_t(text[i].unicode());
}

// Appends one code point as UTF-16.
inline void append(QString& out, char32_t c)
{
    if (QChar::requiresSurrogates(c)) {
        out.append(QChar(QChar::highSurrogate(c)));
        out.append(QChar(QChar::lowSurrogate(c)));
    } else {
        out.append(QChar(char16_t(c)));
    }
}

qsizetype count(QStringView text);
// UTF-16 offset of the code point with the 0-based index n from the start; the text length when n is
// past the end.
qsizetype offsetOf(QStringView text, qsizetype n);
// UTF-16 offset where the last n code points begin; 0 when the text has no more than n.
qsizetype offsetOfLast(QStringView text, qsizetype n);

// The first n characters (all when n exceeds the length, none when n <= 0).
QStringView left(QStringView text, qsizetype n);
// The last n characters, with the same bounds.
QStringView right(QStringView text, qsizetype n);
// Characters from the 1-based position `from` to `to`, both inclusive, cut to the text.
QStringView range(QStringView text, qsizetype from, qsizetype to);

} // namespace CodePoints
