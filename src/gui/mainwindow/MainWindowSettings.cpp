#include "gui/mainwindow/MainWindowSettings.h"

#include "core/AppState.h"
#include "core/settings/SettingsStore.h"
#include "gui/mainwindow/MainWindow.h"

#include <QAction>
#include <QFile>
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

int MainWindowSettings::readInt(const char* section, const QString& key) const
{
    return ReadSettingInt(QLatin1String(section), key, m_window.state().settingsFile);
}

void MainWindowSettings::write(const char* section, const QString& key, int value) const
{
    WriteSetting(QLatin1String(section), key, QString::number(value), m_window.state().settingsFile);
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
    const bool main = FlagFromInt(readInt("Settings", QStringLiteral("btnbarMain")), false);
    const bool script = FlagFromInt(readInt("Settings", QStringLiteral("btnbarScript")), false);
    ui.action(QStringLiteral("mnuShowBtnBarMain"))->setChecked(main);
    ui.action(QStringLiteral("mnuShowBtnBarScript"))->setChecked(script);
    ui.btnBarMain->setVisible(main);
    ui.btnbarScript->setVisible(script);
}

void MainWindowSettings::readColumnWidths()
{
    MainWindowUi& ui = m_window.ui();
    for (int n = 1; n <= 6; ++n) {
        int width = readInt("Main", QStringLiteral("Col%1").arg(n));
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
    const int column = readInt("Settings", QStringLiteral("PreviewSortKey"));
    if (column >= 0)
        list.setSortColumn(column);
    const int order = readInt("Settings", QStringLiteral("PreviewSortOrder"));
    if (order == 0 || order == 1)
        list.setSortOrder(order == 0 ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void MainWindowSettings::readPlacement()
{
    const int state = readInt("Main", QStringLiteral("ws"));
    if (state == 2) {
        m_window.setWindowState(Qt::WindowMaximized);
        return;
    }
    if (state != 0)
        return;
    int width = m_window.toTwips(m_window.width());
    int height = m_window.toTwips(m_window.height());
    const int storedWidth = readInt("Main", QStringLiteral("w"));
    const int storedHeight = readInt("Main", QStringLiteral("h"));
    if (storedWidth > kStoredWidthFloor)
        width = storedWidth;
    if (storedHeight > kStoredHeightFloor)
        height = storedHeight;
    m_window.resize(m_window.toPixels(width), m_window.toPixels(height));

    const QScreen* screen = m_window.screen() ? m_window.screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    const int left = clampedEdge(readInt("Main", QStringLiteral("x")), width, m_window.toTwips(area.width()));
    const int top = clampedEdge(readInt("Main", QStringLiteral("y")), height, m_window.toTwips(area.height()));
    m_window.move(m_window.toPixels(left), m_window.toPixels(top));
}

void MainWindowSettings::readFlags()
{
    AppState& state = m_window.state();
    state.saveDialogSettings = FlagFromInt(readInt("Settings", QStringLiteral("savset")), false);
    state.protocolRenames = FlagFromInt(readInt("Settings", QStringLiteral("protren")), false);
    for (int n = 1; n <= 3; ++n)
        state.confirm[static_cast<size_t>(n - 1)] =
            FlagFromInt(readInt("Settings", QStringLiteral("secquest%1").arg(n)), false);
    state.expertMode = FlagFromInt(readInt("Settings", QStringLiteral("ExpertMode")), false);
    const int back = readInt("Dialogs", QStringLiteral("BackColor"));
    const int fore = readInt("Dialogs", QStringLiteral("ForeColor"));
    state.backColor = back == -1 ? AppState::kDefaultBackColor : back;
    state.foreColor = fore == -1 ? AppState::kDefaultForeColor : fore;
}

void MainWindowSettings::prepareFiles()
{
    AppState& state = m_window.state();
    QFile protocol(state.settingsFolder + QStringLiteral("renamed.vlp"));
    if (protocol.open(QIODevice::WriteOnly | QIODevice::Append))
        protocol.close();
    const QString scratch = state.settingsFolder + QStringLiteral("script.tmp");
    if (state.fs().fileExists(scratch))
        state.fs().deleteFile(scratch);
    m_window.session().recordingState = 0;
}

void MainWindowSettings::readAssistant()
{
    const bool visible = FlagFromInt(readInt("Assistant", QStringLiteral("Visible")), true);
    m_window.ui().action(QStringLiteral("mnuShowAssistant"))->setChecked(visible);
}

void MainWindowSettings::writeColumnsAndPlacement()
{
    for (int n = 1; n <= 7; ++n)
        write("Main", QStringLiteral("Col%1").arg(n), m_window.columnWidthTwips(n - 1));
    const Qt::WindowStates states = m_window.windowState();
    const int state = states.testFlag(Qt::WindowMinimized)                                              ? 1
                      : (states.testFlag(Qt::WindowMaximized) || states.testFlag(Qt::WindowFullScreen)) ? 2
                                                                                                        : 0;
    write("Main", QStringLiteral("ws"), state);
    if (state != 0)
        return;
    write("Main", QStringLiteral("x"), m_window.toTwips(m_window.pos().x()));
    write("Main", QStringLiteral("y"), m_window.toTwips(m_window.pos().y()));
    write("Main", QStringLiteral("w"), m_window.toTwips(m_window.width()));
    write("Main", QStringLiteral("h"), m_window.toTwips(m_window.height()));
}

void MainWindowSettings::writeBarsSortAndColours()
{
    MainWindowUi& ui = m_window.ui();
    const AppState& state = m_window.state();
    write("Settings", QStringLiteral("btnbarMain"),
          IntFromFlag(ui.action(QStringLiteral("mnuShowBtnBarMain"))->isChecked()));
    write("Settings", QStringLiteral("btnbarScript"),
          IntFromFlag(ui.action(QStringLiteral("mnuShowBtnBarScript"))->isChecked()));
    write("Settings", QStringLiteral("PreviewSortKey"), m_window.list().sortColumn());
    write("Settings", QStringLiteral("PreviewSortOrder"), m_window.list().sortOrder() == Qt::AscendingOrder ? 0 : 1);
    write("Assistant", QStringLiteral("Visible"),
          IntFromFlag(ui.action(QStringLiteral("mnuShowAssistant"))->isChecked()));
    write("Dialogs", QStringLiteral("BackColor"), state.backColor);
    write("Dialogs", QStringLiteral("ForeColor"), state.foreColor);
}

void MainWindowSettings::writeExpertMode()
{
    write("Settings", QStringLiteral("ExpertMode"), IntFromFlag(m_window.state().expertMode));
}
