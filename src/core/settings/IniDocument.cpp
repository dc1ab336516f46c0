#include "core/settings/IniDocument.h"

#include "core/settings/TextCodec.h"

namespace {

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

QString trimBlanks(QStringView text)
{
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && isBlank(text.at(start)))
        ++start;
    while (end > start && isBlank(text.at(end - 1)))
        --end;
    return text.sliced(start, end - start).toString();
}

// Section and key names are trimmed of all white space, exactly as the names callers look up, so a
// stray carriage return or tab around a name in the file cannot hide it.
// The section name of a header line "[name]", or a null string for any other line.
QString sectionOf(const QString& line)
{
    const QString t = line.trimmed();
    if (t.size() < 2 || !t.startsWith(QLatin1Char('[')))
        return {};
    const qsizetype close = t.indexOf(QLatin1Char(']'));
    if (close < 0)
        return {};
    QString name = t.sliced(1, close - 1).trimmed();
    // Never null, so that "[]" still counts as a header.
    return name.isNull() ? QStringLiteral("") : name;
}

// The key of a "key=value" line, or a null string when the line holds no "=".
QString keyOf(const QString& line)
{
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq < 0)
        return {};
    return line.left(eq).trimmed();
}

QString valueOf(const QString& line)
{
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    return eq < 0 ? QString() : trimBlanks(QStringView(line).sliced(eq + 1));
}

} // namespace

IniDocument IniDocument::fromText(const QString& text)
{
    IniDocument doc;
    doc.m_lines = TextCodec::splitLines(text);
    return doc;
}

IniDocument IniDocument::load(const QString& path)
{
    return fromText(TextCodec::readFile(path));
}

const IniDocument::Index& IniDocument::index() const
{
    if (m_indexValid)
        return m_index;
    m_index = {};
    QString current;
    bool inSection = false;
    bool firstOfName = false;
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const QString& line = m_lines.at(i);
        const QString section = sectionOf(line);
        if (!section.isNull()) {
            current = section.toLower();
            inSection = true;
            firstOfName = !m_index.sectionLines.contains(current);
            if (firstOfName)
                m_index.sectionLines.insert(current, i);
            continue;
        }
        if (!inSection || !firstOfName)
            continue;
        const QString key = keyOf(line);
        if (key.isEmpty())
            continue;
        QHash<QString, qsizetype>& keys = m_index.keyLines[current];
        const QString lowerKey = key.toLower();
        if (!keys.contains(lowerKey))
            keys.insert(lowerKey, i);
    }
    m_indexValid = true;
    return m_index;
}

IniDocument::Location IniDocument::locate(const QString& section, const QString& key) const
{
    Location loc;
    const Index& idx = index();
    const QString lowerSection = section.trimmed().toLower();
    const auto header = idx.sectionLines.constFind(lowerSection);
    if (header == idx.sectionLines.cend())
        return loc;
    loc.sectionLine = *header;
    const auto keys = idx.keyLines.constFind(lowerSection);
    if (keys != idx.keyLines.cend()) {
        const auto line = keys->constFind(key.trimmed().toLower());
        if (line != keys->cend())
            loc.keyLine = *line;
    }
    // The section ends before the next header; trailing blank lines stay after any appended key.
    qsizetype end = loc.sectionLine + 1;
    qsizetype lastContent = loc.sectionLine;
    while (end < m_lines.size() && sectionOf(m_lines.at(end)).isNull()) {
        if (!trimBlanks(m_lines.at(end)).isEmpty())
            lastContent = end;
        ++end;
    }
    loc.sectionEnd = lastContent + 1;
    return loc;
}

QString IniDocument::value(const QString& section, const QString& key) const
{
    const Index& idx = index();
    const auto keys = idx.keyLines.constFind(section.trimmed().toLower());
    if (keys == idx.keyLines.cend())
        return {};
    const auto line = keys->constFind(key.trimmed().toLower());
    if (line == keys->cend())
        return {};
    return valueOf(m_lines.at(*line));
}

bool IniDocument::contains(const QString& section, const QString& key) const
{
    const Index& idx = index();
    const auto keys = idx.keyLines.constFind(section.trimmed().toLower());
    return keys != idx.keyLines.cend() && keys->contains(key.trimmed().toLower());
}

bool IniDocument::hasSection(const QString& section) const
{
    return index().sectionLines.contains(section.trimmed().toLower());
}

QStringList IniDocument::keys(const QString& section) const
{
    QStringList result;
    const Location loc = locate(section, QString());
    if (loc.sectionLine < 0)
        return result;
    const auto& keyLines = index().keyLines.value(section.trimmed().toLower());
    for (qsizetype i = loc.sectionLine + 1; i < loc.sectionEnd; ++i) {
        const QString key = keyOf(m_lines.at(i));
        if (!key.isEmpty() && keyLines.value(key.toLower(), -1) == i)
            result.append(key);
    }
    return result;
}

QStringList IniDocument::sections() const
{
    QStringList result;
    for (const QString& line : m_lines) {
        const QString s = sectionOf(line);
        if (!s.isNull())
            result.append(s);
    }
    return result;
}

void IniDocument::setValue(const QString& section, const QString& key, const QString& value)
{
    // A line break in a value would split the line and corrupt the file; it is stored as a blank.
    QString flat = value;
    flat.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    const QString line = key.trimmed() + QLatin1Char('=') + flat;
    const Location loc = locate(section, key);
    if (loc.keyLine >= 0) {
        m_lines[loc.keyLine] = line;
    } else if (loc.sectionLine >= 0) {
        m_lines.insert(loc.sectionEnd, line);
    } else {
        m_lines.append(QLatin1Char('[') + section.trimmed() + QLatin1Char(']'));
        m_lines.append(line);
    }
    m_indexValid = false;
}

QString IniDocument::toText() const
{
    QString text;
    qsizetype size = 0;
    for (const QString& line : m_lines)
        size += line.size() + 1;
    text.reserve(size);
    for (const QString& line : m_lines) {
        text.append(line);
        text.append(QLatin1Char('\n'));
    }
    return text;
}

FsResult IniDocument::save(FileSystem& fs, const QString& path) const
{
    return fs.writeFileAtomic(path, TextCodec::encode(toText()));
}
