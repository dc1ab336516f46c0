#include "core/folderops/FolderTransfer.h"

#include <QMap>
#include <QRandomGenerator>

#include <algorithm>

namespace {

using Kind = FolderItem::Kind;

// A size for each entry below a root, by its path relative to the root; folders and links count as -1
// and -2. Nothing when a folder cannot be read.
std::optional<QMap<QString, qint64>> manifest(const FileSystem& fs, const QString& root)
{
    QMap<QString, qint64> sizes;
    QStringList pending{QString()};
    while (!pending.isEmpty()) {
        const QString relative = pending.takeLast();
        const std::optional<QList<FolderItem>> items = fs.listItems(root + relative);
        if (!items)
            return std::nullopt;
        for (const FolderItem& item : *items) {
            const QString path = relative + QLatin1Char('/') + item.name;
            sizes.insert(path, item.kind == Kind::Folder ? -1 : item.kind == Kind::Link ? -2 : item.size);
            if (item.kind == Kind::Folder)
                pending.append(path);
        }
    }
    return sizes;
}

QString parentOf(const QString& path)
{
    return path.left(std::max<qsizetype>(path.lastIndexOf(QLatin1Char('/')), 1));
}

} // namespace

int TransferReport::count(TransferResult::State state) const
{
    return static_cast<int>(
        std::count_if(results.begin(), results.end(), [state](const TransferResult& r) { return r.state == state; }));
}

FolderTransfer::FolderTransfer(FileSystem& fs, TransferMode mode, std::vector<TransferItem> items)
    : m_fs(fs)
    , m_mode(mode)
    , m_items(std::move(items))
{}

TransferReport FolderTransfer::run(const Hooks& hooks)
{
    m_hooks = &hooks;
    TransferReport report;
    report.results.resize(m_items.size());
    // Totals first, so the progress can say how far along the whole run is.
    struct Size
    {
        qint64 bytes;
        int items;
    };
    std::vector<Size> sizes;
    for (const TransferItem& item : m_items) {
        const TransferProgress before = m_progress;
        measure(item.source);
        sizes.push_back({m_progress.bytesTotal - before.bytesTotal, m_progress.itemsTotal - before.itemsTotal});
    }
    for (std::size_t i = 0; i < m_items.size() && !cancelRequested(); ++i) {
        const TransferProgress start = m_progress;
        m_progress.current = m_items[i].source;
        report.results[i] = transfer(m_items[i]);
        // Whatever happened inside, the item is behind us now.
        m_progress.bytesDone = start.bytesDone + sizes[i].bytes;
        m_progress.itemsDone = start.itemsDone + sizes[i].items;
        if (m_hooks->progress)
            m_hooks->progress(m_progress);
        if (report.results[i].state == TransferResult::State::Cancelled)
            break;
    }
    report.cancelled = cancelRequested() || report.count(TransferResult::State::Cancelled) > 0;
    m_hooks = nullptr;
    return report;
}

void FolderTransfer::measure(const QString& path)
{
    QStringList pending{path};
    while (!pending.isEmpty() && !cancelRequested()) {
        const QString folder = pending.takeLast();
        ++m_progress.itemsTotal;
        if (kindOf(folder) != Kind::Folder)
            continue;
        const std::optional<QList<FolderItem>> items = m_fs.listItems(folder);
        for (const FolderItem& item : items.value_or(QList<FolderItem>())) {
            if (item.kind == Kind::Folder) {
                pending.append(item.path);
            } else {
                ++m_progress.itemsTotal;
                m_progress.bytesTotal += item.size;
            }
        }
    }
}

FolderItem::Kind FolderTransfer::kindOf(const QString& path) const
{
    const PathInfo info = m_fs.pathInfo(path);
    if (info.isLink)
        return Kind::Link;
    return info.type == PathInfo::Type::Folder ? Kind::Folder
           : info.type == PathInfo::Type::File ? Kind::File
                                               : Kind::Other;
}

TransferResult FolderTransfer::transfer(const TransferItem& item)
{
    using State = TransferResult::State;
    TransferResult result;
    const Kind kind = kindOf(item.source);
    if (kind == Kind::Other) {
        result.state = m_mode == TransferMode::Copy || m_mode == TransferMode::Move ? State::Failed : State::Skipped;
        result.error = FsResult::failure(FsResult::Kind::NotFound, QString());
        return result;
    }
    switch (m_mode) {
    case TransferMode::Copy:
    case TransferMode::Move:
        return copyInto(item, m_mode == TransferMode::Move);
    case TransferMode::Trash:
        result.error = m_fs.moveToTrash(item.source);
        result.state = result.error.ok() ? State::Done : State::Failed;
        return result;
    case TransferMode::Delete: {
        m_error = FsResult::success();
        const Step step = removeEntry(item.source, kind, 0, Removal::Delete);
        result.state = step == Step::Ok ? State::Done : step == Step::Cancelled ? State::Cancelled : State::Failed;
        result.error = m_error;
        return result;
    }
    }
    return result;
}

