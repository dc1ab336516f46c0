#include "core/load/FolderLoader.h"

#include "core/AppState.h"
#include "core/load/FolderTreeCache.h"
#include "core/load/FolderWalkAhead.h"
#include "core/load/ListFileReader.h"
#include "core/load/ListedFolderLooks.h"
#include "core/platform/FileNames.h"
#include "core/preview/PreviewList.h"
#include "core/settings/Paths.h"
#include "core/settings/SettingsStore.h"
#include "core/settings/TextCodec.h"

#include <QCoreApplication>
#include <QFileDevice>
#include <QIODevice>
#include <QUrl>
#include <algorithm>
#include <cstring>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace {

const QString kListFileFilter = QStringLiteral("*.*|*.*|m3u Playlist|*.m3u|pls Playlist|*.pls");
// The resolved parents a loading action keeps at most; beyond, it starts afresh.
constexpr qsizetype kRememberedParents = 4096;
// The room a new batch gets at most before it fills: a window's batches can be much larger.
constexpr int kBatchRoom = 4096;

} // namespace

FolderLoader::Action::Action(FolderLoader& loader)
    : m_loader(loader)
{
    if (m_loader.m_depth++ == 0) {
        m_loader.m_cache = std::make_unique<FolderTreeCache>(m_loader.m_state.fs());
        m_loader.m_cancelRequested = false; // only a press during this action counts
        m_loader.m_report = {};
        m_loader.m_sinceServed.invalidate(); // the first pass of an action comes as early as ever
        m_loader.setLoading(true);
    }
}

FolderLoader::Action::~Action()
{
    if (--m_loader.m_depth == 0) {
        m_loader.flush();
        m_loader.m_cache.reset();
        m_loader.m_resolvedParents.clear();
        m_loader.m_lastFolder = QString();
        m_loader.m_lastFolderResolved = QString();
        m_loader.m_resolveCursor = {};
        m_loader.m_batch = {};
        m_loader.m_cancelRequested = false;
        m_loader.setLoading(false);
    }
}

FolderLoader::FolderLoader(AppState& state, PreviewList& list)
    : m_state(state)
    , m_list(list)
{}

FolderLoader::~FolderLoader() = default;

void FolderLoader::refresh()
{
    if (onRefresh)
        onRefresh();
}

void FolderLoader::setLoading(bool loading)
{
    if (onLoadingChanged)
        onLoadingChanged(loading);
}

void FolderLoader::flush()
{
    if (!m_batch.empty()) {
        // The list leaves out a key it holds already, which is one named twice in this batch.
        const int batched = static_cast<int>(m_batch.size());
        const int repeated = batched - m_list.appendBatch(std::move(m_batch));
        // The next batch is mostly as large: room for it at once, not grown step by step.
        m_batch = {};
        m_batch.reserve(static_cast<size_t>(std::min(batched, kBatchRoom)));
        m_report.alreadyListed += repeated;
        m_report.added -= repeated;
        m_loadedCount -= repeated;
    }
    if (m_statusDirty && onStatusText)
        onStatusText(QString::number(m_loadedCount) + QLatin1Char(' ') + m_state.statusText(2));
    m_statusDirty = false;
}

void FolderLoader::serveEvents()
{
    m_scanCount = 0;
    if (serveIntervalMs > 0) {
        if (m_sinceServed.isValid() && m_sinceServed.elapsed() < serveIntervalMs)
            return;
        m_sinceServed.start();
    }
    flush();
    if (onProcessEvents)
        onProcessEvents();
    else
        QCoreApplication::processEvents();
}

bool FolderLoader::keepGoing()
{
    // The size walk of one large folder can take long: the window stays responsive through it (every
    // hundredth folder this walk reads), and the cancel button stops it.
    if (++m_scanCount % 100 == 0)
        serveEvents();
    return !m_cancelRequested;
}

int FolderLoader::undoLevels() const
{
    const FolderEntry* first = !m_list.isEmpty() ? &m_list.entry(0) : !m_batch.empty() ? &m_batch.front() : nullptr;
    if (!first)
        return 0;
    return first->history.earlierLevels();
}

void FolderLoader::AddFolder(const QString& path)
{
    addFolder(path, QString(), nullptr);
}

