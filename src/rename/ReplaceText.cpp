#include "rename/ReplaceText.h"

#include "rename/CodePoints.h"
#include "rename/TextSearch.h"

QString ReplaceText(const QString& text, const QString& find, const QString& replacement, qsizetype start,
                    qsizetype count, bool ignoreCase)
{
    if (find.isEmpty() || count <= 0 || find.size() > text.size())
        return text;
    // Matching runs on case-folded copies when case is ignored; the copies keep every position, so the
    // result is cut from the text itself.
    const QString foldedText = ignoreCase ? FoldCaseCopy(text) : QString();
    const QString foldedFind = ignoreCase ? FoldCaseCopy(find) : QString();
    const QStringView haystack = ignoreCase ? QStringView(foldedText) : QStringView(text);
    const TextSearch search(ignoreCase ? QStringView(foldedFind) : QStringView(find));

    TextSearch::Cursor cursor;
    cursor.pos = start > 1 ? CodePoints::offsetOf(text, start - 1) : 0;
    qsizetype at = search.next(haystack, cursor, false);
    if (at < 0)
        return text;

    QString out;
    const qsizetype growth = qMax<qsizetype>(0, replacement.size() - find.size());
    out.reserve(text.size() + qMin<qsizetype>(growth * 16, text.size()));
    qsizetype copied = 0;
    while (at >= 0) {
        out.append(QStringView(text).sliced(copied, at - copied));
        out.append(replacement);
        copied = at + find.size();
        if (--count == 0)
            break;
        at = search.next(haystack, cursor, false);
    }
    out.append(QStringView(text).sliced(copied));
    return out;
}
