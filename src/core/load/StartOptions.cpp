#include "core/load/StartOptions.h"

std::optional<QString> StartupExitText(const QStringList& arguments)
{
    for (const QString& argument : arguments) {
        if (argument == QLatin1String("--version") || argument == QLatin1String("-v"))
            return QStringLiteral("Dirwright " DIRWRIGHT_VERSION_TEXT "\n");
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            return QStringLiteral(
                "Usage: dirwright [FOLDER | LISTFILE]... [/openfromfile=FILE] [/runscript=SCRIPT]\n"
                "       dirwright --batch (--script SCRIPT | --structure TEXT)... [OPTION]... [PATH]...\n"
                "\n"
                "Dirwright renames folders in batches: gather folders in the preview list,\n"
                "propose new names with the rename functions, then take the changes.\n"
                "\n"
                "  FOLDER               add the folder to the preview list\n"
                "  LISTFILE             add the folders named in a list file (.m3u, .pls, text)\n"
                "  /openfromfile=FILE   add the folders named in FILE\n"
                "  /openfromfile        choose list files to load when the window opens\n"
                "  /runscript=SCRIPT    run a saved script on the loaded folders\n"
                "  --batch ...          rename without a window (must come first);\n"
                "                       see dirwright --batch --help\n"
                "  --guide[=SECTION]    open the user guide (for example --guide=batch) and exit\n"
                "  --help, -h           show this help and exit\n"
                "  --version, -v        show the version and exit\n");
        }
    }
    return std::nullopt;
}

std::optional<QString> GuideRequest(const QStringList& arguments)
{
    static const QLatin1String option("--guide");
    for (const QString& argument : arguments) {
        if (argument == option)
            return QString();
        if (argument.startsWith(option + QLatin1Char('=')))
            return argument.mid(option.size() + 1);
    }
    return std::nullopt;
}
