#include "core/load/ListFileReader.h"

#include <QFileDevice>
#include <QIODevice>

namespace {

bool startsWithIgnoringCase(const QByteArray& line, const char* prefix)
{
    return line.left(static_cast<qsizetype>(qstrlen(prefix))).toUpper() == prefix;
}

bool isAsciiLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

} // namespace

ListFileReader::Kind ListFileReader::kindOf(const QString& fileName)
{
    const QString name = fileName.mid(fileName.lastIndexOf(QLatin1Char('/')) + 1);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString ext = dot < 0 ? QString() : name.mid(dot).toLower();
    if (ext == QLatin1String(".m3u"))
        return Kind::M3u;
    if (ext == QLatin1String(".pls"))
        return Kind::Pls;
    return Kind::Plain;
}

bool ListFileReader::isUrl(const QByteArray& entry)
{
    if (entry.isEmpty() || !isAsciiLetter(entry.at(0)))
        return false;
    for (qsizetype i = 1; i < entry.size(); ++i) {
        const char c = entry.at(i);
        if (c == ':')
            return entry.mid(i + 1, 2) == "//";
        if (!isAsciiLetter(c) && !(c >= '0' && c <= '9') && c != '+' && c != '-' && c != '.')
            return false;
    }
    return false;
}

bool ListFileReader::fill()
{
    constexpr qsizetype kChunk = 256 * 1024;
    m_buffer.remove(0, m_at);
    m_at = 0;
    const QByteArray more = m_device.read(kChunk);
    if (more.isEmpty()) {
        // A file device tells a failed read from the end only until its next read.
        if (const auto* file = qobject_cast<const QFileDevice*>(&m_device))
            m_failed = file->error() != QFileDevice::NoError;
        return false;
    }
    m_buffer.append(more);
    return true;
}

std::optional<QByteArray> ListFileReader::nextLine()
{
    for (;;) {
        const qsizetype end = m_buffer.indexOf('\n', m_at);
        if (end < 0) {
            if (m_buffer.size() - m_at > kMaxLineBytes) {
                // Far too long for a path: drop the rest of the line as it comes.
                m_at = m_buffer.size();
                m_skipping = true;
            }
            if (fill())
                continue;
            if (m_at == m_buffer.size() || m_failed)
                return std::nullopt;
        }
        const qsizetype stop = end < 0 ? m_buffer.size() : end;
        QByteArray line = m_buffer.mid(m_at, stop - m_at);
        m_at = end < 0 ? m_buffer.size() : end + 1;
        if (m_skipping) {
            m_skipping = false;
            m_firstLine = false;
            continue;
        }
        if (line.endsWith('\r'))
            line.chop(1);
        if (m_firstLine && line.startsWith("\xEF\xBB\xBF"))
            line.remove(0, 3);
        m_firstLine = false;
        return line;
    }
}

std::optional<QByteArray> ListFileReader::next()
{
    while (std::optional<QByteArray> line = nextLine()) {
        QByteArray entry;
        switch (m_kind) {
        case Kind::M3u:
            if (startsWithIgnoringCase(*line, "#EXT"))
                continue;
            entry = *line;
            break;
        case Kind::Pls: {
            const qsizetype eq = line->indexOf('=');
            if (!startsWithIgnoringCase(*line, "FILE") || eq < 0)
                continue;
            entry = line->mid(eq + 1);
            break;
        }
        case Kind::Plain:
            entry = *line;
            break;
        }
        if (!entry.isEmpty() && !isUrl(entry))
            return entry;
    }
    return std::nullopt;
}
