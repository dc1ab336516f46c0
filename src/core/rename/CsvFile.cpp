#include "core/rename/CsvFile.h"

#include "core/rename/CsvText.h"
#include "core/settings/TextCodec.h"

CsvFile CsvFile::read(const FileSystem& fs, const QString& path)
{
    CsvFile file;
    FileRead read = fs.readFile(path, FileSystem::kTextFileLimit);
    if (!read.ok()) {
        file.m_problem = Problem::Unreadable;
        file.m_read = read.result;
        return file;
    }
    if (read.bytes.contains('\0')) {
        file.m_problem = Problem::NotText;
        return file;
    }
    file.m_lines = TextCodec::splitLines(TextCodec::decode(read.bytes));
    qsizetype rows = 0;
    for (const QString& line : std::as_const(file.m_lines))
        rows += line.trimmed().isEmpty() ? 0 : 1;
    if (rows < 2)
        file.m_problem = Problem::NoRows;
    return file;
}

QString CsvFile::separator() const
{
    const QString detected = DetectSeparator(m_lines);
    return detected.isEmpty() ? DetectSeparator(headerLine()) : detected;
}

QStringList CsvFile::headerLine() const
{
    for (const QString& line : m_lines) {
        if (!line.trimmed().isEmpty())
            return {line};
    }
    return {};
}

QStringList CsvFile::header(const QString& separator) const
{
    const QStringList line = headerLine();
    if (line.isEmpty())
        return {};
    QStringList fields = ParseCsvLine(line.first(), separator);
    fields.removeLast();
    return fields;
}
