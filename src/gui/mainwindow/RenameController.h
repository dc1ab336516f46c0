#pragma once

#include "core/preview/CommandId.h"
#include "gui/rename/RenameDialog.h"

#include <QObject>
#include <QString>
#include <functional>

struct AppState;
class PreviewList;
class QComboBox;
class QDialog;
class QTableView;
class QWidget;
struct WindowSession;
enum class StepEnd;

// The rename commands: the rename slots of the menu and the main bar open the dialog of their type
// number, modally, with a live preview in the list; manual edit of the current entry from the menu, the
// left bar and the context menu, and of any entry in place in the list.
class RenameController : public QObject
{
    Q_OBJECT

public:
    // How a modal dialog is run: exec() in the program; tests answer the dialog instead.
    using DialogRunner = std::function<int(QDialog&)>;

    // The apply-to selector says which entries a function changes; menu captions (by command) title the dialogs; the
    // view shows the live preview.
    RenameController(AppState& state, WindowSession& session, PreviewList& list, const QComboBox& applyTo,
                     std::function<QString(CommandId)> menuCaption, QTableView& view, QWidget* dialogParent);

    // Opens the rename dialog of a type number (3 folder extension, 4 case, 5 prefix and suffix …) and
    // waits until it is closed; false when that dialog is not part of the program yet.
    bool openRenameDialog(int type);
    // Opens the name structures: the library, its editor, and applying a structure of it.
    void openStructureDialog();
    // The same, saying how the dialog was closed: what a step of a running script needs (the session
    // names the script, its run mode and the step).
    StepEnd runRenameDialog(int type);
    // Manual edit of the current entry.
    void editManually();
    // New names for the listed folders from a delimited file.
    void newNamesFromFile();
    // A new name typed in place in the list: taken as the manual edit takes it.
    void takeTypedName(int row, const QString& typed);

    void setDialogRunner(DialogRunner runner) { m_runDialog = std::move(runner); }

Q_SIGNALS:
    void statusText(const QString& text);
    // A dialog changed proposals: the preview is due.
    void listChanged();

private:
    // What a dialog opened from the menu entry of that caption needs of the window.
    RenameDialogHost dialogHost(const QString& menuCaption);

    AppState& m_state;
    WindowSession& m_session;
    PreviewList& m_list;
    const QComboBox& m_applyTo;
    std::function<QString(CommandId)> m_menuCaption;
    QTableView& m_view;
    QWidget* m_dialogParent;
    DialogRunner m_runDialog;
};
