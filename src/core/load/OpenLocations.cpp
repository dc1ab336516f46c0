#include "core/load/OpenLocations.h"

#include "core/load/Wildcard.h"
#include "core/platform/FileSystem.h"
#include "core/settings/Paths.h"

#include <algorithm>

namespace OpenLocations {

namespace {

const QString kRoot = QStringLiteral("/");

// The text names are ordered by: letter case and accents set aside ("Ärger" next to "Arbeit").
QString sortText(const QString& name)
{
    bool ascii = true;
    for (const QChar c : name)
        ascii = ascii && c.unicode() < 128;
    if (ascii)
        return name.toCaseFolded();
    QString folded;
    const QString decomposed = name.normalized(QString::NormalizationForm_D);
    folded.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        if (c.category() != QChar::Mark_NonSpacing)
            folded.append(c);
    }
    return folded.toCaseFolded();
}

// Compares sort texts with runs of digits taken by their value, so "a9" comes before "a10".
int naturalCompare(QStringView a, QStringView b)
{
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        const bool digitA = a[i].isDigit();
        const bool digitB = b[j].isDigit();
        if (digitA && digitB) {
            // Skip leading zeros, then the longer run is the larger number; equal lengths compare digit by
            // digit.
            while (i < a.size() && a[i].digitValue() == 0)
                ++i;
            while (j < b.size() && b[j].digitValue() == 0)
                ++j;
            qsizetype endA = i;
            qsizetype endB = j;
            while (endA < a.size() && a[endA].isDigit())
                ++endA;
            while (endB < b.size() && b[endB].isDigit())
                ++endB;
            if (endA - i != endB - j)
                return endA - i < endB - j ? -1 : 1;
            for (; i < endA; ++i, ++j) {
                if (a[i].digitValue() != b[j].digitValue())
                    return a[i].digitValue() < b[j].digitValue() ? -1 : 1;
            }
            continue;
        }
        if (a[i] != b[j])
            return a[i] < b[j] ? -1 : 1;
        ++i;
        ++j;
    }
    if (i < a.size())
        return 1;
    return j < b.size() ? -1 : 0;
}

// Sorts items by a name the way file managers list folders. The sort text is made once per item rather
// than in every comparison.
template <typename T, typename NameOf> void sortByName(QList<T>& items, NameOf nameOf)
{
    if (items.size() < 2)
        return;
    struct Keyed
    {
        QString key;
        qsizetype index;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(size_t(items.size()));
    for (qsizetype i = 0; i < items.size(); ++i)
        keyed.push_back({sortText(nameOf(items.at(i))), i});
    std::sort(keyed.begin(), keyed.end(), [&](const Keyed& a, const Keyed& b) {
        const int c = naturalCompare(a.key, b.key);
        // Names that differ only in case or accents still get a fixed order.
        return c != 0 ? c < 0 : nameOf(items.at(a.index)) < nameOf(items.at(b.index));
    });
    QList<T> sorted;
    sorted.reserve(items.size());
    for (const Keyed& k : keyed)
        sorted.append(std::move(items[k.index]));
    items = std::move(sorted);
}

bool matchesAnyPattern(const QList<Wildcard>& patterns, const QString& name)
{
    if (patterns.isEmpty())
        return true;
    return std::any_of(patterns.begin(), patterns.end(), [&](const Wildcard& w) { return w.matches(name); });
}

} // namespace

