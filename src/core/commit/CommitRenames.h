#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

struct AppState;
class PreviewList;

// What one take-changes run did: the failures for the not-renamed report (in order, numbered from 1 when
// shown), the keys of the entries a whole-list run processed (renamed or failed), and the count of renames.
struct CommitReport
{
    struct Failure
    {
        QString key;     // the entry's key when its rename failed
        QString message; // the report text, paths in double quotes
    };
    QList<Failure> failures;
    // Keys as they stand at the end of the run: an entry renamed early keeps being found even when a
    // folder above it was renamed later in the same run.
    QStringList processedKeys;
    int renamed = 0;
    // The protocol is switched on but a rename could not be recorded (the file could not be opened or
    // written); renaming went on regardless. unrecorded counts the renames that miss their line.
    bool protocolFailed = false;
    int unrecorded = 0;
};

// Renames the changed entries on disk, strictly in list order: all entries (row = kAllEntries) or the one
// entry at a 0-based row. Keys, old names and history follow each success, entries below a renamed folder
// get their paths rewritten, and each success is appended to the protocol when it is switched on.
// progress (optional) receives the running count of renames of a whole-list run. The caller refreshes
// the list afterwards.
inline constexpr int kAllEntries = -1;
CommitReport CommitRenames(AppState& state, PreviewList& list, int row,
                           const std::function<void(int renamed)>& progress = {});

// The one-entry run for several entries in one go, in the order given, as if each were called on its
// own; for removing many entries with their changes, where one call per entry would look through the
// whole list each time.
CommitReport CommitRenames(AppState& state, PreviewList& list, const std::vector<int>& rows);

// The status text while renaming: the running count, a blank and the renaming label.
QString CommitProgressText(const AppState& state, int renamed);
