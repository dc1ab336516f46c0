#pragma once

#include "core/folderops/TimeOffset.h"

#include <QDateTime>
#include <QString>
#include <array>

// What the attributes dialog (or a batch run) asks of every folder it acts on.
struct AttributesParams
{
    // One per attribute: the option buttons 1 to 3.
    enum class Choice { Leave = 1, Set = 2, Clear = 3 };

    // Where a requested time comes from: the entries of the time's source list, in their order.
    enum class Source {
        Explicit,   // the date and time picked, taken as it stands (no offset)
        OwnCreated, // the folder's own times, read before anything is changed
        OwnModified,
        OwnAccessed,
        FilesEarliest, // of the kind being set, among the files directly in the folder
        FilesLatest,
        SubfoldersEarliest, // the same among its direct subfolders
        SubfoldersLatest,
    };
    static constexpr int kSourceCount = 8;

    struct TimeRequest
    {
        bool enabled = false; // an unrequested time is left as it is
        Source source = Source::Explicit;
        QDateTime date; // the explicit date, local time
        QString offset = TimeOffset::zeroText();
    };

    // Indexes of the times: creation, modification (last write), last access.
    enum TimeIndex { Created, Modified, Accessed };

    Choice readOnly = Choice::Leave;
    Choice hidden = Choice::Leave;
    Choice archive = Choice::Leave; // no such bit here: never acted on
    std::array<TimeRequest, 3> times;

    bool requestsTimes() const { return times[0].enabled || times[1].enabled || times[2].enabled; }
};
