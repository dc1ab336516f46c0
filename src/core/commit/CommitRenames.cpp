#include "core/commit/CommitRenames.h"

#include "core/AppState.h"
#include "core/commit/BlockRenamer.h"
#include "core/commit/DirectoryNames.h"
#include "core/commit/FolderNameCheck.h"
#include "core/commit/NameConflicts.h"
#include "core/commit/PathPrefixIndex.h"
#include "core/commit/RenameBlock.h"
#include "core/commit/RenameFailure.h"
#include "core/commit/RenameJournal.h"
#include "core/commit/RenameProtocol.h"
#include "core/commit/SafeTakePlan.h"
#include "core/commit/SiblingRenamePlan.h"
#include "core/platform/ParallelRuns.h"
#include "core/platform/SharedText.h"
#include "core/platform/WorkerThread.h"
#include "core/preview/PreviewList.h"
#include "core/settings/Paths.h"

#include <QElapsedTimer>
#include <QHash>
#include <QSet>

#include <algorithm>
#include <memory>
#include <numeric>
#include <optional>
#include <utility>

namespace {

// Up to this many renames a run looks through the list for the entries below each renamed folder;
// beyond it, sorting the keys once pays for itself.
constexpr int kScanLimit = 16;
// While the list catches up with a block, it looks this often whether the block's renamer has finished.
constexpr size_t kLookEvery = 16;

// The rows of the list by the folder that holds them: a run of many renames finds the rows below each
// renamed folder there.
PathPrefixIndex RowsByFolder(const PreviewList& list)
{
    PathPrefixIndex index;
    for (int row = 0; row < list.size(); ++row)
        index.insert(list.entry(row).parentPath, row);
    return index;
}

// One run: renames entries and keeps the list in step with the disk. Views hear of the changes once, at
// the end; with many renames the list's key index is rebuilt once then instead of updated per key.
class Run
{
    // A block with the protocol lines it announces, and where it ends in the caller's rows.
    struct Slot
    {
        RenameBlock block;
        QList<QByteArray> lines;
        // What the record and the protocol get for the block, made while the block before runs: between
        // two blocks only the writes are left.
        QByteArray announcement;
        QByteArray protocolText; // should every rename happen
        size_t end = 0;
    };

public:
    // recordAlways: the run's record is kept even with the protocol off, for its temporary names.
    // index, when given, is RowsByFolder(list), worked out beforehand from the list as it stands.
    Run(AppState& state, PreviewList& list, int expectedRenames, bool recordAlways = false,
        std::optional<PathPrefixIndex> index = std::nullopt)
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
        if ((m_protocolOn || recordAlways) && expectedRenames > 0)
            m_journal.emplace(state.fs(), state.settingsFolder);
        if (expectedRenames > kScanLimit)
            m_index = index ? std::move(index) : RowsByFolder(list);
    }

