#pragma once

#include <QByteArray>
#include <QString>

// File names on Linux are bytes, usually but not always UTF-8. The program keeps paths as QStrings, so
// the conversion must be lossless: a folder with a name that is not valid UTF-8 has to be found and
// renamed again under exactly its own bytes. Valid UTF-8 decodes as usual; every byte that is not part of
// a valid sequence becomes the lone surrogate U+DC80 + (byte - 0x80), which valid text can never contain,
// and encodes back to that same byte.
namespace FileNames {

QString decode(const QByteArray& bytes);
QString decode(const char* bytes);
QByteArray encode(QStringView name);
// The same, appended to out: a buffer used again keeps its room.
void appendEncoded(QByteArray& out, QStringView name);
// The same, written at out, which has room for three bytes a UTF-16 unit; returns where the bytes end.
char* encodeInto(char* out, QStringView name);

} // namespace FileNames