void FolderLoader::addFolder(const QString& path, const QString& knownParent, const PathInfo* known,
                             const QString& knownName)
{
    Action action(*this);
    countCall();

    const FileSystem& fs = m_state.fs();
    // A walk knows its folders already: resolved paths, looked at while their parent was read. Any other
    // path means what the kernel makes of it, so one folder named two ways gives one key.
    const bool walked = known && known->type == PathInfo::Type::Folder;
    QString resolved;
    if (!walked)
        resolved = resolvedPath(path);
    // A resolved path is used as it is, not copied.
    const QString& folder = walked ? path : resolved;
    if (folder.isEmpty()) {
        ++m_report.missing;
        return;
    }
    PathInfo info = walked ? *known : fs.pathInfo(folder);
    if (info.type == PathInfo::Type::File) {
        const qsizetype slash = folder.lastIndexOf(QLatin1Char('/'));
        resolved = slash <= 0 ? QStringLiteral("/") : resolved.left(slash); // folder is resolved here
        info = fs.pathInfo(folder);
    }
    if (info.type != PathInfo::Type::Folder || info.isRoot) {
        m_report.missing += info.type == PathInfo::Type::Missing ? 1 : 0;
        return;
    }

    // A folder listed already, or named twice in one batch, is left out when the batch joins the list (see
    // flush). Only a folder whose size is to be measured is looked for at once, to spare the walk. The
    // absolute form has no trailing separator (only the root has one, and roots are never added).
    if (measureSizes && m_list.hasKey(folder + QLatin1Char('/'))) {
        ++m_report.alreadyListed;
        return;
    }
    const qsizetype slash = folder.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return;

    // A link is listed as itself and holds no files: its target is not walked (a link to "/" inside a
    // dropped tree must not mean measuring the whole disk).
    const std::optional<qint64> size =
        info.isLink || !measureSizes ? 0 : m_cache->totalSize(folder, [this] { return keepGoing(); });
    if (!size)
        return; // cancelled halfway through the size walk: a wrong size is worse than no row

    addRow(makeRow(folder, slash, knownParent, knownName, info, *size));
}

FolderEntry FolderLoader::makeRow(const QString& folder, qsizetype slash, const QString& knownParent,
                                  const QString& knownName, const PathInfo& info, qint64 size)
{
    FolderEntry e;
    // Siblings share one parent text: those of a walk, and those that follow each other in a list file.
    const QStringView parent = QStringView(folder).left(slash + 1);
    if (knownParent.size() == slash + 1 && parent == knownParent)
        e.parentPath = knownParent;
    else if (parent != m_lastParent)
        m_lastParent = parent.toString();
    if (e.parentPath.isEmpty())
        e.parentPath = m_lastParent;
    // A walk's row shares the name its reading holds.
    const QStringView nameInPath = QStringView(folder).sliced(slash + 1);
    const QString name = nameInPath == knownName ? knownName : nameInPath.toString();
    e.oldName = name;
    e.newName = name;
    e.created = info.created;
    e.modified = info.lastWrite;
    e.size = size;
    e.history.reset(name, undoLevels());
    return e;
}

std::optional<FolderEntry> FolderLoader::listedRow(const QString& folder)
{
    const qsizetype slash = folder.lastIndexOf(QLatin1Char('/'));
    if (folder.isEmpty() || slash < 0)
        return std::nullopt;
    PathInfo info;
    info.type = PathInfo::Type::Folder;
    return makeRow(folder, slash, QString(), QString(), info, 0);
}

void FolderLoader::countCall()
{
    if (++m_callCount % 100 == 0)
        serveEvents();
    m_scanCount = 0;
}

void FolderLoader::addRow(FolderEntry e)
{
    m_batch.push_back(std::move(e));
    ++m_loadedCount;
    ++m_report.added;
    m_statusDirty = true;
}