    // Renames the changed entries at rows, in that order, block by block: the record and the protocol are
    // written once per block, and at least once a second. progress hears the running count.
    //
    // Two blocks are under way at a time. While one block's renames run, the list catches up with them and
    // the next block is planned as if all of them happen. When they did, the next block's renames start
    // at once, while the list still catches up; else the next block is planned again from what happened,
    // from the first rename that did not run. Its renames in other folders may have run on the second
    // thread all the same: those that did, or failed, are not taken again.
    void commitRows(const std::vector<int>& rows, const std::function<void(int renamed)>& progress)
    {
        Slot* running = &m_slots[0];
        Slot* following = &m_slots[1];
        std::unique_ptr<BlockRenamer> renamer; // of the running block
        size_t next = 0;
        // Where each failure found here stands in rows: a block whose renames ran on two threads can
        // tell of a failure before the renames before it are done.
        const qsizetype firstFailure = m_report.failures.size();
        std::vector<size_t> failurePositions;
        while (renamer || next < rows.size()) {
            if (!renamer) {
                planBlock(*running, rows, next, nullptr, RenameBlock::kFirstRenames);
                renamer = startBlock(*running, standingAsPlanned(running->block.renames()));
            }
            const std::vector<RenameBlock::Rename>& renames = running->block.renames();
            const bool planned = running->end < rows.size();
            if (planned)
                planBlock(*following, rows, running->end, &running->block, 2 * renames.size());
            std::unique_ptr<BlockRenamer> followingRenamer;
            // Once every rename of the running block is done, the next block starts, however far the list
            // has caught up: a rename that moves a folder with many rows below it keeps the list busy.
            const auto followOnWhenDone = [&](const BlockRenamer::Progress& p) {
                if (p.finished && planned && !followingRenamer && renamer->renamedAll()) {
                    renamer->finish();
                    settle(running->lines, {}, &running->protocolText);
                    followingRenamer = startBlock(*following, following->block.renames().size());
                }
            };
            size_t done = 0;
            size_t firstNotRun = renames.size();
            QList<QByteArray> happened;
            QList<QByteArray> notDone;
            std::vector<std::pair<size_t, FsResult>> failed;
            for (BlockRenamer::Progress p; !p.finished || done < p.ready;) {
                p = renamer->waitPast(done);
                followOnWhenDone(p);
                for (; done < p.ready; ++done) {
                    if (!followingRenamer && done % kLookEvery == 0)
                        followOnWhenDone(renamer->progress());
                    const RenameBlock::Rename& r = renames[done];
                    switch (renamer->outcome(done)) {
                    case BlockRenamer::Outcome::Renamed:
                        moveOn(r);
                        // Once the next block runs, this one's lines are settled already.
                        if (!r.line.isEmpty() && !followingRenamer)
                            happened.append(r.line);
                        if (progress)
                            progress(m_report.renamed);
                        break;
                    case BlockRenamer::Outcome::Failed:
                        failed.emplace_back(done, renamer->result(done));
                        if (!r.line.isEmpty())
                            notDone.append(r.line);
                        break;
                    case BlockRenamer::Outcome::Pending:
                    case BlockRenamer::Outcome::NotRun:
                        firstNotRun = std::min(firstNotRun, done);
                        if (!r.line.isEmpty())
                            notDone.append(r.line);
                        break;
                    }
                }
            }
            if (followingRenamer) {
                std::swap(running, following);
                renamer = std::move(followingRenamer);
                continue;
            }
            renamer->finish();
            renamer.reset();
            // The renamer has let go of the file system: the messages may look at it.
            for (const auto& [i, result] : failed) {
                failRename(renames[i], result);
                failurePositions.push_back(renames[i].position);
                // The block goes on from its first rename that did not run; one that failed after it is
                // not tried again.
                if (i > firstNotRun)
                    m_tried.insert(renames[i].row);
            }
            // A block cut short goes on from its first rename that did not run; its lines are taken back.
            for (size_t i = done; i < renames.size(); ++i) {
                firstNotRun = std::min(firstNotRun, i);
                if (!renames[i].line.isEmpty())
                    notDone.append(renames[i].line);
            }
            next = firstNotRun < renames.size() ? renames[firstNotRun].position : running->end;
            settle(happened, notDone);
        }
        inRowOrder(firstFailure, failurePositions);
    }

    // The first step of a cycle: the entry at row moves out of the way to tmpName in its folder. The
    // record learns the whole cycle first (steps), so a killed run can finish it.
    bool park(int row, const QString& tmpName, const QList<RenameJournal::CycleStep>& steps)
    {
        const FolderEntry& e = m_list.entry(row);
        const QString key = e.key();
        const QString oldPath = JoinedPath(e.parentPath, e.oldName, u"/");
        const QString tmpPath = JoinedPath(e.parentPath, tmpName, u"/");
        if (m_journal) {
            const QString stamp =
                m_protocolOn ? RenameProtocol::parseLine(m_protocol.line(e.parentPath, e.oldName, tmpName)).stamp
                             : QString();
            m_journal->announceCycle(stamp, e.parentPath, tmpName, e.oldName, steps);
        }
        const FsResult result = m_state.fs().renameFolder(oldPath, tmpPath);
        if (!result.ok()) {
            fail(key, RenameFailureMessage(m_state, result, oldPath, JoinedPath(e.parentPath, e.newName, u"/"),
                                           QStringLiteral("   ")));
            return false;
        }
        // The entry follows the folder to its temporary name; unpark still needs the one it had.
        m_parkedName = e.oldName;
        moveAlong(row, oldPath, tmpPath);
        return true;
    }

