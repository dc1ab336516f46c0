#include "core/load/CommandLine.h"

#include "core/AppState.h"
#include "core/load/FolderLoader.h"
#include "core/platform/FileNames.h"

#include <algorithm>

namespace {

const QLatin1String kOpenFromFile("/openfromfile=");
const QLatin1String kRunScript("/runscript=");

// The value of "<option>=<value>" without its double quotes; nothing when the argument is another one or
// has no value.
std::optional<QString> optionValue(const QString& argument, QLatin1String option)
{
    if (argument.size() <= option.size() || !argument.startsWith(option, Qt::CaseInsensitive))
        return std::nullopt;
    QString value = argument.mid(option.size());
    value.remove(QLatin1Char('"'));
    return value;
}

} // namespace

QStringList SplitCommandLine(const QString& text)
{
    const QChar blank = QLatin1Char(' ');
    const QChar quote = QLatin1Char('"');
    const qsizetype n = text.size();
    // End of the run of non-blanks starting at from.
    const auto nextBlank = [&](qsizetype from) {
        const qsizetype at = text.indexOf(blank, from);
        return at < 0 ? n : at;
    };

    QStringList arguments;
    qsizetype pos = 0;
    while (pos < n) {
        const QChar c = text.at(pos);
        if (c == blank) {
            ++pos;
        } else if (c == quote) {
            const qsizetype close = text.indexOf(quote, pos + 1);
            const qsizetype end = close >= 0 ? close : nextBlank(pos + 1);
            arguments.append(text.mid(pos + 1, end - pos - 1));
            pos = close >= 0 ? close + 1 : end;
        } else {
            qsizetype end = nextBlank(pos);
            const qsizetype innerQuote = text.indexOf(quote, pos);
            if (innerQuote >= 0 && innerQuote < end) {
                const qsizetype close = text.indexOf(quote, innerQuote + 1);
                if (close >= 0)
                    end = close + 1;
            }
            arguments.append(text.mid(pos, end - pos));
            pos = end;
        }
    }
    return arguments;
}

QStringList ArgumentsFromArgv(int argc, const char* const* argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(FileNames::decode(argv[i]));
    return arguments;
}

bool WantsListFileChoice(const QStringList& arguments)
{
    return std::any_of(arguments.cbegin(), arguments.cend(), [](const QString& argument) {
        QString bare = argument;
        bare.remove(QLatin1Char('"'));
        return bare.compare(kOpenFromFile, Qt::CaseInsensitive) == 0 ||
               bare.compare(kOpenFromFile.chopped(1), Qt::CaseInsensitive) == 0;
    });
}

void HandleArguments(const QStringList& arguments, AppState& state, FolderLoader& loader,
                     const std::function<void(const QString& scriptPath)>& runScript)
{
    const FileSystem& fs = state.fs();
    for (const QString& argument : arguments) {
        if (fs.folderExists(argument) || fs.fileExists(argument)) {
            loader.AddFolder(argument);
        } else if (const std::optional<QString> list = optionValue(argument, kOpenFromFile)) {
            static_cast<void>(loader.ReadListFile(*list));
        } else if (const std::optional<QString> script = optionValue(argument, kRunScript)) {
            const QString path =
                fs.fileExists(*script) ? *script : state.settingsFolder + QStringLiteral("Script/") + *script;
            if (fs.fileExists(path) && runScript) {
                // The script works on the list as loaded so far.
                loader.refresh();
                runScript(path);
            }
        }
    }
    loader.refresh();
}
