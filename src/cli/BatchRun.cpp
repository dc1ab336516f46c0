#include "cli/BatchRun.h"

#include "cli/BatchHistory.h"
#include "cli/BatchOptions.h"
#include "core/AppState.h"
#include "core/commit/CommitRenames.h"
#include "core/commit/FolderNameCheck.h"
#include "core/commit/RenameFailure.h"
#include "core/commit/RenameProtocol.h"
#include "core/load/FolderLoader.h"
#include "core/platform/FileNames.h"
#include "core/platform/PosixFileSystem.h"
#include "core/platform/SystemClock.h"
#include "core/preview/PreviewList.h"
#include "core/rename/NameStructure.h"
#include "core/rename/RenameRun.h"
#include "core/rename/RenameSteps.h"
#include "core/rename/StructureMarkers.h"
#include "core/script/BatchScript.h"
#include "core/script/DialogValues.h"
#include "core/settings/GlobalInit.h"
#include "core/settings/LanguageDiscovery.h"
#include "core/settings/ProgramNames.h"
#include "core/settings/SettingsStore.h"

#include <QFile>
#include <unistd.h>
#include <utility>

namespace {

QString escaped(const QString& name)
{
    QString out;
    out.reserve(name.size());
    for (const QChar c : name) {
        switch (c.unicode()) {
        case '\\':
            out += QStringLiteral("\\\\");
            break;
        case '\t':
            out += QStringLiteral("\\t");
            break;
        case '\n':
            out += QStringLiteral("\\n");
            break;
        case '\r':
            out += QStringLiteral("\\r");
            break;
        default:
            if (c.unicode() < 0x20 || c.unicode() == 0x7F)
                out += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
    return out;
}

// The header position (1 to 6) of a sort key: the columns parent path, old name, created, modified, size.
int headerPosition(BatchOptions::SortKey key)
{
    switch (key) {
    case BatchOptions::SortKey::Path:
        return 1;
    case BatchOptions::SortKey::Name:
        return 2;
    case BatchOptions::SortKey::Created:
        return 4;
    case BatchOptions::SortKey::Modified:
        return 5;
    case BatchOptions::SortKey::Size:
        return 6;
    case BatchOptions::SortKey::None:
        break;
    }
    return 0;
}

// The marker a structure left in a new name where it went wrong, unless the old name had it already.
QString markerIn(const FolderEntry& entry)
{
    for (const QString& marker :
         {StructureMarkers::error(), StructureMarkers::noNumber(), StructureMarkers::checkDateTime()}) {
        if (entry.newName.contains(marker, Qt::CaseInsensitive) && !entry.oldName.contains(marker, Qt::CaseInsensitive))
            return marker;
    }
    return {};
}

} // namespace

BatchRun::BatchRun(AppState& state, QIODevice& out, QIODevice& err)
    : m_state(state)
    , m_out(out)
    , m_err(err)
    , m_texts(state.language, state.programFolder)
{}

QString BatchRun::changeLine(const QString& parentPath, const QString& oldName, const QString& newName)
{
    return escaped(parentPath) + QLatin1Char('\t') + escaped(oldName) + QLatin1Char('\t') + escaped(newName);
}

QString BatchRun::escapedName(const QString& name)
{
    return escaped(name);
}

void BatchRun::print(QIODevice& device, const QString& text)
{
    // Names keep their own bytes, also those that are not UTF-8.
    device.write(FileNames::encode(text + QLatin1Char('\n')));
}

void BatchRun::warn(const QString& key, const QStringList& args)
{
    print(m_err, m_texts.text(key, args));
}

void BatchRun::refresh(PreviewList& list, FolderLoader& loader)
{
    // The part of the window's refreshPreview that is not about widgets.
    loader.resetLoadedCount();
    list.refreshEntries();
}

BatchRun::Status BatchRun::run(const BatchOptions& options)
{
    if (options.help) {
        m_out.write(FileNames::encode(m_texts.helpText()));
        return Done;
    }
    if (!options.ok()) {
        m_err.write(FileNames::encode(m_texts.usageError(options)));
        return CannotRun;
    }
    if (options.mode != BatchOptions::Mode::Rename) {
        BatchHistory history(m_state, m_out, m_err, m_texts);
        return static_cast<Status>(options.mode == BatchOptions::Mode::History ? history.printHistory()
                                                                               : history.undoLast());
    }
    PreviewList list;
    FolderLoader loader(m_state, list);
    // Nobody can press a cancel button here, and there is no window to repaint.
    loader.onProcessEvents = [] {};
    return runSteps(options, list, loader);
}

BatchRun::Status BatchRun::runSteps(const BatchOptions& options, PreviewList& list, FolderLoader& loader)
{
    // Every script is read and checked before the first folder is even loaded.
    std::vector<BatchScript> scripts;
    for (const BatchOptions::Action& action : options.actions) {
        if (action.kind != BatchOptions::Action::Kind::Script)
            continue;
        BatchScript script;
        if (!script.load(m_state, action.value)) {
            warn(script.problem().key, script.problem().args);
            warn(QStringLiteral("NothingRenamed"), {});
            return CannotRun;
        }
        scripts.push_back(std::move(script));
    }

    load(options, loader);
    list.setSortOrder(Qt::AscendingOrder);
    if (options.sort == BatchOptions::SortKey::None) {
        list.setSortColumn(FolderEntry::ColPosition);
    } else {
        // Sorting by name first makes ties of the chosen key (equal sizes or times in one folder) come
        // out by name, not in the order the file system happened to list the folders.
        list.SortPreview(headerPosition(BatchOptions::SortKey::Name));
        list.SortPreview(headerPosition(options.sort));
    }
    refresh(list, loader);

    auto script = scripts.cbegin();
    for (const BatchOptions::Action& action : options.actions) {
        if (action.kind == BatchOptions::Action::Kind::Structure) {
            RenameRun run(m_state, list, 0);
            ApplyStructure(run, action.value);
            refresh(list, loader);
            continue;
        }
        for (int step = 1; step <= script->stepCount(); ++step) {
            RenameRun run(m_state, list, 0);
            RenameSteps::run(script->type(step), script->values(step), run);
            refresh(list, loader);
        }
        ++script;
    }

    for (const FolderEntry& entry : list.entries()) {
        if (entry.isChanged())
            print(m_out, changeLine(entry.parentPath, entry.oldName, entry.newName));
    }
    if (!checkProposals(list))
        return CannotRun;
    if (options.dryRun)
        return Done;

    const CommitReport report = CommitRenames(m_state, list, kAllEntries);
    for (const CommitReport::Failure& failure : report.failures)
        print(m_err, failure.message);
    // A rename the history misses cannot be undone: the run did not do all it promised.
    if (report.protocolFailed)
        warn(QStringLiteral("ProtocolFailed"),
             {Quoted(m_state.settingsFolder + RenameProtocol::fileName()), QString::number(report.unrecorded)});
    return report.failures.isEmpty() && !report.protocolFailed ? Done : SomeFailed;
}

void BatchRun::load(const BatchOptions& options, FolderLoader& loader)
{
    const FileSystem& fs = m_state.fs();
    // One loading action for everything: folder sizes come from one shared walk.
    const FolderLoader::Action action(loader);
    for (const BatchOptions::Input& input : options.inputs) {
        if (input.kind == BatchOptions::Input::Kind::ListFile) {
            // The loader reads regular files only and would skip anything else without a word.
            if (!fs.openForReading(input.value))
                warn(QStringLiteral("ListMissing"), {Quoted(input.value)});
            else
                loader.ReadListFile(input.value);
        } else if (fs.folderExists(input.value)) {
            if (options.subfolders)
                loader.AddSubfolders(input.value);
            else
                loader.AddFolder(input.value);
        } else if (!fs.fileExists(input.value)) {
            warn(QStringLiteral("PathMissing"), {Quoted(input.value)});
        } else if (options.subfolders) {
            warn(QStringLiteral("SubfoldersOfFile"), {Quoted(input.value)});
        } else {
            loader.AddFolder(input.value);
        }
    }
}

bool BatchRun::checkProposals(const PreviewList& list)
{
    bool sound = true;
    for (const FolderEntry& entry : list.entries()) {
        if (!entry.isChanged())
            continue;
        if (const FolderNameProblem problem = CheckFolderName(entry.newName); problem != FolderNameProblem::None) {
            warn(QStringLiteral("BadName"), {Quoted(entry.currentPath()), Quoted(escaped(entry.newName)),
                                             FolderNameProblemText(m_state, problem, entry.newName)});
            sound = false;
        } else if (const QString marker = markerIn(entry); !marker.isEmpty()) {
            warn(QStringLiteral("MarkerInName"), {Quoted(entry.currentPath()), Quoted(entry.newName), marker});
            sound = false;
        }
    }
    if (!sound)
        warn(QStringLiteral("NothingRenamed"), {});
    return sound;
}

bool PrepareBatchState(AppState& state, const QString& programFolder, QIODevice& err)
{
    const LanguageChoice choice = BeginInitialisation(state, programFolder);
    if (choice.outcome == LanguageChoice::Outcome::NoFiles) {
        err.write(FileNames::encode(NoLanguageFilesText(ProductName()) + QLatin1Char('\n')));
        return false;
    }
    QString file = choice.file;
    if (choice.outcome == LanguageChoice::Outcome::NeedsChoice) {
        // The window would ask; without a window the answer is English, and nothing is stored.
        file = choice.files.first();
        for (const QString& candidate : choice.files) {
            if (ReadSetting(QStringLiteral("Main"), QStringLiteral("lngname"), candidate)
                    .compare(QLatin1String("English"), Qt::CaseInsensitive) == 0) {
                file = candidate;
                break;
            }
        }
    }
    CompleteInitialisation(state, file);
    if (state.settings.isUnusable())
        err.write(FileNames::encode(
            state.message(QStringLiteral("msgSettingsDamaged"), {Quoted(state.settings.path())}) + QLatin1Char('\n')));
    return true;
}

int BatchMain(const QStringList& arguments, const QString& executableFolder)
{
    QFile out;
    QFile err;
    // Straight to the descriptors, past the C library's buffers, so that changes and problems reach a
    // terminal or a shared log in the order they happen.
    out.open(STDOUT_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered);
    err.open(STDERR_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered);

    AppState state;
    state.services.fileSystem = std::make_unique<PosixFileSystem>();
    state.services.clock = std::make_unique<SystemClock>();
    if (!PrepareBatchState(state, ProgramFolderFor(executableFolder), err))
        return BatchRun::CannotRun;
    BatchRun run(state, out, err);
    return run.run(ParseBatchArguments(arguments));
}