    // The last step of a cycle: the parked entry at row takes its new name. The protocol gets the net
    // rename. When that fails the folder goes back to its old name, or, where that is taken by now, stays
    // under the temporary name, which the protocol then records so the history can undo it.
    bool unpark(int row, const QString& tmpName)
    {
        const FolderEntry& e = m_list.entry(row);
        const QString key = e.key();
        const QString parent = e.parentPath;
        const QString oldName = m_parkedName;
        const QString newName = e.newName;
        const QString tmpPath = JoinedPath(parent, tmpName, u"/");
        const QString oldPath = JoinedPath(parent, oldName, u"/");
        const QString newPath = JoinedPath(parent, newName, u"/");
        const QByteArray line = m_protocolOn ? m_protocol.line(parent, oldName, newName) : QByteArray();
        announce(line);
        const FsResult result = m_state.fs().renameFolder(tmpPath, newPath);
        if (result.ok()) {
            settle({line}, {});
            m_list.markRenamed(row, newPath);
            moveEntriesBelow(tmpPath, newPath);
            ++m_report.renamed;
            return true;
        }
        settle({}, {line});
        const QString failure = RenameFailureMessage(m_state, result, oldPath, newPath, QStringLiteral("   "));
        if (m_state.fs().renameFolder(tmpPath, oldPath).ok()) {
            moveAlong(row, tmpPath, oldPath);
            fail(key, failure);
            return false;
        }
        const QByteArray parkedLine = m_protocolOn ? m_protocol.line(parent, oldName, tmpName) : QByteArray();
        announce(parkedLine);
        settle({parkedLine}, {});
        // The entry follows the folder; its proposal stays.
        m_list.setNewName(row, tmpName);
        m_list.markRenamed(row, tmpPath);
        m_list.setNewName(row, newName);
        fail(key,
             failure + QStringLiteral("   ") + m_state.message(QStringLiteral("msgConflictParked"), {Quoted(tmpPath)}));
        return false;
    }

    CommitReport& report() { return m_report; }

private:
    // Takes the changed entries from rows[first] on into the slot's block, as far as they may go together,
    // and notes where the block ends in rows. The renames of `before`, when given, run first.
    void planBlock(Slot& slot, const std::vector<int>& rows, size_t first, const RenameBlock* before,
                   size_t most = RenameBlock::kMaxRenames)
    {
        RenameBlock& block = slot.block;
        QList<QByteArray>& lines = slot.lines;
        block.clear();
        lines.clear();
        size_t at = first;
        for (; at < rows.size() && !block.full() && block.renames().size() < most; ++at) {
            const FolderEntry& e = m_list.entry(rows[at]);
            // Renamed or failed in a block that goes on from an earlier rename.
            if (!e.isChanged() || (!m_tried.isEmpty() && m_tried.contains(rows[at])))
                continue;
            RenameBlock::Place place = block.placeAfterRenames(e.parentPath, before);
            QString oldPath = JoinedPath(place.parentPath, e.oldName, u"/");
            QString newPath = JoinedPath(place.parentPath, e.newName, u"/");
            if (!block.accepts(oldPath, newPath))
                break;
            // A name that cannot be given fails without touching the disk: nothing to announce.
            const bool allowed = CheckFolderName(e.newName) == FolderNameProblem::None;
            QByteArray line;
            if (m_protocolOn && allowed) {
                line = m_protocol.line(place.parentPath, e.oldName, e.newName);
                lines.append(line);
            }
            block.add({rows[at], at, std::move(place.parentPath), std::move(oldPath), std::move(newPath),
                       std::move(line), place.after, allowed});
        }
        slot.end = at;
        slot.announcement = m_journal && m_protocolOn ? RenameJournal::announcement(lines) : QByteArray();
        slot.protocolText = m_protocolOn ? RenameProtocol::text(lines) : QByteArray();
    }

    // Announces the block's renames, then starts the first `count` of them.
    std::unique_ptr<BlockRenamer> startBlock(const Slot& slot, size_t count)
    {
        QElapsedTimer since;
        since.start();
        if (m_journal && m_protocolOn)
            m_journal->announceText(slot.announcement);
        return std::make_unique<BlockRenamer>(m_state.fs(), slot.block.renames(), count, since, m_renamers);
    }

    // How many renames from the first on find their folder where the plan expects it. One that waits for
    // a rename of its block cannot tell yet; the renamer sees to it.
    size_t standingAsPlanned(const std::vector<RenameBlock::Rename>& renames) const
    {
        for (size_t i = 0; i < renames.size(); ++i) {
            if (renames[i].after >= 0)
                continue;
            // The texts are mostly one shared text, which needs no comparing.
            const QString& parent = m_list.entry(renames[i].row).parentPath;
            const QString& planned = renames[i].parentPath;
            if (!IsSharedText(parent, planned) && parent != planned)
                return i;
        }
        return renames.size();
    }

