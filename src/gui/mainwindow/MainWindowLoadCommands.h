#pragma once

#include "core/load/FolderLoader.h"

class MainWindow;

// The commands that bring folders into the list: the open dialog, list files, folders dropped from a
// file manager, the command line, and the properties of the current entry's folder. Owns the window's
// folder loader and connects its hooks to the status panel, the cancel button and the refresh.
class MainWindowLoadCommands
{
public:
    explicit MainWindowLoadCommands(MainWindow& window);

    FolderLoader& loader() { return m_loader; }

    void openFolders();
    void openFromListFile();
    void showProperties();

private:
    MainWindow& m_window;
    FolderLoader m_loader;
};
