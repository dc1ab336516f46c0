#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// How the program's text files are read and written: written as UTF-8 without a byte-order mark and
// "\n" line ends; read as UTF-8, line by line as Windows-1252 where a line is not valid UTF-8 (files
// brought over from Windows, or edited there since). "\r\n" and "\n" are both line ends.
namespace TextCodec {

QString decode(const QByteArray& bytes);
// One line: UTF-8 when it is valid UTF-8, else Windows-1252.
QString decodeLine(QByteArrayView line);
QByteArray encode(const QString& text);

// The lines of a text, line ends (with any carriage returns before them) removed. A final line end does
// not make an extra empty line.
QStringList splitLines(const QString& text);

// Reads a whole text file, as FileSystem::readFile does (a regular file within the size limit); nothing
// (and ok = false) when it cannot be read. For readers that have no file-system service at hand.
QString readFile(const QString& path, bool* ok = nullptr);

// The character of a Windows-1252 byte.
QChar fromWindows1252(unsigned char byte);

} // namespace TextCodec
