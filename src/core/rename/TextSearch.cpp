#include "core/rename/TextSearch.h"

namespace {

bool splitsPair(QStringView text, qsizetype at)
{
    return at > 0 && at < text.size() && text[at].isLowSurrogate() && text[at - 1].isHighSurrogate();
}

char16_t foldAscii(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c;
}

// The simple case fold of a code point; code points whose fold lies in the other plane (there are none
// in current Unicode data) are kept as they are, so folding never moves a position.
char32_t foldCase(char32_t c)
{
    if (c < 0x80)
        return foldAscii(char16_t(c));
    const char32_t folded = QChar::toCaseFolded(c);
    return QChar::requiresSurrogates(folded) == QChar::requiresSurrogates(c) ? folded : c;
}

char16_t foldedNonAsciiUnitAt(QStringView text, qsizetype i)
{
    const char16_t u = text[i].unicode();
    if (!QChar::isSurrogate(u))
        return char16_t(foldCase(u));
    if (QChar::isHighSurrogate(u) && i + 1 < text.size() && text[i + 1].isLowSurrogate())
        return QChar::highSurrogate(foldCase(QChar::surrogateToUcs4(u, text[i + 1].unicode())));
    if (QChar::isLowSurrogate(u) && i > 0 && text[i - 1].isHighSurrogate())
        return QChar::lowSurrogate(foldCase(QChar::surrogateToUcs4(text[i - 1].unicode(), u)));
    return u;
}

// The folded UTF-16 unit at i: a unit of a surrogate pair is the matching unit of the folded pair.
inline char16_t foldedUnitAt(QStringView text, qsizetype i)
{
    const char16_t u = text[i].unicode();
    return u < 0x80 ? foldAscii(u) : foldedNonAsciiUnitAt(text, i);
}

} // namespace

TextSearch::TextSearch(QStringView needle, bool ignoreCase)
    : m_ignoreCase(ignoreCase)
{
    Q_ASSERT(!needle.isEmpty());
    m_needle.resize(needle.size());
    for (qsizetype i = 0; i < needle.size(); ++i)
        m_needle[i] = ignoreCase ? foldedUnitAt(needle, i) : needle[i].unicode();
    // Ignoring case, other characters fold to a letter (the Kelvin sign to "k"), but nothing folds to an
    // ASCII character without case, such as the "<" that begins every tag.
    const char16_t first = m_needle[0];
    m_skipToFirst = !ignoreCase || (first < 0x80 && !QChar::isLetter(first));
    m_border.resize(needle.size());
    m_border[0] = 0;
    qsizetype k = 0;
    for (qsizetype i = 1; i < m_needle.size(); ++i) {
        while (k > 0 && m_needle[i] != m_needle[k])
            k = m_border[k - 1];
        if (m_needle[i] == m_needle[k])
            ++k;
        m_border[i] = k;
    }
}

qsizetype TextSearch::next(QStringView haystack, Cursor& cursor, bool overlapping) const
{
    return m_ignoreCase ? find<true>(haystack, cursor, overlapping) : find<false>(haystack, cursor, overlapping);
}

qsizetype TextSearch::indexIn(QStringView haystack, qsizetype from) const
{
    Cursor cursor;
    cursor.pos = qMax<qsizetype>(from, 0);
    return next(haystack, cursor);
}

template <bool Fold> qsizetype TextSearch::find(QStringView haystack, Cursor& cursor, bool overlapping) const
{
    const qsizetype n = haystack.size();
    const qsizetype m = m_needle.size();
    qsizetype pos = cursor.pos;
    qsizetype matched = cursor.matched;
    while (pos < n) {
        if (matched == 0 && m_skipToFirst) {
            // Nothing matched: jump straight to the next place where the needle can begin.
            pos = haystack.indexOf(QChar(m_needle[0]), pos);
            if (pos < 0)
                break;
        }
        const char16_t c = Fold ? foldedUnitAt(haystack, pos) : haystack[pos].unicode();
        while (matched > 0 && m_needle[matched] != c)
            matched = m_border[matched - 1];
        if (m_needle[matched] == c)
            ++matched;
        ++pos;
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
