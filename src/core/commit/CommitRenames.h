#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

struct AppState;
class DirectoryNames;
class PreviewList;

// What one take-changes run did: the failures for the not-renamed report (in order, numbered from 1 when
// shown), the keys of the entries a whole-list run with failures processed (renamed or failed), and the
// count of renames.
struct CommitReport
{
    struct Failure
    {
        QString key;     // the entry's key when its rename failed
        QString message; // the report text, paths in double quotes
    };
    QList<Failure> failures;
    // Keys as they stand at the end of the run: an entry renamed early keeps being found even when a
    // folder above it was renamed later in the same run. Only a run with failures lists them, for the
    // report that offers to remove them.
    QStringList processedKeys;
    int renamed = 0;
    // The protocol is switched on but a rename could not be recorded (the file could not be opened or
    // written); renaming went on regardless. unrecorded counts the renames that miss their line.
    bool protocolFailed = false;
    int unrecorded = 0;
    // The safe take did not start: why, naming the first conflicts. Nothing was renamed.
    QString refusal;
};

// Renames the changed entries on disk as if one after another in list order: all entries (row =
// kAllEntries) or the one entry at a 0-based row. Renames in different folders that cannot change what
// the others find may run at once. Keys, old names and history follow each success, entries below a
// renamed folder get their paths rewritten, and each success is appended to the protocol when it is
// switched on. progress (optional) receives the running count of renames of a whole-list run. The caller
// refreshes the list afterwards.
inline constexpr int kAllEntries = -1;
CommitReport CommitRenames(AppState& state, PreviewList& list, int row,
                           const std::function<void(int renamed)>& progress = {});

// The one-entry run for several entries in one go, in the order given, as if each were called on its
// own; for removing many entries with their changes, where one call per entry would look through the
// whole list each time.
CommitReport CommitRenames(AppState& state, PreviewList& list, const std::vector<int>& rows);

// How a safe take reports and what it may rely on.
struct SafeTakeOptions
{
    std::function<void(int renamed)> progress; // the running count of renames
    // Where the conflict check reads the folders (one that may have read them ahead); else a fresh read.
    DirectoryNames* names = nullptr;
    // Called once the check passed, before the take changes the list or touches the disk; until then the
    // list is only read, and it must not change: the take's order and plans are made already. When it
    // says false, the take ends there and renames nothing.
    std::function<bool()> ready;
    // Work of the caller's that only reads the list, done on this thread while the other core checks
    // against the disk (with one core, before the check), ahead of the take's own order. When it says
    // false, the take ends there and renames nothing.
    std::function<bool()> alongside;
    // Told once, on the thread that checks, as soon as the check against the disk has ended: whether it
    // passed. A take that ends before or without the check tells false.
    std::function<void(bool passed)> checked;
    // The caller has found (or finds alongside) every proposed name one a folder can have and no two
    // entries' proposed paths alike (FindNameClashes): the check looks at the disk only.
    bool namesChecked = false;
};

// The safe take: every changed entry, in an order that works whatever the list order. It refuses to start
// while a proposal conflicts (see FindNameConflicts). Parents are renamed before their children; in each
// folder chains run from their free end and each cycle goes through a temporary name there. The protocol
// gets the net renames only; the run's record covers the temporary names, so a killed run is finished at
// the next start. Otherwise as the whole-list run of CommitRenames.
CommitReport CommitRenamesSafely(AppState& state, PreviewList& list, const SafeTakeOptions& options = {});

// The status text while renaming: the running count, a blank and the renaming label.
QString CommitProgressText(const AppState& state, int renamed);