QString FolderLoader::resolvedPath(const QString& path)
{
    // Resolving costs a look at every component; the folders of one action mostly share their parent.
    QStringView p = path;
    while (p.size() > 1 && p.endsWith(u'/'))
        p.chop(1);
    const qsizetype slash = p.lastIndexOf(u'/');
    const QStringView name = p.sliced(slash + 1);
    if (slash < 0 || !p.startsWith(u'/') || name.isEmpty() || name == u"." || name == u"..")
        return m_state.fs().resolvedPath(path);
    // Siblings follow each other: their folder is resolved once for all of them.
    const QStringView folder = slash == 0 ? QStringView(u"/") : p.first(slash);
    if (m_lastFolder.isNull() || folder != m_lastFolder) {
        m_lastFolder = folder.toString();
        m_lastFolderResolved = resolvedFolder(m_lastFolder);
    }
    const QString& parent = m_lastFolderResolved;
    if (parent.isEmpty())
        return {};
    // A path that is resolved already is kept as it is, not copied: the resolved folder and a separator
    // are what the path has before its name ("//a" is not, its folder resolves to "/").
    const QStringView asListed = parent.endsWith(u'/') ? p.first(slash + 1) : p.first(slash);
    if (p.size() == path.size() && QStringView(parent) == asListed)
        return path;
    return PathInFolder(parent, name);
}

QString FolderLoader::resolvedFolder(const QString& folder)
{
    if (const auto it = m_resolvedParents.constFind(folder); it != m_resolvedParents.cend())
        return *it;
    // A folder that is no link, inside a resolved one, is resolved by that alone: one look instead of one
    // for every component. Links, dot names and anything missing go to the system.
    QString resolved;
    const qsizetype slash = folder.lastIndexOf(QLatin1Char('/'));
    const QStringView name = QStringView(folder).sliced(slash + 1);
    if (slash >= 0 && !name.isEmpty() && name != u"." && name != u"..") {
        const QString above = resolvedFolder(slash == 0 ? QStringLiteral("/") : folder.first(slash));
        if (!above.isEmpty()) {
            QString candidate = PathInFolder(above, name);
            const PathInfo info = m_state.fs().pathInfo(candidate, &m_resolveCursor);
            if (info.type == PathInfo::Type::Folder && !info.isLink)
                resolved = std::move(candidate);
        }
    }
    if (resolved.isEmpty())
        resolved = m_state.fs().resolvedPath(folder + QStringLiteral("/."));
    // A list file names its folders mostly parent by parent, so the parents of lately are the ones asked
    // for again. Remembering every one would take a tenth of the memory of a million nested rows.
    if (m_resolvedParents.size() >= kRememberedParents)
        m_resolvedParents.clear();
    m_resolvedParents.insert(folder, resolved);
    return resolved;
}

void FolderLoader::AddSubfolders(const QString& folder)
{
    Action action(*this);
    const FileSystem& fs = m_state.fs();
    // The walk goes into the folder, so it starts from where a link to it leads.
    const QString top = fs.resolvedPath(folder + QStringLiteral("/."));
    if (top.isEmpty() || !fs.folderExists(top))
        return;

    const MountPoints mounts = mountPoints ? mountPoints() : MountPoints::current();

    // Depth first without recursion, each folder before its own subfolders.
    struct Frame
    {
        QString parentKey;
        QList<SubfolderInfo> children;
        qsizetype next = 0;
    };
    // Without sizes to sum, nothing read needs keeping: a second thread reads the folders ahead of the
    // walk, where the file system allows it.
    std::optional<FolderWalkAhead> ahead;
    if (!measureSizes && fs.readsInParallel())
        ahead.emplace(fs, top, [&mounts](const QString& path) { return mounts.isKernel(path); });
    const auto subfoldersOf = [&](const QString& path) {
        QList<SubfolderInfo> children = ahead ? ahead->subfolders(path) : m_cache->subfolders(path);
        // A huge folder's rows come in one go: the list makes room for all of them at once, instead of
        // doubling its way up to them and holding the old and the new room at each step. When it must grow
        // again, it at least doubles, so that many such folders still make it grow only now and then.
        constexpr qsizetype kReserveFrom = 4096;
        const qsizetype needed = m_list.size() + static_cast<qsizetype>(m_batch.size()) + children.size();
        if (children.size() >= kReserveFrom && needed > m_list.capacity()) {
            const qsizetype room = m_list.capacity() == 0 ? needed : std::max(needed, 2 * m_list.capacity());
            m_list.reserve(static_cast<int>(std::min<qsizetype>(room, std::numeric_limits<int>::max())));
        }
        return children;
    };
    std::vector<Frame> stack;
    stack.push_back({EnsureTrailingSeparator(top), subfoldersOf(top)});
    while (!stack.empty()) {
        Frame& frame = stack.back();
        if (frame.next >= frame.children.size()) {
            stack.pop_back();
            continue;
        }
        // A list of the walk's own is emptied as the walk goes: the rows of a folder of a million
        // subfolders then grow while its reading shrinks, instead of on top of it.
        const qsizetype at = frame.next++;
        const SubfolderInfo sub = frame.children.isDetached() ? std::move(frame.children[at]) : frame.children.at(at);
        const QString path = sub.pathIn(frame.parentKey);
        if (mounts.isKernel(path))
            continue;
        addFolder(path, frame.parentKey, &sub.info, sub.name);
        if (m_cancelRequested)
            return;
        // A folder known to hold no subfolder is only read for the sizes of its files.
        if (!sub.isLink && (measureSizes || !sub.info.holdsNoFolder))
            stack.push_back({path + QLatin1Char('/'), subfoldersOf(path)});
    }
}

