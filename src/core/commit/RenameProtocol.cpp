#include "core/commit/RenameProtocol.h"

#include "core/commit/FolderNameCheck.h"
#include "core/platform/AppendFile.h"
#include "core/platform/FileNames.h"
#include "core/settings/TextCodec.h"

#include <QHash>
#include <optional>

namespace {

const QString kStampFormat = QStringLiteral("yyyyMMddHHmmss");
constexpr char16_t kByteEscapes = 0xDC00; // FileNames keeps a byte that is not UTF-8 as U+DC80 to U+DCFF

// A character a plain line cannot hold. The second half of a surrogate pair is not one of the stand-ins
// for a byte, though it falls in their range: callers take pairs whole.
bool needsEscape(QChar c)
{
    const char16_t u = c.unicode();
    return u == RenameProtocol::kSeparator || u < 0x20 || u == 0x7F ||
           (u >= kByteEscapes + 0x80 && u <= kByteEscapes + 0xFF);
}

bool plainFits(const QString& field)
{
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field.at(i).isHighSurrogate() && i + 1 < field.size() && field.at(i + 1).isLowSurrogate())
            ++i;
        else if (needsEscape(field.at(i)))
            return false;
    }
    return true;
}

QByteArray escaped(const QString& field)
{
    QByteArray out;
    for (qsizetype i = 0; i < field.size(); ++i) {
        const char16_t u = field.at(i).unicode();
        if (u == u'\\' || needsEscape(field.at(i))) {
            const int byte = u >= kByteEscapes ? u - kByteEscapes : u;
            out += "\\x" + QByteArray::number(byte, 16).rightJustified(2, '0');
        } else {
            // A surrogate pair is one character.
            const qsizetype n =
                QChar::isHighSurrogate(u) && i + 1 < field.size() && field.at(i + 1).isLowSurrogate() ? 2 : 1;
            out += FileNames::encode(field.mid(i, n));
            i += n - 1;
        }
    }
    return out;
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The bytes of an escaped field; nothing when an escape is broken.
std::optional<QByteArray> unescaped(QByteArrayView field)
{
    QByteArray out;
    out.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field.at(i) != '\\') {
            out += field.at(i);
            continue;
        }
        if (i + 3 >= field.size() || field.at(i + 1) != 'x')
            return std::nullopt;
        const int high = hexValue(field.at(i + 2));
        const int low = hexValue(field.at(i + 3));
        if (high < 0 || low < 0)
            return std::nullopt;
        out += static_cast<char>(high * 16 + low);
        i += 3;
    }
    return out;
}

QString joinFields(const QString& stamp, const QString& parentPath, const QString& oldName, const QString& newName)
{
    const QChar sep = QLatin1Char(RenameProtocol::kSeparator);
    return stamp + sep + parentPath + sep + oldName + sep + newName;
}

} // namespace

QByteArray RenameProtocol::encodeLine(const QString& stamp, const QString& parentPath, const QString& oldName,
                                      const QString& newName)
{
    if (plainFits(stamp) && plainFits(parentPath) && plainFits(oldName) && plainFits(newName))
        return FileNames::encode(joinFields(stamp, parentPath, oldName, newName));
    QByteArray line;
    for (const QString* field : {&stamp, &parentPath, &oldName, &newName})
        line += escaped(*field) + kSeparator;
    return line + kEscapedMarker;
}