QList<Entry> volumeEntries(const FileSystem& fs, const QList<MountedVolume>& mounts, const QString& home,
                           const QString& homeLabel)
{
    QList<Entry> result;
    QList<MountedVolume> chosen;
    bool haveRoot = false;
    for (const MountedVolume& m : mounts) {
        const QString root = EnsureTrailingSeparator(m.rootPath);
        const bool isRoot = root == kRoot;
        if (!isRoot && (MountTable::isPseudoFileSystem(m.type) || !fs.folderExists(root)))
            continue;
        if (std::any_of(chosen.begin(), chosen.end(), [&](const MountedVolume& c) { return c.rootPath == root; }))
            continue;
        haveRoot = haveRoot || isRoot;
        chosen.append({root, m.type, m.label});
    }
    if (!haveRoot)
        chosen.append({kRoot, {}, {}});
    std::sort(chosen.begin(), chosen.end(), [](const MountedVolume& a, const MountedVolume& b) {
        if ((a.rootPath == kRoot) != (b.rootPath == kRoot))
            return a.rootPath == kRoot;
        return a.rootPath < b.rootPath;
    });
    for (const MountedVolume& m : std::as_const(chosen)) {
        const QString text = m.label.isEmpty() ? m.rootPath : m.rootPath + QStringLiteral(" [") + m.label + u']';
        result.append({text, m.rootPath, Kind::Volume, 1});
    }
    const QString homeKey = home.isEmpty() ? QString() : EnsureTrailingSeparator(home);
    if (!homeKey.isEmpty() && fs.folderExists(homeKey) &&
        std::none_of(chosen.begin(), chosen.end(), [&](const MountedVolume& m) { return m.rootPath == homeKey; })) {
        const QString text = homeLabel.isEmpty() ? homeKey : homeKey + QStringLiteral(" [") + homeLabel + u']';
        result.append({text, homeKey, Kind::Home, 1});
    }
    return result;
}

QList<Entry> dropDownEntries(const QString& computerText, const QList<Entry>& volumes, const QString& path)
{
    QList<Entry> result;
    result.append({computerText, kComputerKey, Kind::Computer, 0});
    // The place that holds the path is the volume or home folder with the longest matching key.
    qsizetype holder = -1;
    for (qsizetype i = 0; i < volumes.size(); ++i) {
        const QString& key = volumes.at(i).key;
        if (!path.isEmpty() && path.startsWith(key) && (holder < 0 || key.size() > volumes.at(holder).key.size()))
            holder = i;
    }
    for (qsizetype i = 0; i < volumes.size(); ++i) {
        result.append(volumes.at(i));
        if (i != holder)
            continue;
        QString key = volumes.at(i).key;
        const QStringList parts = path.mid(key.size()).split(u'/', Qt::SkipEmptyParts);
        for (qsizetype p = 0; p < parts.size(); ++p) {
            key += parts.at(p) + u'/';
            const Kind kind = p + 1 == parts.size() ? Kind::OpenFolder : Kind::Folder;
            result.append({parts.at(p), key, kind, int(p) + 2});
        }
    }
    return result;
}

QList<Entry> listEntries(const FileSystem& fs, const QString& path, const QList<Entry>& volumes, bool withFiles,
                         const QStringList& filePatterns)
{
    if (path.isEmpty())
        return volumes;
    QList<Entry> result;
    // Links to folders are shown: a user's "~/Music" may well be one, and it can be opened and taken.
    QList<SubfolderInfo> folders = fs.listSubfolders(path, true);
    sortSubfolders(folders);
    result.reserve(folders.size());
    for (const SubfolderInfo& s : std::as_const(folders))
        result.append({s.name, EnsureTrailingSeparator(s.pathIn(path)), Kind::Folder, 0});
    if (!withFiles)
        return result;

    QList<Wildcard> patterns;
    for (const QString& p : filePatterns) {
        // "*.*" is the traditional "every file", dot or not.
        if (p == QLatin1String("*.*")) {
            patterns.clear();
            break;
        }
        patterns.append(Wildcard(p));
    }
    QList<FileInfo> files = fs.listFiles(path);
    sortByName(files, [](const FileInfo& f) -> const QString& { return f.name; });
    for (const FileInfo& f : std::as_const(files)) {
        if (matchesAnyPattern(patterns, f.name))
            result.append({f.name, f.path, Kind::File, 0});
    }
    return result;
}

QString resolveFolder(const FileSystem& fs, const QString& path, const QString& fallback)
{
    if (path.isEmpty())
        return {};
    if (fs.folderExists(path))
        return EnsureTrailingSeparator(fs.absolutePath(path));
    if (!fallback.isEmpty() && fs.folderExists(fallback))
        return EnsureTrailingSeparator(fs.absolutePath(fallback));
    return {};
}

QString parentFolder(const QString& path)
{
    QString p = path;
    if (p.endsWith(u'/'))
        p.chop(1);
    const qsizetype slash = p.lastIndexOf(u'/');
    return slash < 0 ? QString() : p.left(slash + 1);
}

void sortSubfolders(QList<SubfolderInfo>& folders)
{
    sortByName(folders, [](const SubfolderInfo& s) -> const QString& { return s.name; });
}

} // namespace OpenLocations
