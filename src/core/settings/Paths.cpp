#include "core/settings/Paths.h"

#include "core/platform/FileSystem.h"

QString EnsureTrailingSeparator(const QString& path)
{
    if (path.endsWith(QLatin1Char('/')))
        return path;
    return path + QLatin1Char('/');
}

QString StripTrailingSeparator(const QString& path)
{
    if (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        return path.left(path.size() - 1);
    return path;
}

QString JoinedPath(QStringView a, QStringView b, QStringView c)
{
    QString text;
    text.reserve(a.size() + b.size() + c.size());
    text.append(a).append(b).append(c);
    return text;
}

bool CreateFolderPath(FileSystem& fs, const QString& path)
{
    const QString target = StripTrailingSeparator(path);
    if (target.isEmpty())
        return false;
    for (qsizetype pos = target.indexOf(QLatin1Char('/'), 1); pos > 0;
         pos = target.indexOf(QLatin1Char('/'), pos + 1)) {
        const QString prefix = target.left(pos);
        // Someone else may create a level meanwhile: what counts is that it exists afterwards.
        if (!fs.folderExists(prefix) && !fs.createFolder(prefix).ok() && !fs.folderExists(prefix))
            return false;
    }
    return fs.folderExists(target) || fs.createFolder(target).ok() || fs.folderExists(target);
}
