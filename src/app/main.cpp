#include "app/AppState.h"
#include "app/FolderEntry.h"
#include "app/MainWindow.h"
#include "app/MessageDialogPrompter.h"
#include "app/StartOptions.h"
#include "platform/PosixFileSystem.h"
#include "platform/SystemClock.h"
#include "settings/GlobalInit.h"
#include "settings/LanguageChooserDialog.h"
#include "settings/Paths.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QLocale>
#include <cstdio>

namespace {

// Folders named on the command line join the list, each with its own name as proposal.
void loadNamedFolders(MainWindow& window, const QStringList& arguments)
{
    AppState& state = window.state();
    PreviewList& list = window.list();
    const int levels = list.isEmpty() ? 0 : state.undoLevels;
    for (const QString& argument : arguments) {
        if (!state.fs().folderExists(argument))
            continue;
        const QString path = StripTrailingSeparator(state.fs().absolutePath(argument));
        if (state.fs().isRoot(path))
            continue;
        const QFileInfo info(path);
        FolderEntry e;
        e.key = EnsureTrailingSeparator(path);
        e.col[FolderEntry::ColParentPath] = EnsureTrailingSeparator(info.path());
        e.col[FolderEntry::ColOldName] = info.fileName();
        e.col[FolderEntry::ColNewName] = info.fileName();
        const auto times = state.fs().folderTimes(path);
        const QString format = QStringLiteral("yyyy-MM-dd hh:mm:ss");
        const QString unknown = QStringLiteral("1980-01-01 00:00:00");
        e.col[FolderEntry::ColCreated] = times && times->created.isValid() ? times->created.toString(format) : unknown;
        e.col[FolderEntry::ColModified] = times ? times->lastWrite.toString(format) : unknown;
        const qint64 bytes = state.fs().scanFolder(path).fileBytes;
        e.col[FolderEntry::ColSize] = QLocale::system().toString(bytes);
        e.sizeTag = QStringLiteral("%1").arg(bytes, 12, 10, QLatin1Char('0'));
        for (int level = 0; level <= levels; ++level)
            e.history(level) = e.oldName();
        list.append(std::move(e));
    }
    window.refreshPreview();
}

} // namespace

int main(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    if (const auto text = StartupExitText(arguments)) {
        std::fputs(text->toLocal8Bit().constData(), stdout);
        return 0;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Dirwright"));
    QApplication::setOrganizationName(QStringLiteral("Pellacorn"));
    // Desktops without an icon theme of their own still get the freedesktop icons where installed.
    QIcon::setFallbackThemeName(QStringLiteral("Adwaita"));

    AppState state;
    state.fileSystem = std::make_unique<PosixFileSystem>();
    auto prompter = std::make_unique<MessageDialogPrompter>();
    MessageDialogPrompter* dialogs = prompter.get();
    state.prompter = std::move(prompter);
    state.clock = std::make_unique<SystemClock>();
    state.saveDialogSettings = false;
    state.protocolRenames = false;

    const LanguageChooser chooser = [](const AppState&, const QStringList& files) {
        return LanguageChooserDialog::choose(files);
    };
    if (!InitialiseApplication(state, ProgramFolderFor(QCoreApplication::applicationDirPath()), chooser))
        return 1;

    MainWindow window(state);
    dialogs->setParentWindow(&window);
    window.loadHandler();
    loadNamedFolders(window, arguments);
    return QApplication::exec();
}
