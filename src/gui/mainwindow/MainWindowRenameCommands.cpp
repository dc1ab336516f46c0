#include "gui/mainwindow/MainWindowRenameCommands.h"

#include "core/AppState.h"
#include "gui/mainwindow/MainWindow.h"
#include "gui/rename/EditManDialog.h"
#include "gui/rename/RenameDialogFactory.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>

namespace {

QString slotKey(int type)
{
    return QStringLiteral("Rename%1").arg(type, 2, 10, QLatin1Char('0'));
}

} // namespace

MainWindowRenameCommands::MainWindowRenameCommands(MainWindow& window)
    : m_window(window)
    , m_runDialog([](QDialog& dialog) { return dialog.exec(); })
{
    MainWindowUi& ui = window.ui();
    for (int type = 1; type <= 10; ++type) {
        const QString key = slotKey(type);
        for (QAction* command : {ui.action(QStringLiteral("mnu") + key), ui.mainButton(key)})
            QObject::connect(command, &QAction::triggered, &window, [this, type] { openRenameDialog(type); });
    }
    for (QAction* command : {ui.action(QStringLiteral("mnuEditMan")), ui.action(QStringLiteral("btnBarLeftEditMan")),
                             ui.leftButton(QStringLiteral("EditMan"))})
        QObject::connect(command, &QAction::triggered, &window, [this] { editManually(); });
}

RenameDialogHost MainWindowRenameCommands::hostFor(int type) const
{
    MainWindowUi& ui = m_window.ui();
    QLabel* status = ui.status;
    const QAction* item = ui.action(QStringLiteral("mnu") + slotKey(type));
    return RenameDialogHost{m_window.state(),
                            m_window.session(),
                            m_window.list(),
                            ui.lstApplyTo->currentIndex(),
                            ui.lstApplyTo->currentText(),
                            item ? item->text() : QString(),
                            [this] { m_window.refreshPreview(); },
                            [status](const QString& text) { status->setText(text); }};
}

bool MainWindowRenameCommands::openRenameDialog(int type)
{
    m_window.HideWorkColumns();
    const auto dialog = CreateRenameDialog(type, hostFor(type), &m_window);
    if (!dialog)
        return false;
    m_runDialog(*dialog);
    return true;
}

void MainWindowRenameCommands::editManually()
{
    m_window.HideWorkColumns();
    PreviewList& list = m_window.list();
    const int row = list.currentRow();
    if (row < 0 || row >= list.size())
        return;
    EditManDialog dialog(
        m_window.state(), list, row + 1, [this] { m_window.refreshPreview(); }, &m_window);
    m_runDialog(dialog);
}
