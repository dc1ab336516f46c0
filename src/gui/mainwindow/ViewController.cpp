#include "gui/mainwindow/ViewController.h"

#include "core/AppState.h"
#include "core/settings/ProjectPage.h"
#include "gui/mainwindow/MainWindowUi.h"
#include "gui/mainwindow/PreviewTableView.h"
#include "gui/mainwindow/WindowSession.h"
#include "gui/platform/Prompter.h"
#include "gui/platform/ShowHelpGuide.h"
#include "gui/settings/AboutDialog.h"
#include "gui/settings/OptionsDialog.h"

#include <QAction>
#include <QDesktopServices>
#include <QToolBar>
#include <QUrl>

ViewController::ViewController(AppState& state, WindowSession& session, MainWindowUi& ui)
    : m_state(state)
    , m_session(session)
    , m_ui(ui)
    , m_runDialog([](QDialog& dialog) { return dialog.exec(); })
{}

void ViewController::showMainBar(bool shown)
{
    m_ui.menuItem(CommandId::ShowMainBar)->setChecked(shown);
    m_ui.btnBarMain->setVisible(shown);
}

void ViewController::showScriptBar(bool shown)
{
    m_ui.menuItem(CommandId::ShowScriptBar)->setChecked(shown);
    m_ui.btnbarScript->setVisible(shown);
}

void ViewController::askForExpertMode()
{
    if (m_state.settings.flag(Settings::Key::ExpertMode))
        return;
    const QString question = m_state.message(QStringLiteral("MsgText33")) + QStringLiteral("\n\n") +
                             m_state.message(QStringLiteral("MsgText34"));
    const Prompter::Button answer =
        m_session.prompter.ask(question, m_state.message(QStringLiteral("msgCapAttention")),
                               Prompter::Yes | Prompter::No, Prompter::Icon::Question, Prompter::No);
    if (answer != Prompter::Yes)
        return;
    m_state.settings.setFlag(Settings::Key::ExpertMode, true);
    Q_EMIT expertModeChanged();
}

void ViewController::openHelp()
{
    ShowHelpGuide(m_state, m_session.prompter);
}

void ViewController::openOptions()
{
    OptionsDialog dialog(m_state, m_session.prompter, OptionsDialog::Mode::Options, m_ui.lstVorschau->window());
    if (m_runDialog(dialog) == QDialog::Accepted)
        Q_EMIT optionsChanged();
}

void ViewController::showAbout()
{
    AboutDialog dialog(m_state, m_session.prompter, m_ui.lstVorschau->window());
    m_runDialog(dialog);
}

void ViewController::openProjectPage()
{
    QDesktopServices::openUrl(QUrl(ProjectWebPage()));
}
