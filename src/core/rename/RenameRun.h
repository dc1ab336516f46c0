#pragma once

#include "core/AppState.h"
#include "core/preview/PreviewList.h"

#include <QLocale>
#include <functional>
#include <vector>

// What every rename function works with during one run: the preview list, which of its entries the
// apply-to selector admits (from a snapshot of the selection taken when the run starts, so the rule cannot
// shift while names change), the application state with its services, the locale for month names, and
// where progress texts for the main window's status panel go.
class RenameRun
{
public:
    using StatusSink = std::function<void(const QString&)>;

    RenameRun(AppState& state, PreviewList& list, int applyTo, StatusSink status = {});

    // Whether the function changes the entry in this row.
    bool admits(int row) const { return ApplyTarget(selected[static_cast<size_t>(row)], applyTo); }

    // How many entries the function changes.
    int targetCount() const;

    // Shows "MsgStat06" for the entry with this 1-based number. Nothing repaints during a run, so only
    // the first, the last and every thousandth number are written.
    void progress(int number) const;

    // Gives every admitted entry, in list order, the new name newName(entry) returns, showing progress;
    // views learn of the changes once at the end.
    template <typename NewName> void renameEach(NewName newName)
    {
        const PreviewList::BulkEdit bulk(list);
        const int total = list.size();
        for (int row = 0; row < total; ++row) {
            progress(row + 1);
            if (admits(row))
                list.setNewName(row, newName(list.entry(row)));
        }
    }

    AppState& state;
    PreviewList& list;
    int applyTo;
    std::vector<bool> selected;
    StatusSink status;
    QLocale locale = QLocale::system();
};
