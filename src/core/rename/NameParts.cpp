#include "core/rename/NameParts.h"

#include "core/rename/CodePoints.h"
#include "core/rename/TextSearch.h"

FolderNameViews SplitFolderNameViews(QStringView name)
{
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot < 0)
        return {name, QStringView()};
    return {name.first(dot), name.sliced(dot)};
}

QString GetFolderExt(const QString& name, bool withDot)
{
    const QStringView ext = SplitFolderNameViews(name).ext;
    return (withDot || ext.isEmpty() ? ext : ext.sliced(1)).toString();
}

QString GetFolderBaseName(const QString& name)
{
    return SplitFolderNameViews(name).base.toString();
}

FolderNameParts SplitFolderName(const QString& name)
{
    const FolderNameViews views = SplitFolderNameViews(name);
    return {views.base.toString(), views.ext.toString()};
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

QStringView StripQuotes(QStringView text)
{
    if (text.startsWith(u'"'))
        text = text.sliced(1);
    if (text.endsWith(u'"'))
        text.chop(1);
    return text;
}
