#pragma once

#include "cli/BatchOptions.h"
#include "cli/BatchTexts.h"
#include "core/folderops/AttributesParams.h"

#include <QString>
#include <QStringList>
#include <exception>
#include <functional>
#include <thread>

class FolderLoader;
class PreviewList;
class QIODevice;
struct AppState;

// A run without a window ("dirwright --batch …"), for cron jobs, file-manager actions and shell scripts.
// It loads the folders, puts them in a fixed order, applies each script step and name structure to all
// entries through the routines the window's dialogs use (refreshing the list between them as the window
// does), prints every change, and unless it is a dry run takes the changes with the window's
// CommitRenames and its protocol, then gives every folder the modification time --touch asks for. Nothing is renamed
// unless every script and every proposed name is sound; the routines it calls never ask a question.
class BatchRun
{
public:
    // How a run ends: the exit status of the program.
    enum Status { Done = 0, SomeFailed = 1, CannotRun = 2 };

    // The state must be ready (PrepareBatchState). out receives the changes and the help, err every
    // problem, warning and failure; both get bytes as a terminal expects them (names byte for byte).
    BatchRun(AppState& state, QIODevice& out, QIODevice& err);

    Status run(const BatchOptions& options);

    // One change as printed: parent path, old name, new name, separated by tabs. Backslashes, tabs, line
    // breaks and other control characters in the names are escaped ("\\", "\t", "\n", "\x1b"), so that
    // every change is exactly one line however the folders are named.
    static QString changeLine(const QString& parentPath, const QString& oldName, const QString& newName);
    // A name or path as printed: backslash, tab, CR and LF as "\\", "\t", "\r", "\n"; other control
    // characters (C0, DEL, C1) as "\xNN"; the line and paragraph separators as "\u2028" and "\u2029".
    static QString escaped(const QString& name);

private:
    // Appends name as escaped() shows it.
    static void appendEscaped(QString& out, QStringView name);
    // Appends the line of a change whose parent path is escaped already.
    static void appendChangeLine(QString& out, const QString& shownParent, const QString& oldName,
                                 const QString& newName);
    Status runSteps(const BatchOptions& options, PreviewList& list, FolderLoader& loader);
    // False, after naming every wrong input on err, when a path or list file cannot be used.
    bool load(const BatchOptions& options, FolderLoader& loader);
    // Turns every structure named by --structure-name into the structure of that name in the library;
    // false (after saying which name is missing) when one is not there.
    bool resolveStructureNames(QList<BatchOptions::Action>& actions);
    bool checkProposals(const PreviewList& list);
    // --touch: sets the modification time of every entry; false, after naming each on err, when some
    // folders could not be changed.
    bool touch(const AttributesParams::TimeRequest& request, const PreviewList& list);
    void refresh(PreviewList& list, FolderLoader& loader);
    // False when the device took less than all of the text; the first failure on out is kept.
    bool print(QIODevice& device, const QString& text);
    // The same for text that ends its lines itself.
    bool write(QIODevice& device, QStringView text);
    // The same through a buffer of the caller's.
    bool write(QIODevice& device, QStringView text, QByteArray& encoded);
    // The list of changes, in blocks of lines rather than a write per line; written out in full before
    // anything is renamed. mayWrite, when set, is asked once before the first write (and may wait): false
    // means nothing is written.
    void printChanges(const PreviewList& list, const std::function<bool()>& mayWrite = {});
    // printChanges() on a thread of its own, while this one goes on; nothing else may print until it
    // is joined, and then failure holds what it threw, if anything. No thread when none can be had: then
    // nothing is printed. mayWrite must outlive the thread.
    std::jthread printChangesAside(const PreviewList& list, std::exception_ptr& failure,
                                   const std::function<bool()>& mayWrite);
    // The message of a key, its arguments escaped; the argument at index listing, if any, is a list of
    // names, one a line, and keeps its line breaks.
    void warn(const QString& key, const QStringList& args, qsizetype listing = -1);

    AppState& m_state;
    QIODevice& m_out;
    QIODevice& m_err;
    BatchTexts m_texts;
    QString m_outError;
    QByteArray m_encoded; // what write() hands to the device, kept for its room
};

// Start-up of a run without a window: the settings folder as the window prepares it, the language the
// window would start with but without asking (a single file; else the one named by [Settings] "lng";
// else English), the character classes and date formats, and the protocol flag "protren". False, after
// saying why on err, when there is no language file at all.
bool PrepareBatchState(AppState& state, const QString& programFolder, QIODevice& err);

// The whole batch mode for main(): the arguments after "--batch" and the executable's folder. Builds the
// state with the real file system and clock; returns the exit status.
int BatchMain(const QStringList& arguments, const QString& executableFolder);
