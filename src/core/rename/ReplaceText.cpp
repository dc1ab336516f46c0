#include "core/rename/ReplaceText.h"

#include "core/rename/CodePoints.h"
#include "core/rename/TextSearch.h"

QString ReplaceText(const QString& text, QStringView find, QStringView replacement, qsizetype start, qsizetype count,
                    bool ignoreCase)
{
    if (find.isEmpty() || count <= 0 || find.size() > text.size())
        return text;
    return ReplaceText(text, TextSearch(find, ignoreCase), replacement, start, count);
}

QString ReplaceText(const QString& text, const TextSearch& search, QStringView replacement, qsizetype start,
                    qsizetype count)
{
    if (count <= 0 || search.size() > text.size())
        return text;
    TextSearch::Cursor cursor;
    cursor.pos = start > 1 ? CodePoints::offsetOf(text, start - 1) : 0;
    qsizetype at = search.next(text, cursor);
    if (at < 0)
        return text;

    QString out;
    const qsizetype growth = qMax<qsizetype>(0, replacement.size() - search.size());
    out.reserve(text.size() + qMin<qsizetype>(growth * 16, text.size()));
    qsizetype copied = 0;
    while (at >= 0) {
        out.append(QStringView(text).sliced(copied, at - copied));
        out.append(replacement);
        copied = at + search.size();
        if (--count == 0)
            break;
        at = search.next(text, cursor);
    }
    out.append(QStringView(text).sliced(copied));
    return out;
}
