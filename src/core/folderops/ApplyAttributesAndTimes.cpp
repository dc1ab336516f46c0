#include "core/folderops/ApplyAttributesAndTimes.h"

#include "core/AppState.h"
#include "core/commit/RenameFailure.h"
#include "core/preview/PreviewList.h"
#include "core/settings/Paths.h"

#include <optional>

namespace {

using Params = AttributesParams;
using Source = Params::Source;

constexpr FolderTimeKind kKinds[3] = {FolderTimeKind::Created, FolderTimeKind::LastWrite, FolderTimeKind::LastAccess};

QDateTime timeOf(const FolderTimes& times, int kind)
{
    return kind == Params::Created ? times.created : kind == Params::Modified ? times.lastWrite : times.lastAccess;
}

QDateTime timeOf(const FileInfo& file, int kind)
{
    return kind == Params::Created ? file.created : kind == Params::Modified ? file.lastWrite : file.lastAccess;
}

// The earliest or latest of the valid times; nothing when there is none.
class Extreme
{
public:
    explicit Extreme(bool latest)
        : m_latest(latest)
    {}
    void add(const QDateTime& time)
    {
        if (time.isValid() && (!m_best || (m_latest ? time > *m_best : time < *m_best)))
            m_best = time;
    }
    std::optional<QDateTime> value() const { return m_best; }

private:
    bool m_latest;
    std::optional<QDateTime> m_best;
};

// One folder: its own times as read at the start, the list of files and subfolders read when a request
// first needs them.
class FolderRun
{
public:
    FolderRun(const AppState& state, const QString& path, const FolderTimes& own)
        : m_state(state)
        , m_path(path)
        , m_own(own)
    {}

    // The time a request asks for, before its offset; invalid when the source has none.
    QDateTime sourceTime(const Params::TimeRequest& request, int kind)
    {
        switch (request.source) {
        case Source::Explicit:
            return request.date;
        case Source::OwnCreated:
            return m_own.created;
        case Source::OwnModified:
            return m_own.lastWrite;
        case Source::OwnAccessed:
            return m_own.lastAccess;
        case Source::FilesEarliest:
        case Source::FilesLatest: {
            Extreme extreme(request.source == Source::FilesLatest);
            for (const FileInfo& file : files())
                extreme.add(timeOf(file, kind));
            return extreme.value().value_or(timeOf(m_own, kind));
        }
        case Source::SubfoldersEarliest:
        case Source::SubfoldersLatest: {
            Extreme extreme(request.source == Source::SubfoldersLatest);
            for (const FolderTimes& sub : subfolders())
                extreme.add(timeOf(sub, kind));
            return extreme.value().value_or(timeOf(m_own, kind));
        }
        }
        return {};
    }

private:
    const QList<FileInfo>& files()
    {
        if (!m_files)
            m_files = m_state.fs().listFiles(m_path);
        return *m_files;
    }
    const QList<FolderTimes>& subfolders()
    {
        if (!m_subfolders) {
            m_subfolders.emplace();
            for (const SubfolderInfo& sub : m_state.fs().listSubfolders(m_path)) {
                if (const std::optional<FolderTimes> times = m_state.fs().folderTimes(sub.pathIn(m_path)))
                    m_subfolders->append(*times);
            }
        }
        return *m_subfolders;
    }

    const AppState& m_state;
    QString m_path;
    FolderTimes m_own;
    std::optional<QList<FileInfo>> m_files;
    std::optional<QList<FolderTimes>> m_subfolders;
};

int changedBits(int bits, Params::Choice choice, int bit)
{
    if (choice == Params::Choice::Set)
        return bits | bit;
    if (choice == Params::Choice::Clear)
        return bits & ~bit;
    return bits;
}

const char* notSetKey(int kind)
{
    return kind == Params::Modified ? "msgModifiedNotSet" : "msgAccessedNotSet";
}

// Why the file system refused a change: the folder went meanwhile, or the system's own words, after the
// program's text for the kind where it has one. The generic text stands only where the system gave none.
QString refusalReason(const AppState& state, const FsResult& result)
{
    if (result.kind == FsResult::Kind::NotFound)
        return state.message(QStringLiteral("msgFolderGone"));
    if (result.systemText.isEmpty())
        return state.message(QStringLiteral("msgChangeRefused"));
    if (result.kind == FsResult::Kind::Access)
        return state.message(QStringLiteral("msgFileAccess")) + QStringLiteral(" (") + result.systemText +
               QLatin1Char(')');
    return state.message(QStringLiteral("msgSystemText")) + QLatin1Char(' ') + result.systemText;
}

} // namespace

FolderChangeReport ApplyAttributesAndTimes(const AppState& state, const PreviewList& list, int applyTo,
                                           const AttributesParams& params)
{
    FileSystem& fs = state.fs();
    FolderChangeReport report;
    const std::vector<bool> selected = list.selectedRows();
    const bool attributes = params.readOnly != Params::Choice::Leave || params.hidden != Params::Choice::Leave;
    for (int row = 0; row < list.size(); ++row) {
        if (!ApplyTarget(selected[static_cast<size_t>(row)], applyTo))
            continue;
        const QString path = StripTrailingSeparator(list.entry(row).key());
        const auto fail = [&](const QString& key, const QStringList& more = {}) {
            report.failures.append({path, state.message(key, QStringList{Quoted(path)} + more)});
        };
        ++report.folders;
        // Read before anything of the folder changes: these are the own times of every request.
        const std::optional<FolderTimes> own = fs.folderTimes(path);
        if (!own) {
            fail(QStringLiteral("msgFolderUnreadable"));
            continue;
        }

        if (attributes) {
            const int old = fs.attributes(path);
            int bits = changedBits(changedBits(old, params.readOnly, AttrReadOnly), params.hidden, AttrHidden);
            // A name that begins with a dot is hidden by its name: nothing can show it.
            if (params.hidden == Params::Choice::Clear && list.entry(row).oldName.startsWith(QLatin1Char('.'))) {
                fail(QStringLiteral("msgDotNameHidden"));
                bits |= AttrHidden;
            }
            if (old < 0) {
                fail(QStringLiteral("msgFolderUnreadable"));
            } else if (bits != old) {
                if (const FsResult result = fs.setAttributes(path, bits); !result.ok())
                    fail(QStringLiteral("msgAttributesNotSet"), {refusalReason(state, result)});
            }
        }

        FolderRun run(state, path, *own);
        for (int kind = Params::Created; kind <= Params::Accessed; ++kind) {
            const Params::TimeRequest& request = params.times[static_cast<size_t>(kind)];
            // A time this system cannot set (the creation time on Linux) is skipped quietly: the dialog
            // offers no such request, and a script that has one still runs.
            if (!request.enabled || !fs.canSetTime(kKinds[kind]))
                continue;
            QDateTime time = run.sourceTime(request, kind);
            if (!time.isValid()) {
                fail(QStringLiteral("msgSourceTimeUnknown"));
                continue;
            }
            if (request.source != Source::Explicit)
                time = ApplyOffset(time, request.offset);
            // Whole seconds.
            time = time.addMSecs(-time.time().msec());
            if (const FsResult result = fs.setFolderTime(path, kKinds[kind], time); !result.ok())
                fail(QLatin1String(notSetKey(kind)), {refusalReason(state, result)});
        }
    }
    return report;
}
