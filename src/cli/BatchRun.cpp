#include "cli/BatchRun.h"

#include "cli/BatchCsv.h"
#include "cli/BatchHistory.h"
#include "cli/BatchOptions.h"
#include "cli/DryRunFileSystem.h"
#include "core/AppState.h"
#include "core/commit/CommitRenames.h"
#include "core/commit/DirectoryNames.h"
#include "core/commit/FolderNameCheck.h"
#include "core/commit/NameClashes.h"
#include "core/commit/RenameFailure.h"
#include "core/commit/RenameProtocol.h"
#include "core/folderops/ApplyAttributesAndTimes.h"
#include "core/load/FolderLoader.h"
#include "core/platform/FileNames.h"
#include "core/platform/FileReadProblem.h"
#include "core/platform/PosixFileSystem.h"
#include "core/platform/SharedText.h"
#include "core/platform/SystemClock.h"
#include "core/preview/EntryOrder.h"
#include "core/preview/PreviewList.h"
#include "core/rename/CsvNamesParams.h"
#include "core/rename/NameStructure.h"
#include "core/rename/RenameRun.h"
#include "core/rename/RenameSteps.h"
#include "core/rename/StructureLibrary.h"
#include "core/rename/StructureMarkers.h"
#include "core/script/BatchScript.h"
#include "core/script/DialogValues.h"
#include "core/settings/GlobalInit.h"
#include "core/settings/LanguageDiscovery.h"
#include "core/settings/ProgramNames.h"
#include "core/settings/SettingsStore.h"

#include <QFile>
#include <algorithm>
#include <atomic>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace {

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
    // Every marker starts with "<", which hardly any name holds: one quick look settles nearly all.
    if (!entry.newName.contains(QLatin1Char('<')))
        return {};
    for (const QString& marker :
         {StructureMarkers::error(), StructureMarkers::noNumber(), StructureMarkers::checkDateTime()}) {
        if (entry.newName.contains(marker, Qt::CaseInsensitive) && !entry.oldName.contains(marker, Qt::CaseInsensitive))
            return marker;
    }
    return {};
}

// Printed as it is.
bool isPlain(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) {
        const char16_t u = c.unicode();
        return u >= 0x20 && u != '\\' && (u < 0x7F || u > 0x9F) && u != 0x2028 && u != 0x2029;
    });
}

} // namespace

BatchRun::BatchRun(AppState& state, QIODevice& out, QIODevice& err)
    : m_state(state)
    , m_out(out)
    , m_err(err)
    , m_texts(state.language, state.programFolder)
{}

QString BatchRun::escaped(const QString& name)
{
    // Nearly every name is printed as it is: then it is not copied.
    if (isPlain(name))
        return name;
    QString out;
    out.reserve(name.size());
    appendEscaped(out, name);
    return out;
}

