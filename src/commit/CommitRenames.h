#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

struct AppState;
class PreviewList;

// What one take-changes run did: the failures for the not-renamed report (in order, numbered from 1 when
// shown), the keys of the entries a whole-list run processed (renamed or failed), and the count of renames.
struct CommitReport
{
    struct Failure
    {
        QString key;     // the entry's key before the run
        QString message; // the report text, paths in double quotes
    };
    QList<Failure> failures;
    QStringList processedKeys;
    int renamed = 0;
    // The protocol file could not be opened or written; renaming went on without it.
    bool protocolFailed = false;
};

// Renames the changed entries on disk, strictly in list order: all entries (row = kAllEntries) or the one
// entry at a 0-based row. Keys, old names and history follow each success, entries below a renamed folder
// get their paths rewritten, and each success is appended to the protocol when it is switched on.
// progress (optional) receives the running count of renames of a whole-list run.
inline constexpr int kAllEntries = -1;
CommitReport CommitRenames(AppState& state, PreviewList& list, int row,
                           const std::function<void(int renamed)>& progress = {});
