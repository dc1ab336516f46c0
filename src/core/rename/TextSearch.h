#pragma once

#include <QString>
#include <QStringView>
#include <QVarLengthArray>

// Finds a text in another in time linear in both lengths, whatever the texts (Knuth-Morris-Pratt, with a
// fast skip to the next candidate first character), so user-typed search texts can never make a
// replace or a name structure slow. An occurrence that would split a surrogate pair of the searched text
// is never reported.
//
// Ignoring case compares simple case folds, one code point to one code point, so positions in the folded
// text are positions in the original. The haystack is folded as it is read: no copy is made.
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
    explicit TextSearch(QStringView needle, bool ignoreCase = false);

    qsizetype size() const { return m_needle.size(); }

    // The start of the next occurrence from the cursor on, or -1. Afterwards the cursor stands behind the
    // occurrence; with overlapping set, a later call also finds occurrences that begin inside it.
    qsizetype next(QStringView haystack, Cursor& cursor, bool overlapping = false) const;
    // The first occurrence at or after from, or -1.
    qsizetype indexIn(QStringView haystack, qsizetype from = 0) const;

private:
    template <bool Fold> qsizetype find(QStringView haystack, Cursor& cursor, bool overlapping) const;

    QVarLengthArray<char16_t, 32> m_needle;  // folded when case is ignored
    QVarLengthArray<qsizetype, 32> m_border; // longest proper border of each needle prefix
    bool m_ignoreCase = false;
    bool m_skipToFirst = true; // the needle's first unit can be looked for with a plain character search
};
