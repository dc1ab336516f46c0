#include "core/commit/RenameJournal.h"

#include "core/commit/RenameProtocol.h"
#include "core/platform/AppendFile.h"

#include <QIODevice>

namespace {

constexpr char kAnnounced = '+';
const QByteArray kFailed = QByteArrayLiteral("-");
const QByteArray kEnded = QByteArrayLiteral(".");

bool isMissing(const FileSystem& fs, const QString& path)
{
    const PathInfo info = fs.pathInfo(path);
    return info.type == PathInfo::Type::Missing && !info.isLink;
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

bool RenameJournal::finishRecord()
{
    const QList<QByteArray> lines = RenameProtocol::splitLines(m_file->readAll());
    m_latest.clear();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const bool failed = i + 1 < lines.size() && lines.at(i + 1) == kFailed;
        if (lines.at(i).startsWith(kAnnounced) && !failed)
            m_latest.append(lines.at(i).mid(1));
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
        if (parsed.usable && !protocolHolds(m_fs, m_settingsFolder, line) && m_fs.folderExists(renamed) &&
            isMissing(m_fs, before)) {
            FsResult result;
            const std::unique_ptr<AppendFile> protocol =
                m_fs.openAppend(m_settingsFolder + RenameProtocol::fileName(), AppendLock::PerRecord, result);
            wrote = protocol && protocol->append(line + '\n').ok();
        }
    }
    static_cast<void>(m_file->append(kEnded + '\n'));
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
