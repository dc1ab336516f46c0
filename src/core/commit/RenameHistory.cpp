#include "core/commit/RenameHistory.h"

#include "core/AppState.h"
#include "core/commit/PathPrefixIndex.h"
#include "core/commit/RenameFailure.h"
#include "core/commit/SiblingRenamePlan.h"
#include "core/preview/RowPermutation.h"
#include "core/settings/TextCodec.h"

#include <QSet>

#include <algorithm>
#include <numeric>

RenameHistory::RenameHistory(QObject* parent)
    : QAbstractTableModel(parent)
{}

int RenameHistory::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : size();
}

int RenameHistory::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString RenameHistory::text(int r, int column) const
{
    const RenameProtocol::Line& line = row(r).line;
    switch (column) {
    case ColStamp:
        return displayStamp(line.stamp);
    case ColParentPath:
        return line.parentPath;
    case ColOldName:
        return line.oldName;
    case ColNewName:
        return line.newName;
    default:
        return {};
    }
}

QVariant RenameHistory::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= size() || index.column() >= ColumnCount)
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return text(index.row(), index.column());
    case Qt::UserRole:
        return row(index.row()).line.stamp;
    case Qt::ForegroundRole:
        return row(index.row()).present ? kPresentColour : kMissingColour;
    default:
        return {};
    }
}

QVariant RenameHistory::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return section < m_headers.size() ? m_headers.at(section) : QString();
}

bool RenameHistory::setHeaderData(int section, Qt::Orientation orientation, const QVariant& value, int role)
{
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount ||
        (role != Qt::EditRole && role != Qt::DisplayRole))
        return false;
    while (m_headers.size() < ColumnCount)
        m_headers.append(QString());
    m_headers[section] = value.toString();
    Q_EMIT headerDataChanged(orientation, section, section);
    return true;
}

void RenameHistory::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= ColumnCount)
        return;
    Q_EMIT layoutAboutToBeChanged();
    std::vector<int> permutation(m_rows.size());
    std::iota(permutation.begin(), permutation.end(), 0);
    std::vector<QString> keys(m_rows.size());
    for (int r = 0; r < size(); ++r)
        keys[static_cast<size_t>(r)] = text(r, column);
    std::stable_sort(permutation.begin(), permutation.end(), [&](int a, int b) {
        const QString& x = keys[static_cast<size_t>(a)];
        const QString& y = keys[static_cast<size_t>(b)];
        int c = QString::compare(x, y, Qt::CaseInsensitive);
        if (c == 0)
            c = QString::compare(x, y, Qt::CaseSensitive);
        return order == Qt::AscendingOrder ? c < 0 : c > 0;
    });
    const std::vector<int> newRowOf = PermuteRows(m_rows, permutation);
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& index : before)
        after.append(index.isValid() ? this->index(newRowOf[static_cast<size_t>(index.row())], index.column())
                                     : QModelIndex());
    changePersistentIndexList(before, after);
    Q_EMIT layoutChanged();
}

void RenameHistory::LoadHistory(const AppState& state)
{
    beginResetModel();
    m_rows.clear();
    const QList<RenameProtocol::Line> lines = RenameProtocol::read(state.fs(), state.settingsFolder);
    m_rows.reserve(static_cast<size_t>(lines.size()));
    m_loaded.clear();
    for (const RenameProtocol::Line& line : lines) {
        m_loaded.append(line.stored);
        Row r{line, false};
        r.present = line.usable && state.fs().folderExists(line.parentPath + line.newName + QLatin1Char('/'));
        m_rows.push_back(std::move(r));
    }
    endResetModel();
}

bool RenameHistory::writeHistoryData(const AppState& state)
{
    QList<RenameProtocol::Line> lines;
    lines.reserve(size());
    for (const Row& r : m_rows)
        lines.append(r.line);
    if (!RenameProtocol::rewrite(state.fs(), state.settingsFolder, m_loaded, lines).ok())
        return false;
    m_loaded.clear();
    for (Row& r : m_rows) {
        if (r.line.edited) {
            r.line.stored = RenameProtocol::encodeLine(r.line.stamp, r.line.parentPath, r.line.oldName, r.line.newName);
            r.line.edited = false;
        }
        m_loaded.append(r.line.stored);
    }
    return true;
}