RenameProtocol::Line RenameProtocol::parseLine(const QByteArray& bytes)
{
    Line line;
    line.stored = bytes;
    QStringList fields;
    const QList<QByteArray> parts = bytes.split(kSeparator);
    bool fourFields = parts.size() == 4;
    if (parts.size() == 5 && parts.at(4) == kEscapedMarker) {
        fourFields = true;
        for (qsizetype i = 0; i < 4; ++i) {
            const std::optional<QByteArray> field = unescaped(parts.at(i));
            fourFields = fourFields && field.has_value();
            fields.append(FileNames::decode(field.value_or(parts.at(i))));
        }
    } else {
        fields = TextCodec::decodeLine(bytes).split(QLatin1Char(kSeparator));
    }
    auto field = [&](int n) { return n < fields.size() ? fields.at(n) : QString(); };
    line.stamp = field(0);
    line.parentPath = field(1);
    line.oldName = field(2);
    line.newName = field(3);
    line.usable = fourFields && IsCleanFolderPath(line.parentPath) &&
                  CheckFolderName(line.oldName) == FolderNameProblem::None &&
                  CheckFolderName(line.newName) == FolderNameProblem::None;
    return line;
}

QList<QByteArray> RenameProtocol::splitLines(const QByteArray& bytes)
{
    QList<QByteArray> lines;
    for (QByteArray line : bytes.split('\n')) {
        while (line.endsWith('\r'))
            line.chop(1);
        if (!line.isEmpty())
            lines.append(line);
    }
    return lines;
}

QList<RenameProtocol::Line> RenameProtocol::read(const FileSystem& fs, const QString& settingsFolder)
{
    QList<Line> lines;
    const FileRead file = fs.readFile(settingsFolder + fileName());
    if (!file.ok())
        return lines;
    const QList<QByteArray> texts = splitLines(file.bytes);
    lines.reserve(texts.size());
    for (const QByteArray& text : texts)
        lines.append(parseLine(text));
    return lines;
}

FsResult RenameProtocol::rewrite(FileSystem& fs, const QString& settingsFolder, const QList<QByteArray>& loaded,
                                 const QList<Line>& lines)
{
    return fs.rewriteLocked(settingsFolder + fileName(), [&](const QByteArray& bytes) -> std::optional<QByteArray> {
        const QList<QByteArray> current = splitLines(bytes);
        QHash<QByteArray, int> onDisk;
        for (const QByteArray& line : current)
            ++onDisk[line];
        QByteArray out;
        // The caller's lines that are still there, in the caller's order; untouched ones keep their bytes.
        for (const Line& line : lines) {
            auto it = onDisk.find(line.stored);
            if (it == onDisk.end() || it.value() == 0)
                continue;
            --it.value();
            out += line.edited ? encodeLine(line.stamp, line.parentPath, line.oldName, line.newName) : line.stored;
            out += '\n';
        }
        // Lines the caller never saw: appended since it read the file.
        QHash<QByteArray, int> seen;
        for (const QByteArray& line : loaded)
            ++seen[line];
        for (const QByteArray& line : current) {
            auto it = seen.find(line);
            if (it != seen.end() && it.value() > 0) {
                --it.value();
                continue;
            }
            out += line + '\n';
        }
        return out;
    });
}

RenameProtocol::RenameProtocol(FileSystem& fs, const QString& settingsFolder, const QDateTime& runStart)
    : m_fs(fs)
    , m_path(settingsFolder + fileName())
    , m_runStart(runStart)
{
    m_sinceStart.start();
}

RenameProtocol::~RenameProtocol() = default;

FsResult RenameProtocol::open()
{
    FsResult result;
    m_file = m_fs.openAppend(m_path, AppendLock::PerRecord, result);
    return result;
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

QByteArray RenameProtocol::line(const QString& parentPath, const QString& oldName, const QString& newName)
{
    return encodeLine(currentStamp(), parentPath, oldName, newName);
}

FsResult RenameProtocol::appendText(const QByteArray& text)
{
    if (!m_file)
        return FsResult::failure(FsResult::Kind::Other, QString());
    return m_file->append(text);
}

QByteArray RenameProtocol::text(const QList<QByteArray>& lines)
{
    qsizetype size = 0;
    for (const QByteArray& line : lines)
        size += line.size() + 1;
    QByteArray text;
    text.reserve(size);
    for (const QByteArray& line : lines)
        text.append(line).append('\n');
    return text;
}
