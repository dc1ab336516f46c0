#include "gui/mainwindow/MainWindowViewCommands.h"

#include "core/AppState.h"
#include "core/settings/HelpGuide.h"
#include "gui/mainwindow/MainWindow.h"
#include "gui/mainwindow/MainWindowLoadCommands.h"
#include "gui/platform/Prompter.h"

#include <QAction>
#include <QMenu>
#include <QToolBar>

MainWindowViewCommands::MainWindowViewCommands(MainWindow& window)
    : m_window(window)
{
    MainWindowUi& ui = window.ui();
    QObject::connect(ui.action(QStringLiteral("mnuShowBtnBarMain")), &QAction::triggered, &window,
                     [this](bool checked) { showMainBar(checked); });
    QObject::connect(ui.action(QStringLiteral("mnuShowBtnBarScript")), &QAction::triggered, &window,
                     [this](bool checked) { showScriptBar(checked); });
    // Opening the experts menu is the command: the question comes before the menu shows.
    QObject::connect(ui.menu(QStringLiteral("mnuExperts")), &QMenu::aboutToShow, &window,
                     [this] { askForExpertMode(); });
    QObject::connect(ui.action(QStringLiteral("mnuHelpContent")), &QAction::triggered, &window, [this] { openHelp(); });
    QObject::connect(ui.action(QStringLiteral("mnuEnd")), &QAction::triggered, &window, &QWidget::close);
    QObject::connect(ui.leftButton(QStringLiteral("CancelAction")), &QAction::triggered, &window,
                     [this] { m_window.loadCommands().loader().requestCancel(); });
}

void MainWindowViewCommands::showMainBar(bool shown)
{
    m_window.ui().action(QStringLiteral("mnuShowBtnBarMain"))->setChecked(shown);
    m_window.ui().btnBarMain->setVisible(shown);
}

void MainWindowViewCommands::showScriptBar(bool shown)
{
    m_window.ui().action(QStringLiteral("mnuShowBtnBarScript"))->setChecked(shown);
    m_window.ui().btnbarScript->setVisible(shown);
}

void MainWindowViewCommands::askForExpertMode()
{
    AppState& state = m_window.state();
    if (state.expertMode)
        return;
    const QString question = state.message(QStringLiteral("MsgText33")) + QStringLiteral("\n\n") +
                             state.message(QStringLiteral("MsgText34"));
    const Prompter::Button answer =
        m_window.prompter().ask(question, state.message(QStringLiteral("msgCapAttention")),
                                Prompter::Yes | Prompter::No, Prompter::Icon::Question, Prompter::No);
    if (answer != Prompter::Yes)
        return;
    state.expertMode = true;
    m_window.applyExpertMode();
}

void MainWindowViewCommands::openHelp()
{
    OpenHelpGuide(m_window.state());
}

void MainWindowViewCommands::applyTexts()
{
    // The guide is shipped per language; without it the help command says it is not there yet.
    QAction* help = m_window.ui().action(QStringLiteral("mnuHelpContent"));
    const bool present = !HelpGuidePath(m_window.state()).isEmpty();
    help->setEnabled(present);
    help->setToolTip(present ? QString() : m_window.notAvailableText(help->text().remove(QLatin1Char('&'))));
}
