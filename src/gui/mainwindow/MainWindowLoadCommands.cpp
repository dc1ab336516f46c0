#include "gui/mainwindow/MainWindowLoadCommands.h"

#include "core/AppState.h"
#include "gui/load/OpenDialog.h"
#include "gui/mainwindow/MainWindow.h"
#include "gui/mainwindow/PreviewTableView.h"
#include "gui/platform/Prompter.h"
#include "gui/platform/PropertySheet.h"
#include "gui/settings/SaveSettings.h"

#include <QAction>
#include <QLabel>

MainWindowLoadCommands::MainWindowLoadCommands(MainWindow& window)
    : m_window(window)
    , m_loader(window.state(), window.list())
{
    MainWindowUi& ui = window.ui();
    m_loader.onStatusText = [&ui](const QString& text) { ui.status->setText(text); };
    m_loader.onCancelEnabled = [&window](bool enabled) { window.setLoadingFolders(enabled); };
    m_loader.onRefresh = [&window] { window.refreshPreview(); };

    for (QAction* open : {ui.action(QStringLiteral("mnuOpenFile")), ui.mainButton(QStringLiteral("OpenFile"))})
        QObject::connect(open, &QAction::triggered, &window, [this] { openFolders(); });
    QObject::connect(ui.action(QStringLiteral("mnuOpenFromList")), &QAction::triggered, &window,
                     [this] { openFromListFile(); });
    for (QAction* properties :
         {ui.action(QStringLiteral("btnBarLeftProperties")), ui.leftButton(QStringLiteral("Properties"))})
        QObject::connect(properties, &QAction::triggered, &window, [this] { showProperties(); });
    ui.lstVorschau->setShellDropHandler([this](const QStringList& paths) { m_loader.DropFolders(paths); });
}

void MainWindowLoadCommands::openFolders()
{
    m_window.HideWorkColumns();
    OpenDialog dialog(m_window.state(), m_window.prompter(), &m_window);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_loader.lstOpen = dialog.pendingPaths();
    m_loader.LoadPendingFolders();
}

void MainWindowLoadCommands::openFromListFile()
{
    AppState& state = m_window.state();
    const QStringList files = m_window.prompter().openFiles(QString(), state.settings.text(Settings::Key::LastPath),
                                                            FolderLoader::listFileFilter(), true);
    if (files.isEmpty())
        return;
    m_loader.OpenFromListFile(files);
    SaveSettings(state, m_window.prompter());
}

void MainWindowLoadCommands::showProperties()
{
    const int row = m_window.list().currentRow();
    if (row < 0)
        return;
    PropertySheet::show(m_window.list().entry(row).currentPath(), m_window.state(), &m_window);
}