void FolderLoader::LoadPendingFolders()
{
    Action action(*this);
    if (!lstOpen.isEmpty()) {
        const QStringList paths = lstOpen;
        for (const QString& path : paths) {
            AddFolder(path);
            if (m_cancelRequested) {
                m_cancelRequested = false;
                break;
            }
        }
        flush();
        refresh();
    }
    lstOpen.clear();
}

void FolderLoader::DropFolders(const QStringList& paths)
{
    Action action(*this);
    for (const QString& path : paths) {
        AddSubfolders(path);
        if (m_cancelRequested) {
            m_cancelRequested = false;
            break;
        }
    }
    flush();
    refresh();
}

QStringList FolderLoader::localPathsFromUrls(const QList<QUrl>& urls)
{
    QStringList paths;
    for (const QUrl& url : urls) {
        if (!url.isLocalFile())
            continue;
        // The percent-encoded form keeps bytes that are not UTF-8; the decoded one would replace them.
        const QByteArray bytes = QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
        if (!bytes.isEmpty())
            paths.append(FileNames::decode(bytes));
    }
    return paths;
}

QString FolderLoader::listedPath(const QByteArray& entry, const QString& listFolder) const
{
    const auto resolved = [&](const QString& text) {
        return text.startsWith(QLatin1Char('/')) ? text : listFolder + QLatin1Char('/') + text;
    };
    if (QByteArrayView(entry).isValidUtf8())
        return resolved(QString::fromUtf8(entry));
    // Not UTF-8: either the raw bytes of a file name (a list written on this system) or Windows-1252
    // text (a list brought over); the one that names something wins.
    const QString exact = resolved(FileNames::decode(entry));
    if (m_state.fs().pathInfo(exact).type != PathInfo::Type::Missing)
        return exact;
    return resolved(TextCodec::decode(entry));
}

FsResult FolderLoader::ReadListFile(const QString& listFile)
{
    Action action(*this);
    return readListFile(listFile);
}

