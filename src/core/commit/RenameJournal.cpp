#include "core/commit/RenameJournal.h"

#include "core/commit/FolderNameCheck.h"
#include "core/commit/PathPrefixIndex.h"
#include "core/commit/RenameProtocol.h"
#include "core/platform/AppendFile.h"

#include <QIODevice>
#include <QSet>

namespace {

constexpr char kAnnounced = '+';
constexpr char kCycle = '@';
constexpr char kNotDone = '-';
const QByteArray kSettled = QByteArrayLiteral("=");
const QByteArray kEnded = QByteArrayLiteral(".");

bool isMissing(const FileSystem& fs, const QString& path)
{
    const PathInfo info = fs.pathInfo(path);
    return info.type == PathInfo::Type::Missing && !info.isLink;
}

bool exists(const FileSystem& fs, const QString& path)
{
    return !isMissing(fs, path);
}

QSet<QByteArray> protocolLines(const FileSystem& fs, const QString& settingsFolder)
{
    const FileRead file = fs.readFile(settingsFolder + RenameProtocol::fileName());
    if (!file.ok())
        return {};
    const QList<QByteArray> lines = RenameProtocol::splitLines(file.bytes);
    return QSet<QByteArray>(lines.begin(), lines.end());
}

} // namespace

RenameJournal::RenameJournal(FileSystem& fs, const QString& settingsFolder)
    : m_fs(fs)
    , m_settingsFolder(settingsFolder)
{
    FsResult result;
    m_file = fs.openAppend(settingsFolder + fileName(), AppendLock::Held, result);
    if (!m_file)
        return;
    finishRecord(false);
    if (!m_file->clear().ok())
        m_file.reset();
    m_running = m_file != nullptr;
}

RenameJournal::RenameJournal(FileSystem& fs, const QString& settingsFolder, std::unique_ptr<AppendFile> file)
    : m_fs(fs)
    , m_settingsFolder(settingsFolder)
    , m_file(std::move(file))
{}

RenameJournal::~RenameJournal()
{
    if (m_running)
        static_cast<void>(m_file->append(kEnded + '\n'));
}

namespace {

QByteArray prefixedLines(char prefix, const QList<QByteArray>& lines)
{
    qsizetype size = 0;
    for (const QByteArray& line : lines)
        size += line.size() + 2;
    QByteArray text;
    text.reserve(size + 2);
    for (const QByteArray& line : lines)
        text.append(prefix).append(line).append('\n');
    return text;
}

} // namespace

QByteArray RenameJournal::announcement(const QList<QByteArray>& protocolLines)
{
    return prefixedLines(kAnnounced, protocolLines);
}

void RenameJournal::announceText(const QByteArray& announcement)
{
    // A record that cannot be written loses only the repair after a crash; the protocol reports itself.
    if (m_file && !announcement.isEmpty())
        static_cast<void>(m_file->append(announcement));
}

void RenameJournal::settle(const QList<QByteArray>& notDone)
{
    if (m_file)
        static_cast<void>(m_file->append(prefixedLines(kNotDone, notDone) + kSettled + '\n'));
}

void RenameJournal::announceCycle(const QString& stamp, const QString& parent, const QString& tmp,
                                  const QString& parked, const QList<CycleStep>& steps)
{
    if (!m_file)
        return;
    QStringList fields{stamp, parent, tmp, parked};
    for (const CycleStep& step : steps)
        fields << step.from << step.to;
    static_cast<void>(m_file->append(kCycle + fields.join(QLatin1Char(RenameProtocol::kSeparator)).toUtf8() + '\n'));
}

namespace {

bool appendToProtocol(FileSystem& fs, const QString& settingsFolder, const QByteArray& lines)
{
    FsResult result;
    const std::unique_ptr<AppendFile> protocol =
        fs.openAppend(settingsFolder + RenameProtocol::fileName(), AppendLock::PerRecord, result);
    return protocol && protocol->append(lines).ok();
}

} // namespace

