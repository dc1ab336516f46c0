#pragma once

#include <QString>
#include <QStringList>

class FileSystem;

// Numbered subfolders made inside chosen folders.
namespace SubfolderCreation {

// The largest count accepted: enough for any sensible series, and a mistyped run of digits cannot make
// millions of folders.
constexpr int kMaxCount = 9999;

// The name as typed, made a relative path: runs of separators become one, one leading separator goes.
QString CleanName(const QString& name);
// The count field's text when it is left: leading zeros go, an empty field is "1"; capped at kMaxCount.
QString TidyCount(const QString& text);

// Creates, inside each folder, the subfolder path name (count 1) or name1 … nameN (count above 1), with
// every missing level. Returns every path meant, in order, whether it was created or existed already.
QStringList CreateSubFolders(FileSystem& fs, const QStringList& folders, const QString& name, int count);

} // namespace SubfolderCreation
