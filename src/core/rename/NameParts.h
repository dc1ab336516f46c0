#pragma once

#include <QString>
#include <QStringView>

// A folder name is a base name and a folder "extension": the text after its last ".". A name without "."
// has no extension; ".cfg" has an empty base and the extension ".cfg"; "a." has the extension ".".
// Base followed by the extension with its dot always gives the name back.
struct FolderNameParts
{
    QString base;
    QString ext; // with its dot, or empty
};
// The same split as views into the name, for code that only reads the parts.
struct FolderNameViews
{
    QStringView base;
    QStringView ext;
};

QString GetFolderExt(const QString& name, bool withDot);
QString GetFolderBaseName(const QString& name);
FolderNameParts SplitFolderName(const QString& name);
FolderNameViews SplitFolderNameViews(QStringView name);

// 1-based character position of the n-th occurrence of find in text, counting overlapping occurrences
// ("aaa" holds "aa" twice); 0 when n < 1, when find is empty or when there are fewer occurrences.
// Case-sensitive.
qsizetype InStrNth(QStringView text, QStringView find, qsizetype n);

// The text without one leading and one trailing double quote, each removed only when present; a view
// into the text.
QStringView StripQuotes(QStringView text);
