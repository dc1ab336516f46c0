#include "cli/BatchOptions.h"
#include "cli/BatchRun.h"
#include "core/AppState.h"
#include "core/load/CommandLine.h"
#include "core/load/StartOptions.h"
#include "core/platform/FileNames.h"
#include "core/platform/PosixFileSystem.h"
#include "core/platform/SystemClock.h"
#include "core/settings/GlobalInit.h"
#include "core/settings/HelpGuide.h"
#include "core/settings/ProgramNames.h"
#include "gui/mainwindow/LoadController.h"
#include "gui/mainwindow/MainWindow.h"
#include "gui/mainwindow/ScriptController.h"
#include "gui/platform/MessageBoxPrompter.h"
#include "gui/settings/OptionsDialog.h"
#include "gui/settings/WindowStart.h"

#include <QApplication>
#include <QIcon>
#include <QTimer>
#include <cstdio>
#ifdef __GLIBC__
#include <malloc.h>
#endif

int main(int argc, char** argv)
{
#ifdef __GLIBC__
    // Large blocks (a list's rows, a big folder's names, sort keys) come from the system and go back to it
    // when freed. Left to itself, glibc raises this bound each time such a block is freed, and the next
    // ones of that size stay in the heap as holes: a sort or a walk over a million folders left over a
    // hundred megabytes there.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
#endif
    // A run without a window never creates the GUI application, so it needs no display.
    if (argc > 1 && FileNames::decode(argv[1]) == BatchOptions::batchOption()) {
        QCoreApplication app(argc, argv);
        return BatchMain(ArgumentsFromArgv(argc, argv).mid(1), QCoreApplication::applicationDirPath());
    }

    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    if (const auto text = StartupExitText(arguments)) {
        std::fputs(text->toLocal8Bit().constData(), stdout);
        return 0;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(ProductName());
    QApplication::setOrganizationName(MakerName());
    // Desktops without an icon theme of their own still get the freedesktop icons where installed.
    QIcon::setFallbackThemeName(QStringLiteral("Adwaita"));

    AppState state;
    state.services.fileSystem = std::make_unique<PosixFileSystem>();
    MessageBoxPrompter dialogs;
    state.services.clock = std::make_unique<SystemClock>();

    if (!InitialiseWindowApplication(
            state, dialogs, ProgramFolderFor(QCoreApplication::applicationDirPath()),
            [&](const QStringList& files) { return OptionsDialog::chooseAtStart(state, dialogs, files); }))
        return 1;

    if (const std::optional<QString> section = GuideRequest(arguments))
        return OpenHelpGuide(state, *section) ? 0 : 1;

    MainWindow window(state, dialogs);
    dialogs.setParentWidget(&window);
    window.loadHandler();
    // Scripts run all their steps once every folder of the command line is in the list, from the event
    // loop, so that their dialogs open over the shown window.
    const QStringList programArguments = ArgumentsFromArgv(argc, argv);
    QStringList scripts;
    HandleArguments(programArguments, state, window.loadController().loader(),
                    [&scripts](const QString& path) { scripts.append(path); });
    window.scriptController().runScriptsLater(scripts);
    if (WantsListFileChoice(programArguments))
        QTimer::singleShot(0, &window.loadController(), &LoadController::openFromListFile);
    return QApplication::exec();
}
