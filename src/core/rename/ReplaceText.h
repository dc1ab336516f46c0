#pragma once

#include <QString>
#include <QStringView>
#include <limits>

class TextSearch;

// Every search-and-replace of the program. Replaces up to count occurrences of find in text, left to
// right and without overlap, starting at the 1-based character position start (1 or less: from the
// beginning); characters before start are kept. The inserted replacement is never searched again. With
// ignoreCase the match ignores case but the result keeps the text's own characters and inserts the
// replacement exactly. An empty find gives the text unchanged. Linear in the length of text and find,
// and the only allocation is the result (none when nothing is replaced).
inline constexpr int kReplaceAll = std::numeric_limits<int>::max();
QString ReplaceText(const QString& text, QStringView find, QStringView replacement, qsizetype start = 1,
                    qsizetype count = kReplaceAll, bool ignoreCase = false);
// The same with a search prepared once, for code that replaces one placeholder in many texts; whether
// case is ignored is the search's.
QString ReplaceText(const QString& text, const TextSearch& find, QStringView replacement, qsizetype start = 1,
                    qsizetype count = kReplaceAll);
