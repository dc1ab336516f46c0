#include "gui/platform/ShowHelpGuide.h"

#include "core/AppState.h"
#include "core/commit/RenameFailure.h"
#include "core/settings/HelpGuide.h"
#include "core/settings/ProgramNames.h"
#include "gui/platform/Prompter.h"

#include <QAbstractButton>
#include <QAction>
#include <QWidget>

void ShowHelpGuide(const AppState& state, Prompter& prompter, const QString& section)
{
    if (OpenHelpGuide(state, section))
        return;
    const QString path = HelpGuidePath(state);
    if (path.isEmpty())
        return; // no guide in this language: the help commands are disabled and say so
    prompter.tell(state.message(QStringLiteral("msgHelpNotOpened"), {Quoted(path)}), ProductName(),
                  Prompter::Icon::Information);
}

void ConnectHelp(QWidget* window, const AppState& state, Prompter& prompter)
{
    const auto help = [window, &state, &prompter] { ShowHelpGuide(state, prompter, window->objectName()); };
    auto* f1 = new QAction(window);
    f1->setShortcut(QKeySequence::HelpContents);
    window->addAction(f1);
    QObject::connect(f1, &QAction::triggered, window, help);
    if (auto* button = window->findChild<QAbstractButton*>(QStringLiteral("cmdHelp")))
        QObject::connect(button, &QAbstractButton::clicked, window, help);
}
