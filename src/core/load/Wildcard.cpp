#include "core/load/Wildcard.h"

#include <QChar>
#include <QVarLengthArray>

namespace {

using CodePoints = QVarLengthArray<char32_t, 256>;

// Code points of a text; a lone surrogate stands for itself, so nothing is lost or merged.
void decode(QStringView text, CodePoints& out)
{
    out.clear();
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < n && text[i + 1].isLowSurrogate()) {
            out.append(QChar::surrogateToUcs4(c, text[i + 1]));
            ++i;
        } else {
            out.append(c.unicode());
        }
    }
}

} // namespace

Wildcard::Wildcard(const QString& pattern)
    : m_pattern(pattern)
{
    CodePoints p;
    decode(pattern, p);
    const qsizetype n = p.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char32_t c = p[i];
        Token token;
        if (c == U'*') {
            // A run of stars means the same as one.
            if (!m_tokens.empty() && m_tokens.back().kind == Token::Kind::Star)
                continue;
            token.kind = Token::Kind::Star;
        } else if (c == U'?') {
            token.kind = Token::Kind::AnyOne;
        } else if (c == U'#') {
            token.kind = Token::Kind::Digit;
        } else if (c == U'[') {
            qsizetype start = i + 1;
            const bool negated = start < n && p[start] == U'!';
            if (negated)
                ++start;
            qsizetype close = start;
            while (close < n && p[close] != U']')
                ++close;
            if (close >= n) {
                // Never closed: the bracket is an ordinary character.
                token.ch = c;
            } else {
                token.kind = Token::Kind::Set;
                token.negated = negated;
                token.firstRange = int(m_ranges.size());
                for (qsizetype k = start; k < close; ++k) {
                    if (k + 2 < close && p[k + 1] == U'-') {
                        m_ranges.push_back({std::min(p[k], p[k + 2]), std::max(p[k], p[k + 2])});
                        k += 2;
                    } else {
                        m_ranges.push_back({p[k], p[k]});
                    }
                }
                token.rangeCount = int(m_ranges.size()) - token.firstRange;
                i = close;
            }
        } else {
            token.ch = c;
        }
        m_tokens.push_back(token);
    }
}

bool Wildcard::tokenMatches(const Token& token, char32_t c) const
{
    switch (token.kind) {
    case Token::Kind::Literal:
        return token.ch == c;
    case Token::Kind::AnyOne:
        return true;
    case Token::Kind::Digit:
        return QChar::isDigit(c);
    case Token::Kind::Set: {
        bool inSet = false;
        for (int r = token.firstRange; r < token.firstRange + token.rangeCount && !inSet; ++r)
            inSet = c >= m_ranges[size_t(r)].first && c <= m_ranges[size_t(r)].last;
        return inSet != token.negated;
    }
    case Token::Kind::Star:
        break;
    }
    return false;
}

bool Wildcard::matches(QStringView name) const
{
    CodePoints s;
    decode(name, s);

    // Every token but the star consumes exactly one character, so on a mismatch it is enough to let the
    // most recent star swallow one more character and retry from there: an earlier star could only
    // take over characters that the later star can take as well. Each retry advances the star's start,
    // which bounds the work by name length × pattern length.
    const size_t m = m_tokens.size();
    const qsizetype n = s.size();
    size_t t = 0;
    qsizetype i = 0;
    size_t starToken = m;
    qsizetype starPos = 0;
    while (i < n) {
        if (t < m && m_tokens[t].kind == Token::Kind::Star) {
            starToken = t++;
            starPos = i;
        } else if (t < m && tokenMatches(m_tokens[t], s[i])) {
            ++t;
            ++i;
        } else if (starToken < m) {
            t = starToken + 1;
            i = ++starPos;
        } else {
            return false;
        }
    }
    while (t < m && m_tokens[t].kind == Token::Kind::Star)
        ++t;
    return t == m;
}
