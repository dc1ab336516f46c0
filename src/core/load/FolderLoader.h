#pragma once

#include "core/load/FolderExpansion.h"
#include "core/platform/FileSystem.h"
#include "core/preview/FolderEntry.h"

#include <QElapsedTimer>
#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

struct AppState;
struct PathInfo;
class DirectoryNames;
class FolderTreeCache;
class PreviewList;
class QUrl;

// Brings folders into the preview list. Every way in ends in AddFolder, which turns one path into one
// row; the feeders around it load the open dialog's pending list, walk dropped folders, and read list
// files. The main window owns one loader and sets its hooks.
//
// A loading action (one AddFolder call from outside, or a whole feeder) reads each folder once: sizes
// come from one bottom-up walk shared by all rows of the action. New rows are gathered and handed to the
// list in batches, on every hundredth AddFolder call (just before the event queue is served, so the
// window shows progress) and when the action ends; callers see every row once the routine returns.
class FolderLoader
{
public:
    FolderLoader(AppState& state, PreviewList& list);
    ~FolderLoader();

    // Hooks for the main window: the text of the status panel, the start and end of a loading action
    // (while one runs the rows are not final: only cancelling makes sense), refreshPreview, and one pass
    // over the event queue (QCoreApplication::processEvents unless set otherwise). Each may stay empty.
    std::function<void(const QString& text)> onStatusText;
    std::function<void(bool loading)> onLoadingChanged;
    std::function<void()> onRefresh;
    std::function<void()> onProcessEvents;
    // The mounts a walk respects (MountPoints::current unless set): kernel file systems such as /proc and
    // /sys are not walked into.
    std::function<MountPoints()> mountPoints;
    // Whether rows get the bytes of the files below their folder, which means reading every folder's
    // contents. The window shows sizes; a run that neither shows nor sorts by them leaves them at 0.
    bool measureSizes = true;
    // When set and sizes are not measured, the folders a list file names are found in a listing of their
    // parent, read once for all of them and kept here, instead of being looked at one by one: the rows
    // learn no times. A take's check then finds the parents read. For runs that neither show nor use
    // times.
    DirectoryNames* parentListings = nullptr;
    // The least time between two passes over the event queue (and the rows they add). A window with a
    // million rows repaints for every pass: serving it every hundred folders would take most of the load.
    int serveIntervalMs = 0;

    // The pending paths (lstOpen) that the open dialog leaves for LoadPendingFolders.
    QStringList lstOpen;

    // Adds the folder a path names (a file path stands for its folder) as one new row, or nothing: paths
    // that name nothing, roots and folders already listed are skipped without a word. A symbolic link
    // to a folder is listed as the link itself, with size 0: sizes never go through links.
    void AddFolder(const QString& path);
    // Adds every folder below a folder at every depth, depth first, each before its own subfolders; the
    // folder itself is not added. Links to folders are added but not walked through. Stops early when
    // the cancel button was pressed.
    void AddSubfolders(const QString& folder);
    // Adds the paths of lstOpen in order, then empties it.
    void LoadPendingFolders();
    // Adds every folder a list file names (plain, ".m3u" or ".pls"). Relative entries are taken relative
    // to the list file's folder. A file that cannot be read adds nothing; the result tells why.
    FsResult ReadListFile(const QString& listFile);
    // A list file that could not be read, and why.
    struct UnreadableFile
    {
        QString path;
        FsResult result;
    };
    // The menu command, once the user chose the list files: reads them and sets their folder as
    // "lastpath" (the caller saves the settings). Nothing happens when none were chosen. Returns the
    // files that could not be read, for the caller to tell the user.
    QList<UnreadableFile> OpenFromListFile(const QStringList& files);
    // The file types the list-file picker offers (display text and pattern, separated by "|").
    static QString listFileFilter();
    // Folders dropped on the preview list: each contributes its subfolders, not itself.
    void DropFolders(const QStringList& paths);

    // The local paths of dropped URLs, byte for byte (a name that is not UTF-8 keeps its bytes).
    static QStringList localPathsFromUrls(const QList<QUrl>& urls);

    // What the last loading action did with the paths it was given, for the status line when it ends.
    // Roots are left out without a word and not counted.
    struct Report
    {
        int added = 0;
        int alreadyListed = 0;
        int missing = 0; // the path names nothing
    };
    const Report& lastReport() const { return m_report; }

    // The status panel's counter of rows added; refreshPreview sets it back to 0.
    int loadedCount() const { return m_loadedCount; }
    void resetLoadedCount() { m_loadedCount = 0; }
    // True while a loading action runs: a second one started from the event queue joins it.
    bool isLoading() const { return m_depth > 0; }
    // Calls of AddFolder so far (the event queue is served on every hundredth).
    qint64 callCount() const { return m_callCount; }

    // The cancel button: the running loading action stops at its next check. A request outside any
    // action is dropped when the next one starts.
    void requestCancel() { m_cancelRequested = true; }
    bool cancelRequested() const { return m_cancelRequested; }

    // Refreshes the list through the hook (for the command line between its steps).
    void refresh();

    // Keeps one loading action open for its lifetime; nested actions share the outermost one. When the
    // outermost ends, gathered rows reach the list, the size cache is dropped and the cancel request is
    // cleared.
    class Action
    {
    public:
        explicit Action(FolderLoader& loader);
        ~Action();
        Action(const Action&) = delete;
        Action& operator=(const Action&) = delete;

    private:
        FolderLoader& m_loader;
    };

private:
    // knownParent and knownName, when given, are the texts of the parent path and the name that the row
    // shares; known is what a walk learned of the folder.
    void addFolder(const QString& path, const QString& knownParent, const PathInfo* known,
                   const QString& knownName = QString());
    // The row of the resolved folder whose last separator stands at slash, as addFolder makes it.
    FolderEntry makeRow(const QString& folder, qsizetype slash, const QString& knownParent, const QString& knownName,
                        const PathInfo& info, qint64 size);
    // The row of a listed folder, made ahead while the other core looks for it in its parent's listing;
    // none where the path makes no row.
    std::optional<FolderEntry> listedRow(const QString& folder);
    // Serves the window now and then while folders are added.
    void countCall();
    void addRow(FolderEntry e);
    // FileSystem::resolvedPath, with the parents resolved once per loading action.
    QString resolvedPath(const QString& path);
    // The real path of an absolute folder path, remembered for the loading action; empty when missing.
    QString resolvedFolder(const QString& folder);
    FsResult readListFile(const QString& listFile);
    QString listedPath(const QByteArray& entry, const QString& listFolder) const;
    int undoLevels() const;
    bool keepGoing();
    void serveEvents();
    void flush();
    void setLoading(bool loading);

    AppState& m_state;
    PreviewList& m_list;
    std::unique_ptr<FolderTreeCache> m_cache;
    std::vector<FolderEntry> m_batch;
    QString m_lastParent; // the parent text of the folder added last, for its siblings to share
    QHash<QString, QString> m_resolvedParents;
    // The folder of the path resolved last, and what it resolved to.
    QString m_lastFolder;
    QString m_lastFolderResolved;
    FolderCursor m_resolveCursor; // folders resolved one after another mostly share their parent
    int m_depth = 0;
    int m_loadedCount = 0;
    Report m_report;
    bool m_statusDirty = false;
    bool m_cancelRequested = false;
    qint64 m_callCount = 0;
    qint64 m_scanCount = 0;
    QElapsedTimer m_sinceServed;
};
