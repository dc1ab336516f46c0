#include "core/load/ListFileReader.h"

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

std::optional<QByteArray> ListFileReader::nextLine()
{
    for (;;) {
        QByteArray line = m_device.readLine(kMaxLineBytes + 2);
        if (line.isEmpty())
            return std::nullopt;
        if (!line.endsWith('\n') && !m_device.atEnd()) {
            // Far too long for a path: drop the rest of the line as it comes.
            QByteArray rest;
            do {
                rest = m_device.readLine(kMaxLineBytes + 2);
            } while (!rest.isEmpty() && !rest.endsWith('\n'));
            m_firstLine = false;
            continue;
        }
        if (line.endsWith('\n'))
            line.chop(1);
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
