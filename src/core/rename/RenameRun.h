#pragma once

#include "core/AppState.h"
#include "core/preview/PreviewList.h"

#include <QLocale>
#include <QStringList>
#include <functional>
#include <type_traits>
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
    bool admits(int row) const { return everyEntry || ApplyTarget(selected[static_cast<size_t>(row)], applyTo); }

    // How many entries the function changes.
    int targetCount() const;

    // Shows "MsgStat06" for the entry with this 1-based number. Nothing repaints during a run, so only
    // the first, the last and every thousandth number are written.
    void progress(int number) const;

    // A preview run computes the names of the rows from first to last without writing any: the list
    // stays as it is, and previewNames() holds what the run would have proposed for those rows.
    void previewRows(int first, int last)
    {
        m_previewFirst = first;
        m_previewLast = last;
    }
    const QStringList& previewNames() const { return m_previewNames; }

    // Gives every admitted entry, in list order, the new name newName(entry) returns, showing progress;
    // views learn of the changes once at the end. A function whose names depend on the entries before
    // (numbering) takes newName(entry, k) instead, k counting the admitted entries from 0: a preview can
    // then start at the rows in view rather than at the top of the list.
    template <typename NewName> void renameEach(NewName newName)
    {
        constexpr bool counted = std::is_invocable_v<NewName, const FolderEntry&, int>;
        const auto nameOf = [&](int row, [[maybe_unused]] int k) {
            if constexpr (counted)
                return QString(newName(list.entry(row), k));
            else
                return QString(newName(list.entry(row)));
        };
        if (m_previewLast >= 0) {
            int k = 0;
            for (int row = 0; row < m_previewFirst && row < list.size(); ++row)
                k += admits(row) ? 1 : 0;
            for (int row = std::max(m_previewFirst, 0); row <= m_previewLast && row < list.size(); ++row)
                m_previewNames.append(admits(row) ? nameOf(row, k++) : list.entry(row).newName);
            return;
        }
        const PreviewList::BulkEdit bulk(list);
        const int total = list.size();
        int k = 0;
        for (int row = 0; row < total; ++row) {
            progress(row + 1);
            if (admits(row))
                list.setNewName(row, nameOf(row, k++));
        }
    }

    // Gives the one entry at row the name newName(entry), whatever the apply-to choice says (the example
    // entry of a function that works on a single name); a preview run only reports it.
    template <typename NewName> void renameRow(int row, NewName newName)
    {
        const int total = list.size();
        if (m_previewLast >= 0) {
            for (int r = std::max(m_previewFirst, 0); r <= m_previewLast && r < total; ++r)
                m_previewNames.append(r == row ? QString(newName(list.entry(r))) : list.entry(r).newName);
            return;
        }
        if (row >= 0 && row < total)
            list.setNewName(row, newName(list.entry(row)));
    }

    AppState& state;
    PreviewList& list;
    int applyTo;
    // Set by a function that looks at all entries together (renumbering): it changes every one of them.
    bool everyEntry = false;
    std::vector<bool> selected;
    StatusSink status;
    QLocale locale = QLocale::system();

private:
    int m_previewFirst = -1;
    int m_previewLast = -1;
    QStringList m_previewNames;
};
