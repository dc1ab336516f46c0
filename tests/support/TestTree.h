#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A temporary folder tree built from a short description, so a file-system test reads as its scenario:
//   TestTree tree({"Photos/", "Photos/2004/", "Music/a.mp3=120"});
// Entries ending in "/" are folders; others are files, "=n" giving their size in bytes (default 0).
// Parent folders are created as needed. The tree is removed when the object goes.
class TestTree
{
public:
    explicit TestTree(const QStringList& entries = {});

    // The root folder, without a trailing separator.
    QString root() const { return m_dir.path(); }
    // Full path of a relative entry, without a trailing separator ("" gives the root).
    QString path(const QString& relative) const;
    // Full path with one trailing separator, as the preview list keys folders.
    QString key(const QString& relative) const { return path(relative) + QLatin1Char('/'); }

    void add(const QString& entry);
    // Writes a file with exactly these bytes; makes a symbolic link to a full path.
    void write(const QString& relative, const QByteArray& bytes) const;
    bool link(const QString& target, const QString& relative) const;
    bool exists(const QString& relative) const;
    bool isFolder(const QString& relative) const;
    // Names of the direct subfolders of a folder, sorted.
    QStringList folders(const QString& relative = QString()) const;

private:
    QTemporaryDir m_dir;
};