TransferResult FolderTransfer::copyInto(const TransferItem& item, bool moving)
{
    using State = TransferResult::State;
    TransferResult result;
    const QString source = item.source;
    const QString target = item.destination;
    const Kind kind = kindOf(source);
    const QString realSource = m_fs.resolvedPath(source);
    const QString realTarget = m_fs.resolvedPath(target);
    if (kind == Kind::Folder && !realTarget.isEmpty() &&
        (realTarget == realSource || realTarget.startsWith(realSource + QLatin1Char('/')))) {
        result.state = State::Failed;
        result.intoItself = true;
        return result;
    }
    const PathInfo existing = m_fs.pathInfo(target);
    if (existing.type != PathInfo::Type::Missing || existing.isLink) {
        const ConflictAnswer answer = m_skipAll           ? ConflictAnswer::Skip
                                      : m_hooks->conflict ? m_hooks->conflict(target)
                                                          : ConflictAnswer::Skip;
        m_skipAll = m_skipAll || answer == ConflictAnswer::SkipAll;
        result.state = answer == ConflictAnswer::Cancel ? State::Cancelled : State::Skipped;
        return result;
    }
    if (moving) {
        result.error = m_fs.renameFolder(source, target);
        if (result.error.ok() || result.error.kind != FsResult::Kind::CrossDevice) {
            result.state = result.error.ok() ? State::Done : State::Failed;
            return result;
        }
    }
    // Built under a name no one else uses, next to the target: the target name appears only when complete.
    const QString temp = PathInFolder(
        parentOf(target),
        QStringLiteral(".dirwright-part-%1").arg(QRandomGenerator::global()->generate64(), 16, 16, QLatin1Char('0')));
    m_error = FsResult::success();
    Step step = copyEntry(source, kind, temp, 0);
    if (step == Step::Ok && moving && kind == Kind::Folder) {
        const auto before = manifest(m_fs, source);
        result.copyDiffers = !before || before != manifest(m_fs, temp);
        if (result.copyDiffers)
            step = Step::Failed;
    }
    if (step == Step::Ok)
        step = fail(m_fs.renameFolder(temp, target));
    if (step != Step::Ok) {
        if (const Kind made = kindOf(temp); made != Kind::Other)
            static_cast<void>(removeEntry(temp, made, 0, Removal::OwnCopy));
        result.state = step == Step::Cancelled ? State::Cancelled : State::Failed;
        result.error = m_error;
        return result;
    }
    if (moving && removeEntry(source, kind, 0, Removal::MovedSource) != Step::Ok) {
        result.state = State::Failed;
        result.error = m_error;
        result.sourceLeftBehind = true;
        return result;
    }
    result.state = State::Done;
    return result;
}

FolderTransfer::Step FolderTransfer::fail(const FsResult& result)
{
    if (result.ok())
        return Step::Ok;
    if (m_error.ok())
        m_error = result;
    return Step::Failed;
}

FolderTransfer::Step FolderTransfer::copyEntry(const QString& source, Kind kind, const QString& target, qint64 size)
{
    if (cancelRequested())
        return Step::Cancelled;
    switch (kind) {
    case Kind::File:
        if (fail(m_fs.copyFile(source, target, false)) != Step::Ok)
            return Step::Failed;
        advance(size);
        return Step::Ok;
    case Kind::Link:
        if (fail(m_fs.copyLink(source, target)) != Step::Ok)
            return Step::Failed;
        advance(0);
        return Step::Ok;
    case Kind::Other:
        return fail(FsResult::failure(FsResult::Kind::NotRegularFile, source));
    case Kind::Folder:
        break;
    }
    if (fail(m_fs.createFolder(target)) != Step::Ok)
        return Step::Failed;
    advance(0);
    const std::optional<QList<FolderItem>> items = m_fs.listItems(source);
    if (!items)
        return fail(FsResult::failure(FsResult::Kind::Access, source));
    for (const FolderItem& item : *items) {
        const Step step = copyEntry(item.path, item.kind, PathInFolder(target, item.name), item.size);
        if (step != Step::Ok)
            return step;
    }
    // Last, since filling the folder changed its times, and a read-only folder could not have been filled.
    return fail(m_fs.copyPermissionsAndTimes(source, target));
}

FolderTransfer::Step FolderTransfer::removeEntry(const QString& path, Kind kind, qint64 size, Removal removal)
{
    const bool counted = removal == Removal::Delete;
    if (counted && cancelRequested())
        return Step::Cancelled;
    if (kind != Kind::Folder) {
        if (fail(m_fs.deleteFile(path)) != Step::Ok)
            return Step::Failed;
        if (counted)
            advance(size);
        return Step::Ok;
    }
    if (removal == Removal::OwnCopy)
        static_cast<void>(m_fs.setAttributes(path, m_fs.attributes(path) & ~AttrReadOnly));
    const std::optional<QList<FolderItem>> items = m_fs.listItems(path);
    if (!items)
        return fail(FsResult::failure(FsResult::Kind::Access, path));
    for (const FolderItem& item : *items) {
        const Step step = removeEntry(item.path, item.kind, item.size, removal);
        if (step != Step::Ok)
            return step;
    }
    if (fail(m_fs.removeFolder(path)) != Step::Ok)
        return Step::Failed;
    if (counted)
        advance(0);
    return Step::Ok;
}

void FolderTransfer::advance(qint64 bytes)
{
    ++m_progress.itemsDone;
    m_progress.bytesDone += bytes;
    if (m_hooks->progress)
        m_hooks->progress(m_progress);
}
