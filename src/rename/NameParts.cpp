#include "rename/NameParts.h"

#include "rename/CodePoints.h"
#include "rename/TextSearch.h"

QString GetFolderExt(const QString& name, bool withDot)
{
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot < 0)
        return {};
    return name.sliced(withDot ? dot : dot + 1);
}

QString GetFolderBaseName(const QString& name)
{
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? name : name.first(dot);
}

FolderNameParts SplitFolderName(const QString& name)
{
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot < 0)
        return {name, QString()};
    return {name.first(dot), name.sliced(dot)};
}

qsizetype InStrNth(QStringView text, QStringView find, qsizetype n)
{
    if (n < 1 || find.isEmpty())
        return 0;
    const TextSearch search(find);
    TextSearch::Cursor cursor;
    qsizetype at = -1;
    for (; n > 0; --n) {
        at = search.next(text, cursor, true);
        if (at < 0)
            return 0;
    }
    return CodePoints::count(text.first(at)) + 1;
}

QString StripQuotes(QStringView text)
{
    if (text.startsWith(u'"'))
        text = text.sliced(1);
    if (text.endsWith(u'"'))
        text.chop(1);
    return text.toString();
}
