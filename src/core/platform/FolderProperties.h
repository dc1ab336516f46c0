#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

class FileSystem;

// What the program's own properties window shows of a folder.
struct FolderProperties
{
    QString path;
    bool exists = false;
    bool isLink = false;
    qint64 size = 0;   // all regular files below the folder, links not followed
    QDateTime created; // invalid when unknown
    QDateTime lastWrite;
    QDateTime lastAccess;
    QString owner;
    QString group;
    std::optional<uint> permissions; // mode bits 07777

    static FolderProperties read(const FileSystem& fs, const QString& path);
    // "rwxr-xr-x" style, with the special bits where ls shows them.
    static QString permissionText(uint mode);
};
