#include "core/commit/DirectoryNames.h"

#include "core/platform/FileSystem.h"

const QSet<QString>* DirectoryNames::names(const FileSystem& fs, const QString& folder, qint64 nowSecs)
{
    const qint64 modified = fs.pathInfo(folder).lastWrite;
    auto it = m_folders.find(folder);
    if (it == m_folders.end() || it->modified != modified || it->readAt <= modified) {
        Folder fresh;
        fresh.modified = modified;
        fresh.readAt = nowSecs;
        if (const std::optional<QStringList> listed = fs.entryNames(folder)) {
            fresh.names = QSet<QString>(listed->begin(), listed->end());
            fresh.readable = true;
        }
        it = m_folders.insert(folder, std::move(fresh));
    }
    return it->readable ? &it->names : nullptr;
}
