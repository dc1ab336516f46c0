#include "core/commit/NameConflicts.h"

#include "core/AppState.h"
#include "core/commit/DirectoryNames.h"
#include "core/commit/NameClashes.h"
#include "core/commit/RenameFailure.h"
#include "core/preview/FolderEntry.h"
#include "core/preview/LookAhead.h"
#include "core/preview/NumberTable.h"

#include <QHash>
#include <algorithm>
#include <optional>

namespace {

// A refusal names this many conflicts; the count says how many more there are.
constexpr int kNamedInRefusal = 5;

} // namespace

std::vector<NameConflict> FindNameConflicts(const std::vector<FolderEntry>& entries, const FileSystem& fs,
                                            DirectoryNames& names, qint64 nowSecs, bool namesChecked)
{
    const int n = static_cast<int>(entries.size());
    // Conflicts are few: a mark a row, and the conflicts themselves as they are found.
    std::vector<bool> marked(static_cast<size_t>(n), false);
    std::vector<NameConflict> conflicts;
    const auto mark = [&](const NameConflict& c) {
        marked[static_cast<size_t>(c.row)] = true;
        conflicts.push_back(c);
    };
    for (int row = 0; row < n && !namesChecked; ++row) {
        const FolderEntry& e = entries[static_cast<size_t>(row)];
        if (!e.isChanged())
            continue;
        if (const FolderNameProblem problem = CheckFolderName(e.newName); problem != FolderNameProblem::None)
            mark({row, NameConflict::Reason::BadName, problem});
    }
    for (const NameClash& clash : namesChecked ? QList<NameClash>() : FindNameClashes(entries)) {
        for (const auto& [row, other] : {std::pair{clash.first, clash.second}, std::pair{clash.second, clash.first}}) {
            if (!marked[static_cast<size_t>(row)] && entries[static_cast<size_t>(row)].isChanged())
                mark({row, NameConflict::Reason::Duplicate, FolderNameProblem::None, other});
        }
    }
    // The folders that hold a name still to check, each once, read together; entries of one folder mostly
    // stand together, so one look-up per run of them.
    std::vector<QString> folders;
    QHash<QString, int> folderNumber;
    std::vector<int> folderOf(static_cast<size_t>(n), -1);
    const QString* lastParent = nullptr;
    int lastFolder = -1;
    for (int row = 0; row < n; ++row) {
        const FolderEntry& e = entries[static_cast<size_t>(row)];
        if (!e.isChanged() || marked[static_cast<size_t>(row)])
            continue;
        if (!lastParent || *lastParent != e.parentPath) {
            lastParent = &e.parentPath;
            const auto known = folderNumber.constFind(e.parentPath);
            if (known != folderNumber.cend()) {
                lastFolder = *known;
            } else {
                lastFolder = static_cast<int>(folders.size());
                folderNumber.insert(e.parentPath, lastFolder);
                folders.push_back(e.parentPath);
            }
        }
        folderOf[static_cast<size_t>(row)] = lastFolder;
    }
    folderNumber = {};
    const std::vector<const FolderNameSet*> onDisk = names.names(fs, folders, nowSecs);
    // The rows this run renames away, by folder and name: their names are free by the time anyone needs
    // them. Gathered only when a proposed name is taken on disk, as when every name of a numbered series
    // moves up by one.
    std::optional<NumberTable> leaving;
    LookAhead newNameHash(entries.size(), [&](size_t row) -> size_t {
        const int folder = folderOf[row];
        const FolderNameSet* taken = folder < 0 ? nullptr : onDisk[static_cast<size_t>(folder)];
        return taken ? taken->hashAhead(entries[row].newName) : 0;
    });
    for (int row = 0; row < n; ++row) {
        const int folder = folderOf[static_cast<size_t>(row)];
        const size_t hash = newNameHash(static_cast<size_t>(row));
        if (folder < 0)
            continue;
        const FolderEntry& e = entries[static_cast<size_t>(row)];
        const FolderNameSet* taken = onDisk[static_cast<size_t>(folder)];
        if (!taken || !taken->contains(e.newName, hash))
            continue;
        if (!leaving) {
            leaving.emplace();
            leaving->reserve(entries.size());
            NumberTable::PairHash hashOf;
            for (quint32 other = 0; other < entries.size(); ++other) {
                const FolderEntry& o = entries[other];
                if (o.isChanged())
                    leaving->put(other, hashOf(o.parentPath, o.oldName), [](quint32) { return false; });
            }
        }
        const auto leavesName = [&](quint32 other) {
            const FolderEntry& o = entries[other];
            return o.oldName == e.newName && o.parentPath == e.parentPath;
        };
        if (!leaving->find(NumberTable::hashOf(e.parentPath, e.newName), leavesName))
            mark({row, NameConflict::Reason::Exists});
    }
    std::sort(conflicts.begin(), conflicts.end(),
              [](const NameConflict& a, const NameConflict& b) { return a.row < b.row; });
    return conflicts;
}

QString NameConflictText(const AppState& state, const std::vector<FolderEntry>& entries, const NameConflict& c)
{
    const FolderEntry& e = entries[static_cast<size_t>(c.row)];
    switch (c.reason) {
    case NameConflict::Reason::Duplicate:
        return state.message(QStringLiteral("msgConflictDuplicate"),
                             {Quoted(e.newName), Quoted(entries[static_cast<size_t>(c.other)].currentPath())});
    case NameConflict::Reason::Exists:
        return state.message(QStringLiteral("msgConflictExists"), {Quoted(e.proposedPath())});
    case NameConflict::Reason::BadName:
        break;
    }
    return FolderNameProblemText(state, c.problem, e.newName);
}

QString NameConflictsRefusal(const AppState& state, const std::vector<FolderEntry>& entries,
                             const std::vector<NameConflict>& conflicts)
{
    QString named;
    const int shown = std::min(static_cast<int>(conflicts.size()), kNamedInRefusal);
    for (int i = 0; i < shown; ++i) {
        const NameConflict& c = conflicts[static_cast<size_t>(i)];
        named += QStringLiteral("\n\n") + Quoted(entries[static_cast<size_t>(c.row)].currentPath()) +
                 QStringLiteral(": ") + NameConflictText(state, entries, c);
    }
    QString text = state.message(QStringLiteral("msgConflictRefused"), {QString::number(conflicts.size())}) + named;
    if (static_cast<int>(conflicts.size()) > shown)
        text += QStringLiteral("\n\n") +
                state.message(QStringLiteral("msgConflictMore"), {QString::number(conflicts.size() - shown)});
    return text;
}