QStringList RenameHistory::UndoHistoryRenames(AppState& state, const std::vector<bool>& selected)
{
    std::vector<int> order;
    for (int r = 0; r < size(); ++r) {
        if (static_cast<size_t>(r) < selected.size() && selected[static_cast<size_t>(r)])
            order.push_back(r);
    }
    return undo(state, order, true, QStringLiteral("\n\n"), nullptr);
}

QStringList RenameHistory::undoRows(AppState& state, const std::vector<int>& order, const QString& separator,
                                    QList<RenameProtocol::Line>* undoneLines)
{
    return undo(state, order, false, separator, undoneLines);
}

QStringList RenameHistory::undo(AppState& state, const std::vector<int>& order, bool onlyPresent,
                                const QString& separator, QList<RenameProtocol::Line>* undoneLines)
{
    QStringList failures;
    const int n = size();
    // Rows by parent path, so that undoing a folder finds the rows below it without a walk over all.
    PathPrefixIndex parents;
    for (int r = 0; r < n; ++r) {
        if (row(r).line.usable)
            parents.insert(row(r).line.parentPath, r);
    }
    std::vector<bool> undone(m_rows.size(), false);
    const auto currentOf = [&](int r) { return row(r).line.parentPath + row(r).line.newName + QLatin1Char('/'); };
    const auto targetOf = [&](int r) { return row(r).line.parentPath + row(r).line.oldName + QLatin1Char('/'); };
    // A folder moved on disk: the rows below it follow. The rows stay in the index: those undone are
    // dropped below, so moving their paths along does no harm.
    const auto moved = [&](const QString& from, const QString& to) {
        for (int below : parents.movePrefix(from, to)) {
            RenameProtocol::Line& line = m_rows[static_cast<size_t>(below)].line;
            line.parentPath.replace(0, from.size(), to);
            line.edited = true;
        }
        m_undone.push_back({from, to});
    };
    const auto done = [&](int r) {
        undone[static_cast<size_t>(r)] = true;
        if (undoneLines)
            undoneLines->append(row(r).line);
    };
    const auto undoOne = [&](int r) {
        const RenameProtocol::Line& line = row(r).line;
        const QString current = currentOf(r);
        const QString target = targetOf(r);
        if (!line.usable) {
            failures.append(
                state.message(QStringLiteral("msgHistoryLineUnusable"), {Quoted(TextCodec::decodeLine(line.stored))}));
            return;
        }
        if (onlyPresent && !row(r).present) {
            failures.append(state.message(QStringLiteral("MsgText36"), {Quoted(current), Quoted(target)}));
            return;
        }
        const FsResult result = state.fs().renameFolder(current, target);
        if (!result.ok()) {
            failures.append(RenameFailureMessage(state, result, current, target, separator));
            return;
        }
        moved(current, target);
        done(r);
    };
    const auto valid = [&](int r) { return r >= 0 && r < n && !undone[static_cast<size_t>(r)]; };
    for (size_t i = 0; i < order.size(); ++i) {
        if (!valid(order[i]))
            continue;
        // A swap or ring taken at once stands as consecutive lines of one folder; undone one by one, each
        // would find its old name taken. Such a group is undone as a whole, through a temporary name.
        std::vector<int> group{order[i]};
        for (size_t j = i + 1;
             j < order.size() && valid(order[j]) && row(order[j]).line.parentPath == row(order[i]).line.parentPath; ++j)
            group.push_back(order[j]);
        if (group.size() == 1 || !undoCycle(state, group, onlyPresent, separator, failures, moved, done)) {
            for (int r : group)
                undoOne(r);
        }
        i += group.size() - 1;
    }
    if (std::find(undone.begin(), undone.end(), true) != undone.end()) {
        beginResetModel();
        std::vector<Row> kept;
        kept.reserve(m_rows.size());
        for (size_t r = 0; r < m_rows.size(); ++r) {
            if (!undone[r])
                kept.push_back(std::move(m_rows[r]));
        }
        m_rows = std::move(kept);
        endResetModel();
    }
    if (!writeHistoryData(state))
        failures.append(state.message(QStringLiteral("msgHistoryNotSaved"),
                                      {Quoted(state.settingsFolder + RenameProtocol::fileName())}));
    return failures;
}