    // The list follows a rename that happened.
    void moveOn(const RenameBlock::Rename& r)
    {
        const FolderEntry& e = m_list.entry(r.row);
        if (m_index && !e.hasKey(r.oldPath)) {
            // The new key is in the old path's folder; a key that did not match the entry's path may not be.
            m_index->erase(e.parentPath, r.row);
            m_index->insert(PathPrefixIndex::holdingFolder(r.newPath), r.row);
        }
        m_list.markRenamed(r.row, r.newPath);
        moveEntriesBelow(r.oldPath, r.newPath);
        ++m_report.renamed;
    }

    void failRename(const RenameBlock::Rename& r, const FsResult& result)
    {
        const FolderEntry& e = m_list.entry(r.row);
        if (!r.nameAllowed) {
            fail(e.key(), m_state.message(QStringLiteral("MsgText06"), {Quoted(r.oldPath), Quoted(r.newPath)}) +
                              QStringLiteral("   ") +
                              FolderNameProblemText(m_state, CheckFolderName(e.newName), e.newName));
            return;
        }
        fail(e.key(), RenameFailureMessage(m_state, result, r.oldPath, r.newPath, QStringLiteral("   ")));
    }

    // One rename outside the blocks: its line before it happens.
    void announce(const QByteArray& line)
    {
        if (m_journal && !line.isEmpty())
            m_journal->announce({line});
    }

    // After a block: the protocol gets the lines of the renames that happened (happenedText, when given,
    // is their text made beforehand), then the record learns which did not.
    void settle(const QList<QByteArray>& happened, const QList<QByteArray>& notDone,
                const QByteArray* happenedText = nullptr)
    {
        if (m_protocolOn && !happened.isEmpty() &&
            !(happenedText ? m_protocol.appendText(*happenedText) : m_protocol.append(happened)).ok()) {
            m_report.protocolFailed = true;
            m_report.unrecorded += static_cast<int>(happened.size());
        }
        if (m_journal && m_protocolOn && (!happened.isEmpty() || !notDone.isEmpty()))
            m_journal->settle(notDone);
    }

    // The entry at row and the ones below it now stand under another path in the same folder.
    void moveAlong(int row, const QString& from, const QString& to)
    {
        m_list.moveKeyUnder(row, from, to);
        moveEntriesBelow(from, to);
    }

    void fail(const QString& key, const QString& message) { m_report.failures.append({key, message}); }

    // The failures from `first` on, found at these positions in the rows, put in the order of the rows.
    void inRowOrder(qsizetype first, const std::vector<size_t>& positions)
    {
        if (std::is_sorted(positions.begin(), positions.end()))
            return;
        std::vector<size_t> order(positions.size());
        std::iota(order.begin(), order.end(), size_t(0));
        std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return positions[a] < positions[b]; });
        QList<CommitReport::Failure> sorted;
        for (size_t i : order)
            sorted.append(m_report.failures.at(first + static_cast<qsizetype>(i)));
        std::copy(sorted.cbegin(), sorted.cend(), m_report.failures.begin() + first);
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
    WorkerThread m_renamers[2]; // run the blocks' renames, one block after another
    QSet<int> m_tried;          // rows that failed after a rename that did not run, in the block before
    Slot m_slots[2];
    QString m_parkedName; // the name of the entry parked last, before it was parked
    CommitReport m_report;
};

// Only the not-renamed report wants the processed entries; a run without failures does not build a key
// for every one.
void noteProcessed(CommitReport& report, const PreviewList& list, const std::vector<int>& rows)
{
    if (report.failures.isEmpty())
        return;
    report.processedKeys.reserve(static_cast<qsizetype>(rows.size()));
    for (int row : rows)
        report.processedKeys.append(list.entry(row).key());
}

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
    run.commitRows(changed, progress);
    for (int i : changed)
        list.dropEarlierProposals(i);
    noteProcessed(run.report(), list, changed);
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
    run.commitRows(valid, {});
    // Every level in use takes the new name, so the entry has no earlier proposals to step back to.
    for (int row : valid)
        list.collapseHistory(row);
    return std::move(run.report());
}

