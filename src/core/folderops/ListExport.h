#pragma once

#include <QString>
#include <QStringList>

// The folder list as text for the clipboard: a heading line with the product name and the time stamp,
// an empty line, then one path per line.
namespace ListExport {

QString PlainText(const QString& product, const QString& stamp, const QStringList& paths);
// Rich text in Courier New. Paths are escaped so that every character shows as it is: "\", "{" and "}"
// get a backslash, anything beyond ASCII is written as its UTF-16 unit ("\u233?" for "é").
QString RichText(const QString& product, const QString& stamp, const QStringList& paths);
QString EscapeRtf(const QString& text);

} // namespace ListExport
