#pragma once

#include "core/platform/FileSystem.h"

#include <QString>
#include <QStringList>

// A delimited file (CSV or TXT) read whole through the file-system service: UTF-8 with or without a
// byte-order mark, else Windows-1252 line by line; "\r\n" and "\n" alike. Its first line is the header,
// which names the columns and is never data.
class CsvFile
{
public:
    enum class Problem {
        None,
        Unreadable, // readResult says why
        NotText,    // holds NUL bytes: a picture, an archive, a spreadsheet in its own format
        NoRows,     // empty, or nothing but the header
    };

    static CsvFile read(const FileSystem& fs, const QString& path);

    Problem problem() const { return m_problem; }
    const FsResult& readResult() const { return m_read; }
    // Every line, empty ones included, so that a line number is the one an editor shows.
    const QStringList& lines() const { return m_lines; }
    // The separator of the file (DetectSeparator); when the rows do not agree (a short row may lack it), the
    // header line, which names the columns, decides. Empty when neither tells.
    QString separator() const;
    // The header: the first line that is not blank (as a list of one line, or none).
    QStringList headerLine() const;
    // The column names: the fields of the header line with the given separator.
    QStringList header(const QString& separator) const;

private:
    Problem m_problem = Problem::None;
    FsResult m_read;
    QStringList m_lines;
};