CommitReport CommitRenamesSafely(AppState& state, PreviewList& list, const SafeTakeOptions& options)
{
    // The check against the disk (then the rows-by-folder index), and the caller's work alongside with the
    // order and the first folder's plan, only read the list: with a second core they are worked out side
    // by side. Each folder is planned before its own first rename; siblings are one folder, so a run of
    // them is planned wholly here. Both then hold a big folder's names in memory at once.
    std::vector<NameConflict> conflicts;
    std::vector<int> changed;
    std::optional<FolderPlan> firstPlan;
    std::optional<PathPrefixIndex> rowsByFolder;
    // Whoever waits for the check hears of it once, however the take ends.
    struct Verdict
    {
        const std::function<void(bool)>& hear;
        bool told = false;
        void tell(bool passed)
        {
            if (hear && !std::exchange(told, true))
                hear(passed);
        }
        ~Verdict() { tell(false); }
    } verdict{options.checked};
    {
        DirectoryNames fresh;
        DirectoryNames& names = options.names ? *options.names : fresh;
        const qint64 nowSecs = state.now().toSecsSinceEpoch();
        const auto check = [&] {
            conflicts = FindNameConflicts(list.entries(), state.fs(), names, nowSecs, options.namesChecked);
            verdict.tell(conflicts.empty());
            // The check mostly ends first: the index that a run of many renames keeps up comes from here then.
            const auto changedRows = std::count_if(list.entries().cbegin(), list.entries().cend(),
                                                   [](const FolderEntry& e) { return e.isChanged(); });
            if (conflicts.empty() && changedRows > kScanLimit)
                rowsByFolder = RowsByFolder(list);
        };
        const auto order = [&] {
            changed = SafeTakeOrder(list);
            if (!changed.empty())
                firstPlan = PlanFolder(list, changed, 0);
        };
        bool goOn = true; // as the caller's work alongside says
        const auto callersThenOrder = [&] {
            goOn = !options.alongside || options.alongside();
            if (goOn)
                order();
        };
        const bool sideBySide = state.fs().readsInParallel() && RunInTwoHalves(2, [&](size_t, size_t, int which) {
                                    which == 1 ? check() : callersThenOrder();
                                });
        if (!sideBySide) {
            goOn = !options.alongside || options.alongside();
            if (goOn)
                check();
            if (goOn && conflicts.empty())
                order();
        }
        // The renames below make every folder read stale, and a big folder's names take room.
        names.clear();
        if (!goOn)
            return {};
    }
    if (!conflicts.empty()) {
        CommitReport refused;
        refused.refusal = NameConflictsRefusal(state, list.entries(), conflicts);
        return refused;
    }
    if (options.ready && !options.ready())
        return {};

    Run run(state, list, static_cast<int>(changed.size()), true, std::move(rowsByFolder));
    // Plain renames wait here to go in blocks; a cycle's own steps go one at a time, after them.
    std::vector<int> direct;
    const auto renameWaiting = [&] {
        run.commitRows(direct, options.progress);
        direct.clear();
    };
    for (size_t first = 0; first < changed.size();) {
        const FolderPlan plan = first == 0 ? std::move(*firstPlan) : PlanFolder(list, changed, first);
        const std::vector<SiblingRename>& renames = plan.renames;
        const std::vector<SiblingStep>& steps = plan.steps;
        const size_t end = plan.end;
        QString tmpName;
        bool parked = false;
        for (size_t s = 0; s < steps.size(); ++s) {
            const SiblingStep& step = steps[s];
            const int row = changed[first + static_cast<size_t>(step.rename)];
            switch (step.kind) {
            case SiblingStep::Kind::Direct:
                direct.push_back(row);
                break;
            case SiblingStep::Kind::Park: {
                renameWaiting();
                // The folder's path as it stands now that the renames above it are done.
                const std::optional<QStringList> onDisk = state.fs().entryNames(list.entry(row).parentPath);
                const QStringList taken = onDisk.value_or(QStringList());
                tmpName = FreeTemporaryName(QSet<QString>(taken.begin(), taken.end()), renames);
                QList<RenameJournal::CycleStep> cycle;
                for (size_t t = s + 1; t < steps.size(); ++t) {
                    const SiblingRename& r = renames[static_cast<size_t>(steps[t].rename)];
                    const bool last = steps[t].kind == SiblingStep::Kind::Unpark;
                    cycle.append({last ? tmpName : r.from, r.to});
                    if (last)
                        break;
                }
                parked = run.park(row, tmpName, cycle);
                break;
            }
            case SiblingStep::Kind::Unpark:
                renameWaiting();
                if (parked && run.unpark(row, tmpName) && options.progress)
                    options.progress(run.report().renamed);
                break;
            }
        }
        first = end;
    }
    renameWaiting();
    std::sort(changed.begin(), changed.end());
    for (int i : changed)
        list.dropEarlierProposals(i);
    noteProcessed(run.report(), list, changed);
    return std::move(run.report());
}

QString CommitProgressText(const AppState& state, int renamed)
{
    return QString::number(renamed) + QLatin1Char(' ') + state.statusText(3);
}
