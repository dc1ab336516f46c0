#include "gui/mainwindow/MainWindowSettings.h"

#include "core/AppState.h"
#include "core/commit/RenameProtocol.h"
#include "core/script/ScriptStore.h"
#include "core/settings/SettingsStore.h"
#include "gui/mainwindow/MainWindow.h"

#include <QAction>
#include <QGuiApplication>
#include <QScreen>
#include <QToolBar>

namespace {

// Stored window sizes below these are ignored (twips).
constexpr int kStoredWidthFloor = 10000;
constexpr int kStoredHeightFloor = 7000;

// A stored left or top edge is used only when some of the window stays on the screen.
int clampedEdge(int stored, int windowExtent, int screenExtent)
{
    if (stored != -1 && stored >= 1000 - windowExtent && stored < screenExtent - 500)
        return stored;
    return 0;
}

} // namespace

MainWindowSettings::MainWindowSettings(MainWindow& window)
    : m_window(window)
{}

Settings& MainWindowSettings::settings() const
{
    return m_window.state().settings;
}

int MainWindowSettings::defaultWidth(int columnNumber)
{
    if (columnNumber <= 3)
        return 3000;
    return columnNumber <= 5 ? 1800 : 1400;
}

int MainWindowSettings::shownWidth(int columnNumber)
{
    return columnNumber == 6 ? 1400 : 1800;
}

void MainWindowSettings::readButtonBars()
{
    MainWindowUi& ui = m_window.ui();
    const bool main = settings().flag(Settings::Key::ButtonBarMain);
    const bool script = settings().flag(Settings::Key::ButtonBarScript);
    ui.menuItem(CommandId::ShowMainBar)->setChecked(main);
    ui.menuItem(CommandId::ShowScriptBar)->setChecked(script);
    ui.btnBarMain->setVisible(main);
    ui.btnbarScript->setVisible(script);
}

void MainWindowSettings::readColumnWidths()
{
    MainWindowUi& ui = m_window.ui();
    for (int n = 1; n <= 6; ++n) {
        int width = settings().number(Settings::column(n));
        if (width < 0)
            width = defaultWidth(n);
        // Path and names cannot be switched back on from the columns menu, so they are never hidden.
        if (n <= 3 && width == 0)
            width = defaultWidth(n);
        m_window.setColumnWidthTwips(n - 1, width == defaultWidth(n) ? m_window.fittedWidth(n - 1, width) : width);
        ui.mnuViewPre[static_cast<size_t>(n - 1)]->setChecked(width > 0);
    }
}

void MainWindowSettings::readSortOrder()
{
    PreviewList& list = m_window.list();
    const int column = settings().number(Settings::Key::PreviewSortKey);
    if (column >= 0)
        list.setSortColumn(column);
    const int order = settings().number(Settings::Key::PreviewSortOrder);
    if (order == 0 || order == 1)
        list.setSortOrder(order == 0 ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void MainWindowSettings::readPlacement()
{
    const int state = settings().number(Settings::Key::WindowState);
    if (state == 2) {
        m_window.setWindowState(Qt::WindowMaximized);
        return;
    }
    if (state != 0)
        return;
    int width = m_window.toTwips(m_window.width());
    int height = m_window.toTwips(m_window.height());
    const int storedWidth = settings().number(Settings::Key::WindowWidth);
    const int storedHeight = settings().number(Settings::Key::WindowHeight);
    if (storedWidth > kStoredWidthFloor)
        width = storedWidth;
    if (storedHeight > kStoredHeightFloor)
        height = storedHeight;
    m_window.resize(m_window.toPixels(width), m_window.toPixels(height));

    const QScreen* screen = m_window.screen() ? m_window.screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    const int left = clampedEdge(settings().number(Settings::Key::WindowLeft), width, m_window.toTwips(area.width()));
    const int top = clampedEdge(settings().number(Settings::Key::WindowTop), height, m_window.toTwips(area.height()));
    m_window.move(m_window.toPixels(left), m_window.toPixels(top));
}

void MainWindowSettings::prepareFiles()
{
    AppState& state = m_window.state();
    // Created only where nothing stands: opening a pipe left in its place for writing would wait forever.
    const QString protocol = state.settingsFolder + RenameProtocol::fileName();
    const PathInfo info = state.fs().pathInfo(protocol);
    if (info.type == PathInfo::Type::Missing && !info.isLink)
        static_cast<void>(state.fs().writeFileAtomic(protocol, {}));
    // A recording left by a crash is abandoned. Should it not go, the next recording replaces it anyway.
    const QString scratch = ScriptStore::scratchPath(state);
    if (state.fs().fileExists(scratch))
        static_cast<void>(state.fs().deleteFile(scratch));
    m_window.session().recordingState = 0;
}

void MainWindowSettings::readAssistant()
{
    // The mark starts opposite to the stored flag; running the command once flips it and shows or hides.
    QAction* item = m_window.ui().menuItem(CommandId::ShowAssistant);
    item->setChecked(!settings().flag(Settings::Key::AssistantVisible));
    item->trigger();
}

void MainWindowSettings::writeColumnsAndPlacement()
{
    for (int n = 1; n <= 7; ++n)
        settings().setNumber(Settings::column(n), m_window.columnWidthTwips(n - 1));
    const Qt::WindowStates states = m_window.windowState();
    const int state = states.testFlag(Qt::WindowMinimized)                                              ? 1
                      : (states.testFlag(Qt::WindowMaximized) || states.testFlag(Qt::WindowFullScreen)) ? 2
                                                                                                        : 0;
    settings().setNumber(Settings::Key::WindowState, state);
    if (state != 0)
        return;
    settings().setNumber(Settings::Key::WindowLeft, m_window.toTwips(m_window.pos().x()));
    settings().setNumber(Settings::Key::WindowTop, m_window.toTwips(m_window.pos().y()));
    settings().setNumber(Settings::Key::WindowWidth, m_window.toTwips(m_window.width()));
    settings().setNumber(Settings::Key::WindowHeight, m_window.toTwips(m_window.height()));
}

void MainWindowSettings::writeBarsSortAndColours()
{
    MainWindowUi& ui = m_window.ui();
    using K = Settings::Key;
    settings().setFlag(K::ButtonBarMain, ui.menuItem(CommandId::ShowMainBar)->isChecked());
    settings().setFlag(K::ButtonBarScript, ui.menuItem(CommandId::ShowScriptBar)->isChecked());
    settings().setNumber(K::PreviewSortKey, m_window.list().sortColumn());
    settings().setNumber(K::PreviewSortOrder, m_window.list().sortOrder() == Qt::AscendingOrder ? 0 : 1);
    settings().setFlag(K::AssistantVisible, ui.menuItem(CommandId::ShowAssistant)->isChecked());
    // The colours are stored even while they are the defaults, so the file shows what can be set.
    for (K key : {K::BackColor, K::ForeColor})
        settings().setNumber(key, settings().number(key));
}
