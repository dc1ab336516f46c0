#pragma once

#include <QString>
#include <QStringView>
#include <vector>

// A name filter pattern, matched against a whole name with letter case significant:
//   "*"        any run of characters, also none
//   "?"        exactly one character
//   "#"        exactly one decimal digit (any script's digits, "0" to "9" among them)
//   "[abc]"    one character of the set; "[a-z]" a range, "[a-cx-z]" several; "[z-a]" is the range a to z
//   "[!a-z]"   one character not in the set
// Inside brackets every character is itself, except that "!" in the first place negates and "-" between
// two characters forms a range ("-" first or last is a plain "-"). "[]" matches no character and "[!]" any
// one. A "[" that is never closed is a plain "[". Characters are Unicode code points: an emoji is one "?".
//
// Matching takes at most (name length × pattern length) steps, whatever the pattern: there is no
// backtracking blow-up on patterns such as "*a*a*a*a*b".
class Wildcard
{
public:
    explicit Wildcard(const QString& pattern = QString());

    bool matches(QStringView name) const;
    static bool matches(const QString& pattern, QStringView name) { return Wildcard(pattern).matches(name); }

    QString pattern() const { return m_pattern; }

private:
    struct Range
    {
        char32_t first;
        char32_t last;
    };
    struct Token
    {
        enum class Kind { Literal, AnyOne, Digit, Set, Star };
        Kind kind = Kind::Literal;
        char32_t ch = 0;      // Literal
        bool negated = false; // Set
        int firstRange = 0;   // Set: its ranges in m_ranges
        int rangeCount = 0;
    };

    bool tokenMatches(const Token& token, char32_t c) const;

    QString m_pattern;
    std::vector<Token> m_tokens;
    std::vector<Range> m_ranges;
};