void BatchRun::appendEscaped(QString& out, QStringView name)
{
    if (isPlain(name)) {
        out.append(name);
        return;
    }
    for (const QChar c : name) {
        const char16_t u = c.unicode();
        switch (u) {
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
        case 0x2028:
        case 0x2029:
            // Line and paragraph separators: many terminals and log readers break lines there.
            out += QStringLiteral("\\u%1").arg(u, 4, 16, QLatin1Char('0'));
            break;
        default:
            // C0, DEL and C1 (U+0085 is a line break to some readers).
            if (u < 0x20 || (u >= 0x7F && u <= 0x9F))
                out += QStringLiteral("\\x%1").arg(u, 2, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
}

QString BatchRun::changeLine(const QString& parentPath, const QString& oldName, const QString& newName)
{
    QString line;
    appendChangeLine(line, escaped(parentPath), oldName, newName);
    return line;
}

void BatchRun::appendChangeLine(QString& out, const QString& shownParent, const QString& oldName,
                                const QString& newName)
{
    out.append(shownParent).append(QLatin1Char('\t'));
    appendEscaped(out, oldName);
    out.append(QLatin1Char('\t'));
    appendEscaped(out, newName);
}

bool BatchRun::print(QIODevice& device, const QString& text)
{
    return write(device, text + QLatin1Char('\n'));
}

bool BatchRun::write(QIODevice& device, QStringView text)
{
    return write(device, text, m_encoded);
}

bool BatchRun::write(QIODevice& device, QStringView text, QByteArray& encoded)
{
    // Names keep their own bytes, also those that are not UTF-8.
    encoded.resize(0);
    FileNames::appendEncoded(encoded, text);
    if (device.write(encoded) == encoded.size())
        return true;
    if (&device == &m_out && m_outError.isEmpty())
        m_outError = device.errorString();
    return false;
}

void BatchRun::printChanges(const PreviewList& list, const std::function<bool()>& mayWrite)
{
    bool mayWriteAsked = !mayWrite;
    // A block of lines stays below the size the C library hands out as pages of its own, which would be
    // mapped and unmapped for every block.
    constexpr qsizetype kBlock = 16 * 1024;
    QString block;
    block.reserve(kBlock + 1024);
    QByteArray encoded; // its own: the list may go out on a thread of its own
    // Rows of one folder share their parent text, which is escaped once for all of them.
    QString parent;
    QString shownParent;
    for (const FolderEntry& entry : list.entries()) {
        if (!entry.isChanged())
            continue;
        if (!IsSharedText(entry.parentPath, parent)) {
            parent = entry.parentPath;
            shownParent = escaped(parent);
        }
        appendChangeLine(block, shownParent, entry.oldName, entry.newName);
        block += QLatin1Char('\n');
        if (block.size() < kBlock)
            continue;
        if (!std::exchange(mayWriteAsked, true) && !mayWrite())
            return;
        if (!write(m_out, block, encoded))
            return;
        block.resize(0); // keeps its room
    }
    if (!block.isEmpty() && (std::exchange(mayWriteAsked, true) || mayWrite()))
        write(m_out, block, encoded);
}

std::jthread BatchRun::printChangesAside(const PreviewList& list, std::exception_ptr& failure,
                                         const std::function<bool()>& mayWrite)
{
    try {
        return std::jthread([this, &list, &failure, &mayWrite] {
            try {
                printChanges(list, mayWrite);
            } catch (...) {
                failure = std::current_exception(); // for whoever joins the thread
            }
        });
    } catch (const std::system_error&) {
        return {}; // no thread to be had
    }
}

void BatchRun::warn(const QString& key, const QStringList& args, qsizetype listing)
{
    // The arguments are paths and names: escaped, so that every problem stays one line. A listing keeps
    // its one entry per line.
    QStringList shown;
    shown.reserve(args.size());
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (i != listing) {
            shown.append(escaped(args.at(i)));
            continue;
        }
        QStringList lines = args.at(i).split(QLatin1Char('\n'));
        for (QString& line : lines)
            line = escaped(line);
        shown.append(lines.join(QLatin1Char('\n')));
    }
    print(m_err, m_texts.text(key, shown));
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
        const QByteArray help = FileNames::encode(m_texts.helpText());
        return m_out.write(help) == help.size() ? Done : CannotRun;
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
    // No rename function reads sizes: only sorting by them needs the walk through every folder's files.
    loader.measureSizes = options.sort == BatchOptions::SortKey::Size;
    return runSteps(options, list, loader);
}

BatchRun::Status BatchRun::runSteps(const BatchOptions& options, PreviewList& list, FolderLoader& loader)
{
    // Every script and every structure named is read and checked before the first folder is even loaded.
    QList<BatchOptions::Action> actions = options.actions;
    if (!resolveStructureNames(actions))
        return CannotRun;
    std::vector<BatchScript> scripts;
    for (const BatchOptions::Action& action : actions) {
        if (action.kind != BatchOptions::Action::Kind::Script)
            continue;
        BatchScript script;
        if (!script.load(m_state, action.value)) {
            // The scripts there, one a line, when the name matched none.
            const bool listed = script.problem().key == QLatin1String("ScriptNotFoundListed");
            warn(script.problem().key, script.problem().args, listed ? 1 : -1);
            warn(QStringLiteral("NothingRenamed"), {});
            return CannotRun;
        }
        scripts.push_back(std::move(script));
    }
    // And every file of names.
    std::vector<BatchCsv> csvFiles;
    for (const BatchOptions::Action& action : options.actions) {
        if (action.kind != BatchOptions::Action::Kind::Csv)
            continue;
        BatchCsv csv;
        if (!csv.load(m_state, m_texts, action.value, options.csv)) {
            print(m_err, csv.problem());
            warn(QStringLiteral("NothingRenamed"), {});
            return CannotRun;
        }
        csvFiles.push_back(std::move(csv));
    }

    // The safe take first reads every folder that gets a new name in it, to look for names taken there.
    // A run that learns no times finds the folders of its list files in those reads, made while loading.
    // Once the steps have run, the folders of all entries are read ahead on the other core while the
    // changes are checked and printed, which finds the ones read while loading kept (unless they changed
    // since); the take reads whatever it still wants itself.
    DirectoryNames folderNames;
    const bool needsTimes = options.sort == BatchOptions::SortKey::Created ||
                            options.sort == BatchOptions::SortKey::Modified ||
                            std::any_of(scripts.cbegin(), scripts.cend(), [](const BatchScript& script) {
                                for (int step = 1; step <= script.stepCount(); ++step) {
                                    if (RenameSteps::readsTimes(script.type(step)))
                                        return true;
                                }
                                return false;
                            });
    if (!needsTimes)
        loader.parentListings = &folderNames;
    if (!load(options, loader)) {
        warn(QStringLiteral("NothingRenamed"), {});
        return CannotRun;
    }
    list.setSortOrder(Qt::AscendingOrder);
    if (options.sort == BatchOptions::SortKey::None) {
        list.setSortColumn(FolderEntry::ColPosition);
    } else {
        // Sorting by name first makes ties of the chosen key (equal sizes or times in one folder) come
        // out by name, not in the order the file system happened to list the folders. The path orders the
        // folders of one parent by name itself.
        if (options.sort != BatchOptions::SortKey::Name && options.sort != BatchOptions::SortKey::Path)
            list.SortPreview(headerPosition(BatchOptions::SortKey::Name));
        list.SortPreview(headerPosition(options.sort));
    }
    refresh(list, loader);
    const bool safeTake = !options.dryRun && !options.listOrder;
    if (!safeTake)
        folderNames.clear(); // no check wants what loading read

    auto script = scripts.cbegin();
    auto csv = csvFiles.cbegin();
    for (const BatchOptions::Action& action : actions) {
        if (action.kind == BatchOptions::Action::Kind::Csv) {
            // Checked already: it names no problem now.
            applyCsvNames(list, csv->lines(), csv->params());
            ++csv;
            refresh(list, loader);
            continue;
        }
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

    if (safeTake)
        folderNames.readAhead(m_state.fs(), DistinctParents(list.entries()), m_state.now().toSecsSinceEpoch());
    // Whoever called us relies on the list of changes (to log them, to act on them): a list that did not
    // arrive means nothing may be renamed.
    const auto outputFailed = [this] {
        warn(QStringLiteral("OutputFailed"), {m_outError});
        warn(QStringLiteral("NothingRenamed"), {});
        return CannotRun;
    };
    // Refused proposals come first: the list of changes on stdout is only ever what is (or, dry, would be)
    // taken, never a run that renames nothing.
    CommitReport report;
    if (!safeTake) {
        if (!checkProposals(list))
            return CannotRun;
        printChanges(list);
        if (!m_outError.isEmpty())
            return outputFailed();
        if (options.dryRun)
            return Done;
        report = CommitRenames(m_state, list, kAllEntries);
    } else {
        // The proposals are checked while the take checks them against the disk; then the list goes out
        // while the take works out its order. Both only read the list, and the take renames nothing
        // before all of it is out.
        // The list only goes out once the check against the disk passed: a take it refuses prints none.
        bool proposalsSound = false;
        std::atomic<int> verdict{0}; // of the check against the disk: 1 passed, -1 refused or never made
        const std::function<bool()> checkPassed = [&verdict] {
            verdict.wait(0);
            return verdict.load() == 1;
        };
        std::exception_ptr printFailure;
        std::jthread printer;
        bool printedHere = false;
        const auto printed = [&] {
            if (printer.joinable())
                printer.join();
            else if (proposalsSound && verdict.load() == 1 && !std::exchange(printedHere, true))
                printChanges(list); // no thread was to be had
            if (printFailure)
                std::rethrow_exception(std::exchange(printFailure, nullptr));
            return m_outError.isEmpty();
        };
        SafeTakeOptions take;
        take.names = &folderNames;
        take.alongside = [&] {
            proposalsSound = checkProposals(list);
            if (proposalsSound)
                printer = printChangesAside(list, printFailure, checkPassed);
            return proposalsSound;
        };
        take.checked = [&verdict](bool passed) {
            verdict.store(passed ? 1 : -1);
            verdict.notify_all();
        };
        // Nothing is renamed unless the proposals passed and all of the list went out.
        take.ready = [&] { return proposalsSound && printed(); };
        take.namesChecked = true; // by checkProposals alongside
        report = CommitRenamesSafely(m_state, list, take);
        if (!proposalsSound)
            return CannotRun;
        if (!printed())
            return outputFailed();
    }
    if (!report.refusal.isEmpty()) {
        print(m_err, escaped(report.refusal));
        return CannotRun;
    }
    for (const CommitReport::Failure& failure : report.failures)
        print(m_err, escaped(failure.message));
    // A rename the history misses cannot be undone: the run did not do all it promised.
    if (report.protocolFailed)
        warn(QStringLiteral("ProtocolFailed"),
             {Quoted(m_state.settingsFolder + RenameProtocol::fileName()), QString::number(report.unrecorded)});
    const bool touched = !options.touch || touch(*options.touch, list);
    return report.failures.isEmpty() && !report.protocolFailed && touched ? Done : SomeFailed;
}

bool BatchRun::touch(const AttributesParams::TimeRequest& request, const PreviewList& list)
{
    // After the renames, so the folders are reached under the names they have now.
    AttributesParams params;
    params.times[AttributesParams::Modified] = request;
    const FolderChangeReport report = ApplyAttributesAndTimes(m_state, list, 0, params);
    for (const FolderChangeReport::Failure& failure : report.failures)
        print(m_err, escaped(failure.message));
    return report.failures.isEmpty();
}

bool BatchRun::resolveStructureNames(QList<BatchOptions::Action>& actions)
{
    const QString path = StructureLibrary::path(m_state);
    std::optional<StructureLibrary> library;
    for (BatchOptions::Action& action : actions) {
        if (action.kind != BatchOptions::Action::Kind::StructureName)
            continue;
        if (!library)
            library = StructureLibrary::read(m_state.fs(), path);
        const NamedStructure* found = library->find(action.value);
        if (!found) {
            QString listed;
            for (const NamedStructure& entry : library->entries)
                listed += QStringLiteral("\n  ") + entry.name;
            if (listed.isEmpty())
                warn(QStringLiteral("StructureNameNotFound"), {action.value, Quoted(path)});
            else
                warn(QStringLiteral("StructureNameNotFoundListed"), {action.value, Quoted(path), listed}, 2);
            warn(QStringLiteral("NothingRenamed"), {});
            return false;
        }
        action = {BatchOptions::Action::Kind::Structure, found->structure};
    }
    return true;
}

bool BatchRun::load(const BatchOptions& options, FolderLoader& loader)
{
    const FileSystem& fs = m_state.fs();
    // One loading action for everything: folder sizes come from one shared walk. Every input is looked
    // at, so that one run names all the wrong ones.
    const FolderLoader::Action action(loader);
    bool sound = true;
    const auto refuse = [&](const char* key, const QStringList& args) {
        warn(QLatin1String(key), args);
        sound = false;
    };
    for (const BatchOptions::Input& input : options.inputs) {
        const QString path = Quoted(input.value);
        if (input.kind == BatchOptions::Input::Kind::ListFile) {
            // Read piece by piece: a list of a million folders is over a hundred megabytes.
            if (const FsResult result = loader.ReadListFile(input.value); !result.ok())
                refuse("ListMissing", {path, FileReadProblemText(m_state, result)});
            continue;
        }
        const PathInfo info = fs.pathInfo(fs.resolvedPath(input.value));
        if (info.type == PathInfo::Type::Missing)
            refuse("PathMissing", {path});
        else if (info.type == PathInfo::Type::File && options.subfolders)
            refuse("SubfoldersOfFile", {path});
        else if (info.isRoot && !options.subfolders)
            refuse("RootPath", {path});
        else if (options.subfolders)
            loader.AddSubfolders(input.value);
        else
            loader.AddFolder(input.value);
    }
    return sound;
}

bool BatchRun::checkProposals(const PreviewList& list)
{
    bool sound = true;
    for (const FolderEntry& entry : list.entries()) {
        if (!entry.isChanged())
            continue;
        if (const FolderNameProblem problem = CheckFolderName(entry.newName); problem != FolderNameProblem::None) {
            warn(QStringLiteral("BadName"), {Quoted(entry.currentPath()), Quoted(entry.newName),
                                             FolderNameProblemText(m_state, problem, entry.newName)});
            sound = false;
        } else if (const QString marker = markerIn(entry); !marker.isEmpty()) {
            warn(QStringLiteral("MarkerInName"), {Quoted(entry.currentPath()), Quoted(entry.newName), marker});
            sound = false;
        }
    }
    for (const NameClash& clash : FindNameClashes(list.entries())) {
        const FolderEntry& first = list.entry(clash.first);
        const FolderEntry& second = list.entry(clash.second);
        warn(QStringLiteral("SameNewName"),
             {Quoted(first.currentPath()), Quoted(second.currentPath()), Quoted(second.proposedPath())});
        sound = false;
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

    const BatchOptions options = ParseBatchArguments(arguments);
    AppState state;
    // A run that renames nothing writes nothing either: not even the start-up's settings compaction.
    if (options.dryRun || options.help || !options.ok())
        state.services.fileSystem = std::make_unique<DryRunFileSystem>();
    else
        state.services.fileSystem = std::make_unique<PosixFileSystem>();
    state.services.clock = std::make_unique<SystemClock>();
    if (!PrepareBatchState(state, ProgramFolderFor(executableFolder), err))
        return BatchRun::CannotRun;
    BatchRun run(state, out, err);
    return run.run(options);
}
