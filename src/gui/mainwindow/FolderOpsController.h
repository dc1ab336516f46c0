#pragma once

#include "core/folderops/FolderTransfer.h"

#include <QObject>
#include <functional>
#include <vector>

struct AppState;
class FolderLoader;
class PreviewList;
class QComboBox;
class QDialog;
class QWidget;
class TransferProgressDialog;
struct WindowSession;

// The operations on the listed folders besides renaming: copying and moving them into a folder, deleting
// them to the trash or for good, creating subfolders in the selected ones, and exporting the list to
// the clipboard. Work on disk runs with a progress window; the list follows when it has ended.
class FolderOpsController : public QObject
{
    Q_OBJECT

public:
    // How a modal dialog is run: exec() in the program; tests answer the dialog instead. The progress
    // window of a transfer is run the same way (its run() in the program).
    using DialogRunner = std::function<int(QDialog&)>;
    using TransferRunner = std::function<TransferReport(TransferProgressDialog&)>;

    FolderOpsController(AppState& state, WindowSession& session, PreviewList& list, const QComboBox& applyTo,
                        FolderLoader& loader, QWidget* dialogParent);

    void copyFolders() { copyOrMove(false); }
    void moveFolders() { copyOrMove(true); }
    void DeleteFolders(bool toTrash);
    void CreateSubFolders();
    void ExportList();

    void setDialogRunner(DialogRunner runner) { m_runDialog = std::move(runner); }
    void setTransferRunner(TransferRunner runner) { m_runTransfer = std::move(runner); }

Q_SIGNALS:
    // Entries changed, were added or removed: the preview is due.
    void listChanged();

private:
    void copyOrMove(bool moving);
    TransferReport transfer(TransferMode mode, std::vector<TransferItem> items);
    // Tells which folders failed and why, in one message.
    void reportFailures(const std::vector<TransferItem>& items, const TransferReport& report);

    AppState& m_state;
    WindowSession& m_session;
    PreviewList& m_list;
    const QComboBox& m_applyTo;
    FolderLoader& m_loader;
    QWidget* m_dialogParent;
    DialogRunner m_runDialog;
    TransferRunner m_runTransfer;
};
