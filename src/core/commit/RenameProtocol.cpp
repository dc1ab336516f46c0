#include "core/commit/RenameProtocol.h"

#include "core/commit/FolderNameCheck.h"
#include "core/settings/TextCodec.h"

#include <QFileInfo>

namespace {

const QString kStampFormat = QStringLiteral("yyyyMMddHHmmss");

bool holdsLineBreakOrSeparator(const QString& text)
{
    return text.contains(QChar(RenameProtocol::kSeparator)) || text.contains(QLatin1Char('\n')) ||
           text.contains(QLatin1Char('\r'));
}

QString joinFields(const QString& stamp, const QString& parentPath, const QString& oldName, const QString& newName)
{
    const QChar sep(RenameProtocol::kSeparator);
    return stamp + sep + parentPath + sep + oldName + sep + newName;
}

} // namespace

bool RenameProtocol::canRecord(const QString& parentPath, const QString& oldName, const QString& newName)
{
    return !holdsLineBreakOrSeparator(parentPath) && !holdsLineBreakOrSeparator(oldName) &&
           !holdsLineBreakOrSeparator(newName);
}

RenameProtocol::Line RenameProtocol::parseLine(const QString& text)
{
    Line line;
    line.raw = text;
    const QStringList fields = text.split(QChar(kSeparator));
    auto field = [&](int n) { return n < fields.size() ? fields.at(n) : QString(); };
    line.stamp = field(0);
    line.parentPath = field(1);
    line.oldName = field(2);
    line.newName = field(3);
    line.usable = fields.size() == 4 && IsCleanFolderPath(line.parentPath) &&
                  CheckFolderName(line.oldName) == FolderNameProblem::None &&
                  CheckFolderName(line.newName) == FolderNameProblem::None;
    return line;
}

QList<RenameProtocol::Line> RenameProtocol::read(const QString& settingsFolder)
{
    QList<Line> lines;
    const QStringList texts = TextCodec::splitLines(TextCodec::readFile(settingsFolder + fileName()));
    lines.reserve(texts.size());
    for (const QString& text : texts) {
        if (!text.isEmpty())
            lines.append(parseLine(text));
    }
    return lines;
}

FsResult RenameProtocol::rewrite(FileSystem& fs, const QString& settingsFolder, const QList<Line>& lines)
{
    QString text;
    for (const Line& line : lines) {
        text += line.usable ? joinFields(line.stamp, line.parentPath, line.oldName, line.newName) : line.raw;
        text += QLatin1Char('\n');
    }
    return fs.writeFileAtomic(settingsFolder + fileName(), TextCodec::encode(text));
}

RenameProtocol::RenameProtocol(const QString& settingsFolder)
    : m_file(settingsFolder + fileName())
{}

bool RenameProtocol::open(const QDateTime& runStart)
{
    m_runStart = runStart;
    m_sinceStart.start();
    m_stampSecond = -1;
    // Only a regular file, or none yet: opening a pipe left in its place would wait forever.
    if (const QFileInfo info(m_file.fileName()); info.exists() && !info.isFile())
        return false;
    // A line cut short by a crash must not swallow the next one: start on a fresh line.
    bool endsInLineBreak = true;
    QFile existing(m_file.fileName());
    if (existing.open(QIODevice::ReadOnly) && existing.size() > 0 && existing.seek(existing.size() - 1))
        endsInLineBreak = existing.read(1) == "\n";
    existing.close();
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    return endsInLineBreak || (m_file.write("\n") == 1 && m_file.flush());
}

const QString& RenameProtocol::currentStamp()
{
    // The text changes once a second at most, so the date arithmetic runs once a second at most.
    const qint64 second = (m_runStart.time().msec() + m_sinceStart.elapsed()) / 1000;
    if (second != m_stampSecond) {
        m_stampSecond = second;
        m_stamp = m_runStart.addSecs(second).toString(kStampFormat);
    }
    return m_stamp;
}

bool RenameProtocol::append(const QString& parentPath, const QString& oldName, const QString& newName)
{
    if (!m_file.isOpen() || !canRecord(parentPath, oldName, newName))
        return false;
    const QByteArray bytes =
        TextCodec::encode(joinFields(currentStamp(), parentPath, oldName, newName) + QLatin1Char('\n'));
    return m_file.write(bytes) == bytes.size() && m_file.flush();
}
