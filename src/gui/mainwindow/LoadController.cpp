#include "gui/mainwindow/LoadController.h"

#include "core/AppState.h"
#include "core/commit/RenameFailure.h"
#include "core/platform/FileReadProblem.h"
#include "core/preview/PreviewList.h"
#include "gui/load/OpenDialog.h"
#include "gui/mainwindow/WindowSession.h"
#include "gui/platform/Prompter.h"
#include "gui/platform/PropertySheet.h"
#include "gui/settings/SaveSettings.h"

LoadController::LoadController(AppState& state, WindowSession& session, PreviewList& list, QWidget* dialogParent)
    : m_state(state)
    , m_session(session)
    , m_list(list)
    , m_dialogParent(dialogParent)
    , m_loader(state, list)
{
    m_loader.onStatusText = [this](const QString& text) { Q_EMIT statusText(text); };
    m_loader.onLoadingChanged = [this](bool loading) {
        m_loading = loading;
        Q_EMIT loadingChanged(loading);
    };
    m_loader.onRefresh = [this] { Q_EMIT listChanged(); };
    m_loader.serveIntervalMs = 100;
}

void LoadController::openFolders()
{
    OpenDialog dialog(m_state, m_session.prompter, m_dialogParent);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_loader.lstOpen = dialog.pendingPaths();
    m_loader.LoadPendingFolders();
    reportLoad(dialog.filteredOut());
}

void LoadController::openFromListFile()
{
    const QStringList files = m_session.prompter.openFiles(QString(), m_state.settings.text(Settings::Key::LastPath),
                                                           FolderLoader::listFileFilter(), true);
    if (files.isEmpty())
        return;
    const QList<FolderLoader::UnreadableFile> unreadable = m_loader.OpenFromListFile(files);
    for (const FolderLoader::UnreadableFile& file : unreadable) {
        m_session.prompter.tell(m_state.message(QStringLiteral("msgListUnreadable"),
                                                {Quoted(file.path), FileReadProblemText(m_state, file.result)}),
                                m_state.message(QStringLiteral("msgCapAttention")), Prompter::Icon::Warning);
    }
    reportLoad(0);
    SaveSettings(m_state, m_session.prompter);
}

void LoadController::dropFolders(const QStringList& paths)
{
    m_loader.DropFolders(paths);
    reportLoad(0);
}

void LoadController::reportLoad(int filteredOut)
{
    // After the refresh, whose counts it replaces until the next one: what became of the paths given.
    const FolderLoader::Report& report = m_loader.lastReport();
    Q_EMIT statusText(m_state.message(QStringLiteral("msgLoadReport"),
                                      {QString::number(report.added), QString::number(report.alreadyListed),
                                       QString::number(report.missing), QString::number(filteredOut)}));
}

void LoadController::showProperties()
{
    const int row = m_list.currentRow();
    if (row < 0)
        return;
    PropertySheet::show(m_list.entry(row).currentPath(), m_state, m_dialogParent);
}

void LoadController::cancel()
{
    m_loader.requestCancel();
}
