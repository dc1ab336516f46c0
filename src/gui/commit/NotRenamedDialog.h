#pragma once

#include "core/commit/CommitRenames.h"

#include <QDialog>

class Prompter;
struct AppState;
class PreviewList;
class QRadioButton;
class FailureTable;

// The report of the renames a take-changes run could not do: one numbered row per failure, and the
// choice whether the entries the run processed leave the preview list. The choice is remembered in the
// settings file whatever the user chose about remembering dialog settings, so it is offered again.
class NotRenamedDialog : public QDialog
{
    Q_OBJECT

public:
    static QString formName() { return QStringLiteral("frmNotRenamed"); }

    NotRenamedDialog(AppState& state, PreviewList& list, const CommitReport& report, QWidget* parent = nullptr);

    // What the main window calls after every take-changes run: tells the user once when the protocol
    // could not record the run, and shows the report when a rename failed. True when entries were
    // removed from the list (the caller then refreshes it).
    static bool showReport(AppState& state, Prompter& prompter, PreviewList& list, const CommitReport& report,
                           QWidget* parent);

    bool listChanged() const { return m_listChanged; }

    // OK: removes the processed entries when that was chosen, remembers the choice and closes.
    void accept() override;

private:
    void restoreOption();
    void saveOption();

    AppState& m_state;
    PreviewList& m_list;
    QStringList m_processedKeys; // the run's processed entries; never shown
    FailureTable* m_failures = nullptr;
    QRadioButton* m_remove = nullptr;
    QRadioButton* m_noAction = nullptr;
    bool m_listChanged = false;
    bool m_optionSaved = true; // the chosen option reached the settings file
};
