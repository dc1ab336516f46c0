#pragma once

#include <QString>

class FileSystem;

// Every folder path the program stores ends in exactly one separator.
QString EnsureTrailingSeparator(const QString& path);
// Removes one trailing separator, but never turns the root "/" into the empty text.
QString StripTrailingSeparator(const QString& path);
// a + b + c in a text of just that size. Appending to a copy gives the text room for about twice as much,
// which paths kept for a million rows cannot afford.
QString JoinedPath(QStringView a, QStringView b, QStringView c = {});

// Creates every missing folder along the path, prefix by prefix, then the whole path. Errors on the way
// are ignored; the result tells whether the folder exists afterwards.
bool CreateFolderPath(FileSystem& fs, const QString& path);