bool RenameHistory::undoCycle(AppState& state, const std::vector<int>& group, bool onlyPresent,
                              const QString& separator, QStringList& failures,
                              const std::function<void(const QString&, const QString&)>& moved,
                              const std::function<void(int)>& done)
{
    const QString parent = row(group.front()).line.parentPath;
    std::vector<SiblingRename> renames;
    QSet<QString> froms;
    QSet<QString> tos;
    for (int r : group) {
        const Row& rw = row(r);
        if (!rw.line.usable || (onlyPresent && !rw.present))
            return false;
        renames.push_back({rw.line.newName, rw.line.oldName});
        froms.insert(rw.line.newName);
        tos.insert(rw.line.oldName);
    }
    // Only renames that hold at once, with a cycle among them, need this; everything else goes line by line.
    if (froms.size() != static_cast<qsizetype>(group.size()) || tos.size() != static_cast<qsizetype>(group.size()) ||
        !HasRenameCycle(renames))
        return false;
    for (const SiblingRename& r : renames) {
        if (!state.fs().folderExists(parent + r.from + QLatin1Char('/')))
            return false;
    }
    const QStringList onDisk = state.fs().entryNames(parent).value_or(QStringList());
    const QString tmp = FreeTemporaryName(QSet<QString>(onDisk.begin(), onDisk.end()), renames);
    const auto path = [&](const QString& name) { return parent + name + QLatin1Char('/'); };
    const auto failed = [&](const FsResult& result, const SiblingRename& r) {
        failures.append(RenameFailureMessage(state, result, path(r.from), path(r.to), separator));
    };
    bool parked = false;
    for (const SiblingStep& step : PlanSiblingRenames(renames)) {
        const SiblingRename& r = renames[static_cast<size_t>(step.rename)];
        const int rowNo = group[static_cast<size_t>(step.rename)];
        const QString from = step.kind == SiblingStep::Kind::Unpark ? tmp : r.from;
        const QString to = step.kind == SiblingStep::Kind::Park ? tmp : r.to;
        if (step.kind == SiblingStep::Kind::Unpark && !parked)
            continue;
        const FsResult result = state.fs().renameFolder(path(from), path(to));
        if (result.ok()) {
            moved(path(from), path(to));
            if (step.kind == SiblingStep::Kind::Park)
                parked = true;
            else
                done(rowNo);
            continue;
        }
        failed(result, r);
        // A broken cycle: the parked folder goes back to where it was, when it can.
        if (step.kind == SiblingStep::Kind::Unpark) {
            if (state.fs().renameFolder(path(tmp), path(r.from)).ok())
                moved(path(tmp), path(r.from));
            else
                failures.append(state.message(QStringLiteral("msgConflictParked"), {Quoted(path(tmp))}));
        }
    }
    return true;
}

bool RenameHistory::deleteHistory(const AppState& state)
{
    beginResetModel();
    m_rows.clear();
    endResetModel();
    return writeHistoryData(state);
}

QString RenameHistory::displayStamp(const QString& stamp)
{
    return stamp.mid(0, 4) + QLatin1Char('-') + stamp.mid(4, 2) + QLatin1Char('-') + stamp.mid(6, 2) +
           QStringLiteral(", ") + stamp.mid(8, 2) + QLatin1Char(':') + stamp.mid(10, 2) + QLatin1Char(':') +
           stamp.mid(12, 2);
}
