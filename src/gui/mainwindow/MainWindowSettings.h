#pragma once

#include <QString>

class MainWindow;
class Settings;

// What the main window reads from the settings file when it loads and writes back when it closes:
// button bars, column widths, sort, window state and placement, the flags, the dialog colours and the
// assistant's visibility. Sizes and positions are stored in twips.
class MainWindowSettings
{
public:
    explicit MainWindowSettings(MainWindow& window);

    void readButtonBars();
    void readColumnWidths();
    void readSortOrder();
    void readPlacement();
    // Makes sure the protocol exists and removes a recording left over from an earlier run.
    void prepareFiles();
    void readAssistant();

    void writeColumnsAndPlacement();
    void writeBarsSortAndColours();

    // Default widths of columns 1 to 6 in twips, and the width a column gets when it is shown again.
    static int defaultWidth(int columnNumber);
    static int shownWidth(int columnNumber);

private:
    Settings& settings() const;

    MainWindow& m_window;
};
