#pragma once

#include <QString>
#include <limits>

// Every search-and-replace of the program. Replaces up to count occurrences of find in text, left to
// right and without overlap, starting at the 1-based character position start (1 or less: from the
// beginning); characters before start are kept. The inserted replacement is never searched again. With
// ignoreCase the match ignores case but the result keeps the text's own characters and inserts the
// replacement exactly. An empty find gives the text unchanged. Linear in the length of text and find.
inline constexpr int kReplaceAll = std::numeric_limits<int>::max();
QString ReplaceText(const QString& text, const QString& find, const QString& replacement, qsizetype start = 1,
                    qsizetype count = kReplaceAll, bool ignoreCase = false);
