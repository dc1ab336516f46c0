#include "commit/CommitRenames.h"

#include "app/AppState.h"
#include "app/PreviewList.h"
#include "settings/TextCodec.h"

#include <QFile>

namespace {

QString quoted(const QString& text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

QString failureMessage(const AppState& state, const FsResult& result, const QString& from, const QString& to)
{
    const QStringList args{quoted(from), quoted(to)};
    switch (result.kind) {
    case FsResult::Kind::NotFound:
        return state.message(QStringLiteral("MsgText36"), args);
    case FsResult::Kind::TargetExists:
        return state.message(QStringLiteral("MsgText05"), args);
    case FsResult::Kind::Access:
        return state.message(QStringLiteral("MsgText11"), args);
    default:
        return state.message(QStringLiteral("MsgText06"), args) + QStringLiteral("   System text: ") +
               result.systemText;
    }
}

// Rewrites the key and parent path of every entry below a renamed folder.
void moveChildren(PreviewList& list, const QString& oldPath, const QString& newPath)
{
    std::vector<FolderEntry>& entries = list.entries();
    for (int j = 0; j < list.size(); ++j) {
        FolderEntry& e = entries[static_cast<size_t>(j)];
        if (!e.key.startsWith(oldPath))
            continue;
        QString key = e.key;
        list.setKey(j, key.replace(oldPath, newPath));
        e.col[FolderEntry::ColParentPath].replace(oldPath, newPath);
    }
}

} // namespace

CommitReport CommitRenames(AppState& state, PreviewList& list, int row, const std::function<void(int)>& progress)
{
    CommitReport report;
    QFile protocol(state.settingsFolder + QStringLiteral("renamed.vlp"));
    if (!protocol.open(QIODevice::WriteOnly | QIODevice::Append))
        report.protocolFailed = state.protocolRenames;

    auto renameOne = [&](int i) -> bool {
        FolderEntry& e = list.entries()[static_cast<size_t>(i)];
        const QString oldPath = e.parentPath() + e.oldName() + QLatin1Char('/');
        const QString newPath = e.parentPath() + e.newName() + QLatin1Char('/');
        const FsResult result = state.fs().renameFolder(oldPath, newPath);
        if (!result.ok()) {
            report.failures.append({e.key, failureMessage(state, result, oldPath, newPath)});
            return false;
        }
        if (state.protocolRenames && protocol.isOpen()) {
            const QString line = state.now().toString(QStringLiteral("yyyyMMddHHmmss")) + QLatin1Char('"') +
                                 e.parentPath() + QLatin1Char('"') + e.oldName() + QLatin1Char('"') + e.newName() +
                                 QLatin1Char('\n');
            if (protocol.write(TextCodec::encode(line)) < 0 || !protocol.flush())
                report.protocolFailed = true;
        }
        e.col[FolderEntry::ColOldName] = e.newName();
        e.history(0) = e.newName();
        list.setKey(i, newPath);
        moveChildren(list, oldPath, newPath);
        ++report.renamed;
        return true;
    };

    if (row == kAllEntries) {
        const int n = list.size();
        for (int i = 0; i < n; ++i) {
            if (!list.entry(i).isChanged())
                continue;
            if (renameOne(i) && progress)
                progress(report.renamed);
            // Renamed or failed, the entry's key after the attempt is what the report removes on request.
            report.processedKeys.append(list.entry(i).key);
            for (int level = 1; level < FolderEntry::kHistoryLevels; ++level)
                list.entries()[static_cast<size_t>(i)].history(level).clear();
        }
    } else if (row >= 0 && row < list.size()) {
        if (list.entry(row).isChanged())
            renameOne(row);
        FolderEntry& e = list.entries()[static_cast<size_t>(row)];
        for (int level = 0; level < FolderEntry::kHistoryLevels; ++level) {
            if (!e.history(level).isEmpty())
                e.history(level) = e.newName();
        }
    }
    list.notifyEntriesChanged();
    return report;
}
