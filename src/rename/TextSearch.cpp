#include "rename/TextSearch.h"

#include "rename/CodePoints.h"

namespace {

bool splitsPair(QStringView text, qsizetype at)
{
    return at > 0 && at < text.size() && text[at].isLowSurrogate() && text[at - 1].isHighSurrogate();
}

char16_t foldAscii(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c;
}

} // namespace

TextSearch::TextSearch(QStringView needle)
    : m_needle(needle)
{
    Q_ASSERT(!needle.isEmpty());
    m_border.resize(needle.size());
    m_border[0] = 0;
    qsizetype k = 0;
    for (qsizetype i = 1; i < needle.size(); ++i) {
        while (k > 0 && needle[i] != needle[k])
            k = m_border[k - 1];
        if (needle[i] == needle[k])
            ++k;
        m_border[i] = k;
    }
}

qsizetype TextSearch::next(QStringView haystack, Cursor& cursor, bool overlapping) const
{
    const qsizetype n = haystack.size();
    const qsizetype m = m_needle.size();
    const QChar first = m_needle[0];
    qsizetype pos = cursor.pos;
    qsizetype matched = cursor.matched;
    while (pos < n) {
        if (matched == 0) {
            // Nothing matched: jump straight to the next place where the needle can begin.
            pos = haystack.indexOf(first, pos);
            if (pos < 0) {
                pos = n;
                break;
            }
            matched = 1;
            ++pos;
        } else {
            const QChar c = haystack[pos];
            while (matched > 0 && m_needle[matched] != c)
                matched = m_border[matched - 1];
            if (m_needle[matched] == c)
                ++matched;
            ++pos;
        }
        if (matched == m) {
            const qsizetype start = pos - m;
            matched = m_border[m - 1];
            if (splitsPair(haystack, start) || splitsPair(haystack, pos))
                continue;
            cursor.pos = pos;
            cursor.matched = overlapping ? matched : 0;
            return start;
        }
    }
    cursor.pos = n;
    cursor.matched = 0;
    return -1;
}

char32_t FoldCase(char32_t c)
{
    if (c < 0x80)
        return foldAscii(char16_t(c));
    const char32_t folded = QChar::toCaseFolded(c);
    return QChar::requiresSurrogates(folded) == QChar::requiresSurrogates(c) ? folded : c;
}

QString FoldCaseCopy(QStringView text)
{
    QString out(text.size(), Qt::Uninitialized);
    char16_t* dst = reinterpret_cast<char16_t*>(out.data());
    for (qsizetype i = 0; i < text.size();) {
        const char16_t unit = text[i].unicode();
        if (unit < 0x80) {
            dst[i++] = foldAscii(unit);
            continue;
        }
        const qsizetype units = CodePoints::unitsAt(text, i);
        const char32_t folded = FoldCase(CodePoints::at(text, i));
        if (units == 2) {
            dst[i] = QChar::highSurrogate(folded);
            dst[i + 1] = QChar::lowSurrogate(folded);
        } else {
            dst[i] = char16_t(folded);
        }
        i += units;
    }
    return out;
}

qsizetype IndexOfIgnoreCase(QStringView text, QStringView asciiNeedle, qsizetype from)
{
    const qsizetype m = asciiNeedle.size();
    // Anchor the scan on the needle's first character that has no case ("<" or "("), which the
    // vectorised single-character search finds fast; every candidate is then checked in full.
    qsizetype anchor = 0;
    while (anchor < m && asciiNeedle[anchor].isLetter())
        ++anchor;
    const bool everyPosition = anchor == m;
    if (everyPosition)
        anchor = 0;
    const QChar anchorChar = asciiNeedle[anchor];
    for (qsizetype at = qMax<qsizetype>(from, 0) + anchor; at < text.size(); ++at) {
        if (!everyPosition) {
            at = text.indexOf(anchorChar, at);
            if (at < 0)
                return -1;
        }
        const qsizetype start = at - anchor;
        if (start + m > text.size())
            return -1;
        qsizetype k = 0;
        while (k < m && FoldCase(text[start + k].unicode()) == foldAscii(asciiNeedle[k].unicode()))
            ++k;
        if (k == m)
            return start;
    }
    return -1;
}