bool RenameJournal::finishRecord(bool keepLatest)
{
    if (!keepLatest) {
        const QByteArray tail = m_file->readTail(3);
        if (tail.isEmpty() || tail == kEnded + '\n' || tail == '\n' + kEnded + '\n')
            return false;
    }
    const QList<QByteArray> lines = RenameProtocol::splitLines(m_file->readAll());
    m_latest.clear();
    QByteArray lastCycle;
    // The announced lines since the last settled block, each with whether it is known not to have happened.
    QList<std::pair<QByteArray, bool>> open;
    const auto markNotDone = [&](const QByteArray& line) {
        for (qsizetype i = open.size() - 1; i >= 0; --i) {
            if (open.at(i).first == line && !open.at(i).second) {
                open[i].second = true;
                return;
            }
        }
    };
    const auto closeBlock = [&] {
        for (const auto& [line, notDone] : open) {
            if (!notDone)
                m_latest.append(line);
        }
        open.clear();
    };
    for (const QByteArray& line : lines) {
        if (line.startsWith(kAnnounced)) {
            open.append({line.mid(1), false});
        } else if (line.size() == 1 && line.at(0) == kNotDone) {
            // An earlier version's mark after a failed rename, which settled every line before it.
            if (!open.isEmpty())
                open.last().second = true;
        } else if (line.startsWith(kNotDone)) {
            markNotDone(line.mid(1));
        } else if (line == kSettled || line == kEnded) {
            closeBlock();
        } else if (line.startsWith(kCycle)) {
            closeBlock();
            lastCycle = line.mid(1);
        }
    }
    if (lines.isEmpty() || lines.last() == kEnded) {
        closeBlock();
        return false;
    }
    // The run was killed in a block: a rename of it that happened may lack its line. No rename of a block
    // names or holds the paths of one before it, so its own paths tell whether it happened, once the
    // folders above it have told: below one that was not renamed, nothing was.
    bool wrote = false;
    QSet<QString> notRenamed; // the new paths of the block's renames that did not happen
    const auto belowNotRenamed = [&](const QString& parent) {
        for (QString path = parent; path.size() > 1; path = PathPrefixIndex::holdingFolder(path).toString()) {
            if (notRenamed.contains(path))
                return true;
        }
        return false;
    };
    const QList<QByteArray> cycle = lastCycle.split(RenameProtocol::kSeparator);
    QSet<QByteArray> recorded;
    bool recordedRead = false;
    QByteArray owed;
    for (const auto& [line, notDone] : open) {
        const RenameProtocol::Line parsed = RenameProtocol::parseLine(line);
        if (!parsed.usable)
            continue;
        const QString renamed = parsed.parentPath + parsed.newName + QLatin1Char('/');
        if (notDone || belowNotRenamed(parsed.parentPath)) {
            notRenamed.insert(renamed);
            continue;
        }
        // The end of a cycle comes from the temporary name, while the old name is taken again.
        const bool fromTemporary = cycle.size() >= 4 && QString::fromUtf8(cycle.at(1)) == parsed.parentPath &&
                                   QString::fromUtf8(cycle.at(3)) == parsed.oldName;
        const QString source =
            parsed.parentPath + (fromTemporary ? QString::fromUtf8(cycle.at(2)) : parsed.oldName) + QLatin1Char('/');
        if (!m_fs.folderExists(renamed) || !isMissing(m_fs, source)) {
            notRenamed.insert(renamed);
            continue;
        }
        if (!recordedRead) {
            recorded = protocolLines(m_fs, m_settingsFolder);
            recordedRead = true;
        }
        if (!recorded.contains(line))
            owed += line + '\n';
    }
    if (!owed.isEmpty())
        wrote = appendToProtocol(m_fs, m_settingsFolder, owed);
    closeBlock();
    if (!lastCycle.isEmpty())
        wrote = finishCycle(lastCycle) || wrote;
    static_cast<void>(m_file->append(kEnded + '\n'));
    return wrote;
}

bool RenameJournal::finishCycle(const QByteArray& record)
{
    const QList<QByteArray> raw = record.split(RenameProtocol::kSeparator);
    if (raw.size() < 6 || raw.size() % 2 != 0)
        return false;
    QStringList f;
    for (const QByteArray& field : raw)
        f.append(QString::fromUtf8(field));
    const QString& stamp = f.at(0);
    const QString& parent = f.at(1);
    const QString& tmp = f.at(2);
    const QString& parked = f.at(3);
    const auto path = [&](const QString& name) { return parent + name + QLatin1Char('/'); };
    if (!IsCleanFolderPath(parent) || !exists(m_fs, path(tmp)))
        return false;
    bool wrote = false;
    const auto protocolLine = [&](const QString& from, const QString& to) {
        if (stamp.isEmpty())
            return;
        const QByteArray line = RenameProtocol::encodeLine(stamp, parent, from, to);
        if (appendToProtocol(m_fs, m_settingsFolder, line + '\n')) {
            wrote = true;
            static_cast<void>(m_file->append(kAnnounced + line + '\n'));
        }
    };
    // In a cycle a name, once filled, is never given up again: a step whose folder is there and whose
    // target is free has not happened yet.
    for (qsizetype i = 4; i + 1 < f.size(); i += 2) {
        const QString& from = f.at(i);
        const QString& to = f.at(i + 1);
        if (exists(m_fs, path(from)) && isMissing(m_fs, path(to)) && m_fs.renameFolder(path(from), path(to)).ok())
            protocolLine(from == tmp ? parked : from, to);
    }
    if (exists(m_fs, path(tmp))) {
        if (isMissing(m_fs, path(parked)) && m_fs.renameFolder(path(tmp), path(parked)).ok())
            return wrote;
        // It stays where it is; the history shows it and can undo it.
        protocolLine(parked, tmp);
    }
    return wrote;
}

bool RenameJournal::recover(FileSystem& fs, const QString& settingsFolder)
{
    const QString path = settingsFolder + fileName();
    if (!fs.fileExists(path))
        return false;
    FsResult result;
    std::unique_ptr<AppendFile> file = fs.openAppend(path, AppendLock::HeldIfFree, result);
    if (!file)
        return false; // a live run holds it, or it cannot be opened: nothing to finish here
    RenameJournal journal(fs, settingsFolder, std::move(file));
    return journal.finishRecord(false);
}

std::unique_ptr<RenameJournal> RenameJournal::openLatest(FileSystem& fs, const QString& settingsFolder)
{
    FsResult result;
    std::unique_ptr<AppendFile> file = fs.openAppend(settingsFolder + fileName(), AppendLock::Held, result);
    if (!file)
        return nullptr;
    std::unique_ptr<RenameJournal> journal(new RenameJournal(fs, settingsFolder, std::move(file)));
    journal->finishRecord(true);
    return journal;
}

void RenameJournal::keepOnly(const QList<QByteArray>& protocolLines)
{
    if (!m_file->clear().ok())
        return;
    QByteArray record;
    for (const QByteArray& line : protocolLines)
        record += kAnnounced + line + '\n';
    static_cast<void>(m_file->append(record + kEnded + '\n'));
    m_latest = protocolLines;
}
