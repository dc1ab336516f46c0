#include "core/commit/CommitRenames.h"

#include "core/AppState.h"
#include "core/commit/FolderNameCheck.h"
#include "core/commit/PathPrefixIndex.h"
#include "core/commit/RenameFailure.h"
#include "core/commit/RenameProtocol.h"
#include "core/preview/PreviewList.h"

#include <QFile>
#include <optional>

namespace {

// Up to this many renames a run looks through the list for the entries below each renamed folder;
// beyond it, sorting the keys once pays for itself.
constexpr int kScanLimit = 16;

// a + b + c with one allocation: these are built for every rename and every entry below one.
QString joined(QStringView a, QStringView b, QStringView c)
{
    QString text;
    text.reserve(a.size() + b.size() + c.size());
    text.append(a).append(b).append(c);
    return text;
}

// One run: renames entries and keeps the list in step with the disk.
class Run
{
public:
    Run(AppState& state, PreviewList& list, int expectedRenames)
        : m_state(state)
        , m_list(list)
        , m_protocol(state.settingsFolder)
    {
        // The file is created even with the protocol off, so the history always finds one.
        if (!m_protocol.open(state.now()) && state.protocolRenames)
            m_report.protocolFailed = true;
        if (expectedRenames > kScanLimit)
            buildIndex();
    }

    // Ends the run: keys changed directly while the index was in use get into the list's key index, and
    // views learn of the changes.
    CommitReport finish()
    {
        if (m_index)
            m_list.reindexKeys();
        m_list.notifyEntriesChanged();
        return std::move(m_report);
    }

    // Renames the entry at row when it is changed; true when it was renamed.
    bool commit(int row)
    {
        FolderEntry& e = m_list.entries()[static_cast<size_t>(row)];
        const QString parent = e.parentPath();
        const QString oldName = e.oldName();
        const QString newName = e.newName();
        const QString oldPath = joined(parent, oldName, u"/");
        const QString newPath = joined(parent, newName, u"/");

        if (const FolderNameProblem problem = CheckFolderName(newName); problem != FolderNameProblem::None) {
            fail(e.key, m_state.message(QStringLiteral("MsgText06"), {Quoted(oldPath), Quoted(newPath)}) +
                            QStringLiteral("   ") + FolderNameProblemText(m_state, problem, newName));
            return false;
        }
        const FsResult result = m_state.fs().renameFolder(oldPath, newPath);
        if (!result.ok()) {
            fail(e.key, RenameFailureMessage(m_state, result, oldPath, newPath, QStringLiteral("   ")));
            return false;
        }
        if (m_state.protocolRenames && !m_protocol.append(parent, oldName, newName))
            m_report.protocolFailed = true;

        e.col[FolderEntry::ColOldName] = newName;
        e.history(0) = newName;
        if (m_index && e.key != oldPath) {
            // The new key is in the old path's folder; a key that did not match the entry's path may not be.
            m_index->erase(PathPrefixIndex::holdingFolder(e.key), row);
            m_index->insert(PathPrefixIndex::holdingFolder(newPath), row);
        }
        setKey(row, newPath);
        moveEntriesBelow(oldPath, newPath);
        ++m_report.renamed;
        return true;
    }

    CommitReport& report() { return m_report; }

private:
    void fail(const QString& key, const QString& message) { m_report.failures.append({key, message}); }

    // With many renames the list's key index is rebuilt once at the end instead of updated per key.
    void setKey(int row, const QString& key)
    {
        if (m_index)
            m_list.entries()[static_cast<size_t>(row)].key = key;
        else
            m_list.setKey(row, key);
    }

    void buildIndex()
    {
        m_index.emplace();
        for (int row = 0; row < m_list.size(); ++row)
            m_index->insert(PathPrefixIndex::holdingFolder(m_list.entry(row).key), row);
    }

    // The folders below a renamed one moved with it: their keys and parent paths begin with its old path.
    void moveEntriesBelow(const QString& oldPath, const QString& newPath)
    {
        if (m_index) {
            for (int row : m_index->movePrefix(oldPath, newPath)) {
                const QString& key = m_list.entry(row).key;
                if (key.startsWith(oldPath))
                    moveEntry(row, joined(newPath, QStringView(key).mid(oldPath.size()), {}), oldPath, newPath);
            }
            return;
        }
        for (int row = 0; row < m_list.size(); ++row) {
            const QString& key = m_list.entry(row).key;
            if (key.startsWith(oldPath))
                moveEntry(row, joined(newPath, QStringView(key).mid(oldPath.size()), {}), oldPath, newPath);
        }
    }

    // Only the leading old path is replaced: the same text further on in a path names another folder.
    void moveEntry(int row, const QString& newKey, const QString& oldPath, const QString& newPath)
    {
        setKey(row, newKey);
        QString& parent = m_list.entries()[static_cast<size_t>(row)].col[FolderEntry::ColParentPath];
        if (parent.startsWith(oldPath))
            parent.replace(0, oldPath.size(), newPath);
    }

    AppState& m_state;
    PreviewList& m_list;
    RenameProtocol m_protocol;
    std::optional<PathPrefixIndex> m_index;
    CommitReport m_report;
};

int countChanged(const PreviewList& list, const std::vector<int>& rows)
{
    int n = 0;
    for (int row : rows)
        n += list.entry(row).isChanged() ? 1 : 0;
    return n;
}

// Every level in use takes the entry's new name, so the entry has no earlier proposals to step back to.
void collapseHistory(FolderEntry& e)
{
    for (int level = 0; level < FolderEntry::kHistoryLevels; ++level) {
        if (!e.history(level).isEmpty())
            e.history(level) = e.newName();
    }
}

} // namespace

CommitReport CommitRenames(AppState& state, PreviewList& list, int row, const std::function<void(int)>& progress)
{
    if (row != kAllEntries)
        return CommitRenames(state, list, std::vector<int>{row});

    const int n = list.size();
    std::vector<int> changed;
    for (int i = 0; i < n; ++i) {
        if (list.entry(i).isChanged())
            changed.push_back(i);
    }
    Run run(state, list, static_cast<int>(changed.size()));
    for (int i : changed) {
        if (run.commit(i) && progress)
            progress(run.report().renamed);
        FolderEntry& e = list.entries()[static_cast<size_t>(i)];
        for (int level = 1; level < FolderEntry::kHistoryLevels; ++level)
            e.history(level).clear();
    }
    QStringList& processed = run.report().processedKeys;
    processed.reserve(static_cast<qsizetype>(changed.size()));
    for (int i : changed)
        processed.append(list.entry(i).key);
    return run.finish();
}

CommitReport CommitRenames(AppState& state, PreviewList& list, const std::vector<int>& rows)
{
    std::vector<int> valid;
    valid.reserve(rows.size());
    for (int row : rows) {
        if (row >= 0 && row < list.size())
            valid.push_back(row);
    }
    Run run(state, list, countChanged(list, valid));
    for (int row : valid) {
        if (list.entry(row).isChanged())
            run.commit(row);
        collapseHistory(list.entries()[static_cast<size_t>(row)]);
    }
    return run.finish();
}

QString CommitProgressText(const AppState& state, int renamed)
{
    return QString::number(renamed) + QLatin1Char(' ') + state.statusText(3);
}
