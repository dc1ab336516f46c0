#pragma once

#include <QString>
#include <QStringView>
#include <QVarLengthArray>

// Finds a text in another in time linear in both lengths, whatever the texts (Knuth-Morris-Pratt, with a
// fast skip to the next candidate first character), so user-typed search texts can never make a
// replace or a name structure slow. An occurrence that would split a surrogate pair of the searched text
// is never reported.
class TextSearch
{
public:
    // Where a search stands: the next unit to read and how much of the needle is matched before it.
    struct Cursor
    {
        qsizetype pos = 0;
        qsizetype matched = 0;
    };

    // The needle must not be empty.
    explicit TextSearch(QStringView needle);

    qsizetype size() const { return m_needle.size(); }

    // The start of the next occurrence from the cursor on, or -1. Afterwards the cursor stands behind the
    // occurrence; with overlapping set, a later call also finds occurrences that begin inside it.
    qsizetype next(QStringView haystack, Cursor& cursor, bool overlapping) const;

private:
    QStringView m_needle;
    QVarLengthArray<qsizetype, 32> m_border; // longest proper border of each needle prefix
};

// Case-insensitive matching compares simple case folds, one code point to one code point, so positions
// in a folded copy are positions in the original text. Code points whose fold lies in the other plane
// (there are none in current Unicode data) are kept as they are.
char32_t FoldCase(char32_t c);
QString FoldCaseCopy(QStringView text);

// First position at or after from of an ASCII needle (a tag such as "<NAME_L(") in text, ignoring case by
// the same folding; -1 when there is none.
qsizetype IndexOfIgnoreCase(QStringView text, QStringView asciiNeedle, qsizetype from = 0);
