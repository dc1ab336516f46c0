#include "core/folderops/SubfolderCreation.h"

#include "core/settings/Paths.h"

namespace SubfolderCreation {

QString CleanName(const QString& name)
{
    QString clean = name.trimmed();
    while (clean.contains(QLatin1String("//")))
        clean.replace(QLatin1String("//"), QLatin1String("/"));
    if (clean.startsWith(QLatin1Char('/')))
        clean.remove(0, 1);
    return clean;
}

QString TidyCount(const QString& text)
{
    QString digits = text;
    while (digits.startsWith(QLatin1Char('0')))
        digits.remove(0, 1);
    if (digits.isEmpty())
        return QStringLiteral("1");
    if (digits.size() > 4 || digits.toInt() > kMaxCount)
        return QString::number(kMaxCount);
    return digits;
}

QStringList CreateSubFolders(FileSystem& fs, const QStringList& folders, const QString& name, int count)
{
    QStringList paths;
    const QString clean = CleanName(name);
    if (clean.isEmpty() || count < 1)
        return paths;
    for (const QString& folder : folders) {
        const QString base = EnsureTrailingSeparator(folder) + clean;
        for (int k = 1; k <= count; ++k) {
            const QString path = count == 1 ? base : base + QString::number(k);
            // Existing or refused folders are passed over; the path is still reported.
            static_cast<void>(CreateFolderPath(fs, path));
            paths << path;
        }
    }
    return paths;
}

} // namespace SubfolderCreation
