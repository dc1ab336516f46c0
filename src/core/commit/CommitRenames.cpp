#include "core/commit/CommitRenames.h"

#include "core/AppState.h"
#include "core/commit/FolderNameCheck.h"
#include "core/commit/PathPrefixIndex.h"
#include "core/commit/RenameFailure.h"
#include "core/commit/RenameJournal.h"
#include "core/commit/RenameProtocol.h"
#include "core/preview/PreviewList.h"

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

// One run: renames entries and keeps the list in step with the disk. Views hear of the changes once, at
// the end; with many renames the list's key index is rebuilt once then instead of updated per key.
class Run
{
public:
    Run(AppState& state, PreviewList& list, int expectedRenames)
        : m_state(state)
        , m_list(list)
        , m_bulk(list, expectedRenames > kScanLimit)
        , m_protocol(state.fs(), state.settingsFolder, state.now())
        , m_protocolOn(state.settings.flag(Settings::Key::ProtocolRenames))
    {
        // The file is created even with the protocol off, so the history always finds one.
        if (!m_protocol.open().ok() && m_protocolOn)
            m_report.protocolFailed = true;
        // Announcing each rename first keeps the protocol complete when the run is killed half-way.
        if (m_protocolOn && expectedRenames > 0)
            m_journal.emplace(state.fs(), state.settingsFolder);
        if (expectedRenames > kScanLimit)
            buildIndex();
    }

    // Renames the entry at row when it is changed; true when it was renamed.
    bool commit(int row)
    {
        const FolderEntry& e = m_list.entry(row);
        const QString parent = e.parentPath;
        const QString oldName = e.oldName;
        const QString newName = e.newName;
        const QString oldPath = joined(parent, oldName, u"/");
        const QString newPath = joined(parent, newName, u"/");

        if (const FolderNameProblem problem = CheckFolderName(newName); problem != FolderNameProblem::None) {
            fail(e.key, m_state.message(QStringLiteral("MsgText06"), {Quoted(oldPath), Quoted(newPath)}) +
                            QStringLiteral("   ") + FolderNameProblemText(m_state, problem, newName));
            return false;
        }
        const QByteArray line = m_protocolOn ? m_protocol.line(parent, oldName, newName) : QByteArray();
        if (m_journal)
            m_journal->announce(line);
        const FsResult result = m_state.fs().renameFolder(oldPath, newPath);
        if (!result.ok()) {
            if (m_journal)
                m_journal->failed();
            fail(e.key, RenameFailureMessage(m_state, result, oldPath, newPath, QStringLiteral("   ")));
            return false;
        }
        if (m_protocolOn && !m_protocol.append(line).ok()) {
            m_report.protocolFailed = true;
            ++m_report.unrecorded;
        }

        if (m_index && e.key != oldPath) {
            // The new key is in the old path's folder; a key that did not match the entry's path may not be.
            m_index->erase(PathPrefixIndex::holdingFolder(e.key), row);
            m_index->insert(PathPrefixIndex::holdingFolder(newPath), row);
        }
        m_list.markRenamed(row, newPath);
        moveEntriesBelow(oldPath, newPath);
        ++m_report.renamed;
        return true;
    }

    CommitReport& report() { return m_report; }

private:
    void fail(const QString& key, const QString& message) { m_report.failures.append({key, message}); }

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
            for (int row : m_index->movePrefix(oldPath, newPath))
                m_list.moveKeyUnder(row, oldPath, newPath);
            return;
        }
        for (int row = 0; row < m_list.size(); ++row)
            m_list.moveKeyUnder(row, oldPath, newPath);
    }

    AppState& m_state;
    PreviewList& m_list;
    const PreviewList::BulkEdit m_bulk;
    RenameProtocol m_protocol;
    const bool m_protocolOn; // "protren": every rename is written to the history
    std::optional<RenameJournal> m_journal;
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
        list.dropEarlierProposals(i);
    }
    QStringList& processed = run.report().processedKeys;
    processed.reserve(static_cast<qsizetype>(changed.size()));
    for (int i : changed)
        processed.append(list.entry(i).key);
    return std::move(run.report());
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
        // Every level in use takes the new name, so the entry has no earlier proposals to step back to.
        list.collapseHistory(row);
    }
    return std::move(run.report());
}

QString CommitProgressText(const AppState& state, int renamed)
{
    return QString::number(renamed) + QLatin1Char(' ') + state.statusText(3);
}
