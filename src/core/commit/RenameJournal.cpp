#include "core/commit/RenameJournal.h"

#include "core/commit/FolderNameCheck.h"
#include "core/commit/RenameProtocol.h"
#include "core/platform/AppendFile.h"

#include <QIODevice>

namespace {

constexpr char kAnnounced = '+';
constexpr char kCycle = '@';
const QByteArray kFailed = QByteArrayLiteral("-");
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

bool protocolHolds(const FileSystem& fs, const QString& settingsFolder, const QByteArray& line)
{
    const FileRead file = fs.readFile(settingsFolder + RenameProtocol::fileName());
    return file.ok() && RenameProtocol::splitLines(file.bytes).contains(line);
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
    finishRecord();
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

void RenameJournal::announce(const QByteArray& protocolLine)
{
    // A record that cannot be written loses only the repair after a crash; the protocol reports itself.
    if (m_file)
        static_cast<void>(m_file->append(kAnnounced + protocolLine + '\n'));
}

void RenameJournal::failed()
{
    if (m_file)
        static_cast<void>(m_file->append(kFailed + '\n'));
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

bool appendToProtocol(FileSystem& fs, const QString& settingsFolder, const QByteArray& line)
{
    FsResult result;
    const std::unique_ptr<AppendFile> protocol =
        fs.openAppend(settingsFolder + RenameProtocol::fileName(), AppendLock::PerRecord, result);
    return protocol && protocol->append(line + '\n').ok();
}

} // namespace

bool RenameJournal::finishRecord()
{
    const QList<QByteArray> lines = RenameProtocol::splitLines(m_file->readAll());
    m_latest.clear();
    QByteArray lastCycle;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const bool failed = i + 1 < lines.size() && lines.at(i + 1) == kFailed;
        if (lines.at(i).startsWith(kAnnounced) && !failed)
            m_latest.append(lines.at(i).mid(1));
        if (lines.at(i).startsWith(kCycle))
            lastCycle = lines.at(i).mid(1);
    }
    if (lines.isEmpty() || lines.last() == kEnded)
        return false;
    // The run was killed. Only its last announced rename can lack its line: every earlier one was
    // written before the next was announced.
    bool wrote = false;
    if (lines.last().startsWith(kAnnounced)) {
        const QByteArray line = lines.last().mid(1);
        const RenameProtocol::Line parsed = RenameProtocol::parseLine(line);
        const QString renamed = parsed.parentPath + parsed.newName + QLatin1Char('/');
        const QString before = parsed.parentPath + parsed.oldName + QLatin1Char('/');
        // The end of a cycle comes from the temporary name, while the old name is taken again.
        const QList<QByteArray> cycle = lastCycle.split(RenameProtocol::kSeparator);
        const bool fromTemporary = cycle.size() >= 4 && QString::fromUtf8(cycle.at(1)) == parsed.parentPath &&
                                   QString::fromUtf8(cycle.at(3)) == parsed.oldName;
        const QString source =
            fromTemporary ? parsed.parentPath + QString::fromUtf8(cycle.at(2)) + QLatin1Char('/') : before;
        if (parsed.usable && !protocolHolds(m_fs, m_settingsFolder, line) && m_fs.folderExists(renamed) &&
            isMissing(m_fs, source))
            wrote = appendToProtocol(m_fs, m_settingsFolder, line);
    }
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
        if (appendToProtocol(m_fs, m_settingsFolder, line)) {
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
    return journal.finishRecord();
}

std::unique_ptr<RenameJournal> RenameJournal::openLatest(FileSystem& fs, const QString& settingsFolder)
{
    FsResult result;
    std::unique_ptr<AppendFile> file = fs.openAppend(settingsFolder + fileName(), AppendLock::Held, result);
    if (!file)
        return nullptr;
    std::unique_ptr<RenameJournal> journal(new RenameJournal(fs, settingsFolder, std::move(file)));
    journal->finishRecord();
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
