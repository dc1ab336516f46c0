#pragma once

#include "core/load/FolderLoader.h"

#include <QObject>

class QWidget;
struct WindowSession;

// The commands that bring folders into the list: the open dialog, list files, folders dropped from a
// file manager; the properties of the current entry's folder, and the cancel of a running load. Owns the
// window's folder loader and reports its hooks as signals.
class LoadController : public QObject
{
    Q_OBJECT

public:
    LoadController(AppState& state, WindowSession& session, PreviewList& list, QWidget* dialogParent);

    FolderLoader& loader() { return m_loader; }
    // True while a loading action runs.
    bool isLoading() const { return m_loading; }

    void openFolders();
    void openFromListFile();
    void dropFolders(const QStringList& paths);
    void showProperties();
    void cancel();

Q_SIGNALS:
    void statusText(const QString& text);
    void loadingChanged(bool loading);
    // New rows arrived: the preview is due.
    void listChanged();

private:
    void reportLoad(int filteredOut);

    AppState& m_state;
    WindowSession& m_session;
    PreviewList& m_list;
    QWidget* m_dialogParent;
    FolderLoader m_loader;
    bool m_loading = false;
};
