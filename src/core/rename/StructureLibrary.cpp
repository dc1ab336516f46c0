#include "core/rename/StructureLibrary.h"

#include "core/AppState.h"
#include "core/rename/CsvLine.h"
#include "core/settings/ProgramNames.h"
#include "core/settings/TextCodec.h"

namespace {

const QChar kSeparator(u';');
const QChar kNamePrefixMark(u'|');

QString header()
{
    return QStringLiteral("Name;Structure;");
}

// The field as the reader gets it back.
QString field(const QString& value)
{
    const bool quoted =
        value.contains(kSeparator) || value.startsWith(QLatin1Char(' ')) || value.startsWith(QLatin1Char('"'));
    return quoted ? QLatin1Char('"') + value + QLatin1Char('"') : value;
}

// A line end inside a field would split its line in two.
QString oneLine(QString value)
{
    value.replace(QLatin1String("\r\n"), QLatin1String(" "));
    value.replace(QLatin1Char('\r'), QLatin1Char(' '));
    value.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return value;
}

std::optional<QChar> detectSeparator(const QStringList& lines)
{
    const CsvLine::SeparatorPresence every = CsvLine::separatorsInEveryLine(lines);
    if (every.tab && !(every.comma || every.semicolon))
        return QChar(u'\t');
    if (every.comma && !every.semicolon)
        return QChar(u',');
    if (every.semicolon)
        return kSeparator;
    return std::nullopt;
}

} // namespace

QString StructureLibrary::path(const AppState& state)
{
    return state.settingsFolder + StructuresFileName();
}

StructureLibrary StructureLibrary::read(const FileSystem& fs, const QString& path)
{
    const FileRead read = fs.readFile(path);
    return read.ok() ? parse(TextCodec::decode(read.bytes)) : StructureLibrary();
}

StructureLibrary StructureLibrary::parse(const QString& text)
{
    StructureLibrary library;
    // Blank lines hold nothing; left in, one would hide the separator of every other line.
    QStringList lines = TextCodec::splitLines(text);
    lines.removeIf([](const QString& line) { return line.trimmed().isEmpty(); });
    const std::optional<QChar> separator = detectSeparator(lines);
    if (!separator)
        return library;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QStringList fields = CsvLine::fields(lines.at(i), *separator);
        if (fields.isEmpty() || fields.first().trimmed().isEmpty())
            continue;
        QString name = fields.first();
        if (const qsizetype mark = name.indexOf(kNamePrefixMark); mark >= 0)
            name = name.mid(mark + 1);
        // Nothing but a prefix is no name either.
        if (!name.trimmed().isEmpty())
            library.entries.append({name, fields.value(1)});
    }
    return library;
}

QString StructureLibrary::text() const
{
    QString out = header() + QLatin1Char('\n');
    for (const NamedStructure& entry : entries) {
        QString name = oneLine(entry.name);
        const QString structure = oneLine(entry.structure);
        if (name.contains(kNamePrefixMark) || structure.contains(kNamePrefixMark))
            name.prepend(kNamePrefixMark);
        out += field(name) + kSeparator + field(structure) + kSeparator + QLatin1Char('\n');
    }
    return out;
}

FsResult StructureLibrary::write(FileSystem& fs, const QString& path) const
{
    return fs.writeFileAtomic(path, TextCodec::encode(text()));
}

const NamedStructure* StructureLibrary::find(const QString& name) const
{
    for (Qt::CaseSensitivity cs : {Qt::CaseSensitive, Qt::CaseInsensitive}) {
        for (const NamedStructure& entry : entries) {
            if (entry.name.compare(name, cs) == 0)
                return &entry;
        }
    }
    return nullptr;
}
