#pragma once

#include "core/rename/RenameRun.h"

#include <QDialog>
#include <QString>
#include <QStringList>
#include <functional>

struct AppState;
struct WindowSession;
class PreviewList;
class QPushButton;
class QVBoxLayout;

// What a rename dialog needs from the window that opens it: the list and the state, the apply-to choice
// (index and text) and the caption of the menu entry that opened it (the dialog's title is made of both),
// the refresh to run after each Apply, and where progress texts go.
struct RenameDialogHost
{
    AppState& state;
    WindowSession& window;
    PreviewList& list;
    int applyTo = 0;
    QString applyToText;
    QString menuCaption;
    std::function<void()> refreshPreview;
    RenameRun::StatusSink status;
};

// The frame every rename dialog shares. On load it takes its texts from the language file (its title from
// the menu entry that opened it and the apply-to choice), gives its standard buttons pictures and tool
// tips, takes the user's dialog colours, and restores its fields: from the current script step while a
// script runs, else from its settings section when dialog settings are kept. It opens with the focus on
// its first input field, so typing and Enter act on what the user sees; while a script runs, its caption says so and OK
// has the focus; in run-all mode OK is pressed at once, and when the fields are refused the dialog closes as
// cancelled, having said why. Any change of a field is announced by changed(), so the window can preview it.
//
// Apply stores the fields (settings kept and no script running), appends a script step (recording), runs
// the function over the apply-to entries and refreshes the preview; the dialog stays open, so Apply can
// be pressed again on the names the last run produced. OK is Apply and close; Cancel closes, keeping
// what was applied. F1 and Help open the guide.
//
// A subclass builds its controls into contentLayout(), calls load() at the end of its constructor, and
// runs its function from the values of its fields through its Params, the same way a script step does.
class RenameDialog : public QDialog
{
    Q_OBJECT

public:
    // The dialog is named after its function's form (the rename step table knows it).
    RenameDialog(int type, RenameDialogHost host, QWidget* parent = nullptr);

    // The type number of the function in scripts (3 folder extension, 4 case, 5 prefix and suffix …).
    int type() const { return m_type; }

    // False when the dialog refused its fields: nothing ran.
    bool apply();
    void ok();

    // Whether a run-all script pressed OK and the dialog refused the step's values.
    bool refusedScriptStep() const { return m_refusedScriptStep; }

    // The names Apply would give the rows from first to last now, from the same values, parameters and
    // routine; the list itself is not touched.
    QStringList proposedNames(int first, int last);

Q_SIGNALS:
    // A field changed its value.
    void changed();
    // Apply ran: the names it gave are the list's own now.
    void applied();

protected:
    AppState& state() { return m_host.state; }
    const PreviewList& list() const { return m_host.list; }
    WindowSession& window() { return m_host.window; }
    QVBoxLayout* contentLayout() const { return m_content; }

    void load();

    // Whether the dialog keeps its values in the settings file; one whose proposals come from the names in
    // the list (renumbering) only records script steps.
    virtual bool keepsSettings() const { return true; }
    // Runs the function for the live preview: by default from the values of the fields, as a script step.
    virtual void runPreview(RenameRun& run);

    // Hooks of load: after the texts are on the controls, and after the fields are restored.
    virtual void textsApplied() {}
    virtual void valuesRestored() {}
    // Writes cleaned values back into fields whose input the function tidies (the Params normalisation).
    virtual void prepareFields() {}
    // Whether the function may run with the fields as they are over the run's entries; a dialog that
    // refuses tells the user why. A refused Apply stores and records nothing.
    virtual bool acceptsRun(const RenameRun& run)
    {
        Q_UNUSED(run);
        return true;
    }
    // Tells that a number field holds no usable number (named by its label), puts the focus on it and
    // returns false; true for an empty key.
    bool acceptNumberField(const QString& key, int minimum, int maximum);
    // An information message of the [Messages] section (with "MsgCap05", "Input missing", unless another
    // caption is named), then the focus on the field with that name; returns false.
    bool refuseInput(const QString& messageKey, const QString& field, const QStringList& args = {},
                     const QString& captionKey = QStringLiteral("MsgCap05"));
    // Runs the function with the parameters read from the fields.
    virtual void runFunction(RenameRun& run) = 0;

    void showEvent(QShowEvent* event) override;

private:
    void activate();
    void pressOkUnattended();
    QPushButton* addButton(const char* name);
    QWidget* firstInputField() const;

    RenameDialogHost m_host;
    int m_type;
    bool m_activated = false;
    bool m_refusedScriptStep = false;
    QVBoxLayout* m_content = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_apply = nullptr;
    QPushButton* m_cancel = nullptr;
    QPushButton* m_help = nullptr;
};
