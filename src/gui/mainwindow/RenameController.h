#pragma once

#include <QObject>
#include <QString>
#include <functional>

struct AppState;
class PreviewList;
class QComboBox;
class QDialog;
class QWidget;
struct WindowSession;

// The rename commands: the rename slots of the menu and the main bar open the dialog of their type
// number, modally; manual edit of the current entry from the menu, the left bar and the context menu.
class RenameController : public QObject
{
    Q_OBJECT

public:
    // How a modal dialog is run: exec() in the program; tests answer the dialog instead.
    using DialogRunner = std::function<int(QDialog&)>;

    // The apply-to selector says which entries a function changes; menu captions title the dialogs.
    RenameController(AppState& state, WindowSession& session, PreviewList& list, const QComboBox& applyTo,
                     std::function<QString(int type)> menuCaption, QWidget* dialogParent);

    // Opens the rename dialog of a type number (3 folder extension, 4 case, 5 prefix and suffix …) and
    // waits until it is closed; false when that dialog is not part of the program yet.
    bool openRenameDialog(int type);
    // Manual edit of the current entry.
    void editManually();

    void setDialogRunner(DialogRunner runner) { m_runDialog = std::move(runner); }

Q_SIGNALS:
    void statusText(const QString& text);
    // A dialog changed proposals: the preview is due.
    void listChanged();

private:
    AppState& m_state;
    WindowSession& m_session;
    PreviewList& m_list;
    const QComboBox& m_applyTo;
    std::function<QString(int type)> m_menuCaption;
    QWidget* m_dialogParent;
    DialogRunner m_runDialog;
};