FsResult FolderLoader::readListFile(const QString& listFile)
{
    const FileSystem& fs = m_state.fs();
    const QString file = fs.absolutePath(listFile);
    // Read piece by piece: a list of a million nested folders is over a hundred megabytes, room better
    // left to the rows.
    FsResult opened;
    const std::unique_ptr<QFileDevice> device = fs.openFile(file, opened);
    if (!device)
        return opened;
    // Mostly one folder a line: counted, so that the list makes room for all of them at once. A long list
    // is counted once its first chunk is handed over, while the other core reads that chunk's folders.
    // The count only makes room: a second open that fails leaves the list to grow as it reads.
    const auto makeRoom = [&] {
        FsResult reopened;
        const std::unique_ptr<QFileDevice> counting = fs.openFile(file, reopened);
        if (!counting)
            return;
        qsizetype lines = 1;
        for (QByteArray block; !(block = counting->read(1024 * 1024)).isEmpty();) {
            const char* const end = block.cend();
            for (const char* at = block.cbegin(); (at = static_cast<const char*>(std::memchr(at, '\n', end - at)));
                 ++at)
                ++lines;
        }
        if (counting->error() == QFileDevice::NoError)
            m_list.reserve(
                static_cast<int>(std::min<qsizetype>(m_list.size() + lines, std::numeric_limits<int>::max())));
    };
    const QString listFolder = file.left(std::max<qsizetype>(file.lastIndexOf(QLatin1Char('/')), 1));
    ListFileReader reader(*device, ListFileReader::kindOf(file));
    ListedFolderLooks::Options options;
    // A folder whose size is measured is read while it is looked at: the walk for its size then finds it
    // read. Else a run that learns no times finds folders in their parents' listings.
    options.readFolders = measureSizes;
    options.listings = measureSizes ? nullptr : parentListings;
    if (options.listings) {
        options.nowSecs = m_state.now().toSecsSinceEpoch();
        options.mounts = mountPoints ? mountPoints() : MountPoints::current();
    }
    if (options.listings) {
        // Rows are made as the list stands when loading starts: nothing changes its undo levels meanwhile.
        options.prepare = [this](ListedFolderLooks::Chunk& chunk) {
            chunk.rows.reserve(chunk.folders.size());
            for (const QString& folder : chunk.folders)
                chunk.rows.push_back(listedRow(folder));
        };
    }
    ListedFolderLooks looks(fs, std::move(options));
    const auto addAll = [this, &looks](ListedFolderLooks::Chunk& chunk) {
        for (size_t i = 0; i < chunk.paths.size() && !m_cancelRequested; ++i) {
            // A folder is added as it was looked at; anything else (a file stands for its folder, a
            // missing path is counted) goes the whole way.
            const PathInfo& info = chunk.infos[i];
            if (info.type != PathInfo::Type::Folder) {
                AddFolder(chunk.paths[i]);
                continue;
            }
            // Without sizes, a folder's row is the one made ahead, with whatever times the look learned.
            if (i < chunk.rows.size() && chunk.rows[i] && !info.isRoot) {
                countCall();
                FolderEntry& row = *chunk.rows[i];
                row.created = info.created;
                row.modified = info.lastWrite;
                addRow(std::move(row));
                continue;
            }
            if (chunk.scans[i] && m_cache)
                m_cache->addScan(chunk.folders[i], *std::exchange(chunk.scans[i], std::nullopt));
            addFolder(chunk.folders[i], QString(), &chunk.infos[i]);
        }
        if (m_cancelRequested)
            looks.cancel();
    };
    auto chunk = std::make_unique<ListedFolderLooks::Chunk>();
    const auto pushChunk = [&] {
        chunk->folders.reserve(chunk->paths.size());
        for (const QString& path : chunk->paths)
            chunk->folders.push_back(resolvedPath(path));
        looks.push(std::exchange(chunk, std::make_unique<ListedFolderLooks::Chunk>()), addAll);
    };
    bool roomMade = false;
    while (const std::optional<QByteArray> entry = reader.next()) {
        chunk->paths.push_back(listedPath(*entry, listFolder));
        if (chunk->paths.size() == ListedFolderLooks::kChunk) {
            pushChunk();
            if (!std::exchange(roomMade, true))
                makeRoom();
        }
        if (m_cancelRequested)
            break;
    }
    if (!roomMade)
        m_list.reserve(m_list.size() + static_cast<int>(chunk->paths.size()));
    if (!m_cancelRequested && !chunk->paths.empty())
        pushChunk();
    looks.finish(addAll);
    // A list that broke off while read is not passed over as complete.
    if (reader.failed())
        return FsResult::failure(FsResult::Kind::Other, device->errorString());
    return FsResult::success();
}

QString FolderLoader::listFileFilter()
{
    return kListFileFilter;
}

QList<FolderLoader::UnreadableFile> FolderLoader::OpenFromListFile(const QStringList& files)
{
    QList<UnreadableFile> unreadable;
    if (files.isEmpty())
        return unreadable;
    {
        Action action(*this);
        for (const QString& file : files) {
            if (FsResult result = readListFile(file); !result.ok())
                unreadable.append({file, std::move(result)});
            if (m_cancelRequested)
                break;
        }
        flush();
        refresh();
    }
    const QString first = m_state.fs().absolutePath(files.first());
    m_state.settings.setText(Settings::Key::LastPath, first.left(first.lastIndexOf(QLatin1Char('/')) + 1));
    return unreadable;
}
