#include "gui/mainwindow/MainWindow.h"

#include "core/AppState.h"
#include "core/commit/CommitRenames.h"
#include "gui/commit/NotRenamedDialog.h"
#include "gui/mainwindow/MainImageList.h"
#include "gui/mainwindow/MainWindowLoadCommands.h"
#include "gui/mainwindow/MainWindowPreviewCommands.h"
#include "gui/mainwindow/MainWindowRenameCommands.h"
#include "gui/mainwindow/MainWindowScriptCommands.h"
#include "gui/mainwindow/MainWindowSettings.h"
#include "gui/mainwindow/MainWindowViewCommands.h"
#include "gui/mainwindow/PreviewTableView.h"
#include "gui/platform/Prompter.h"
#include "gui/platform/Twips.h"
#include "gui/settings/SaveSettings.h"
#include "gui/settings/WidgetTranslator.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QToolBar>

namespace {

const QString kSection = QStringLiteral("frmMain");

// The smallest window the layout is made for, in twips.
constexpr int kMinimumWidth = 11000;
constexpr int kMinimumHeight = 7800;
// The size of a first start, before any size is stored.
constexpr int kFirstWidth = 16800;
constexpr int kFirstHeight = 10500;

// Menu items and bar buttons whose dialogs and functions are not part of the program yet. They stay in
// place, disabled, and say so in their tool tips.
const QStringList& commandsNotBuilt()
{
    static const QStringList names = {
        QStringLiteral("mnuOptions"), QStringLiteral("mnuUpdate"), QStringLiteral("mnuTakeChanges2"),
        QStringLiteral("mnuStartRunScript"), QStringLiteral("mnuRunSelectedScript"), QStringLiteral("mnuRename01"),
        QStringLiteral("mnuRename02"), QStringLiteral("mnuRename06"), QStringLiteral("mnuRename07"),
        QStringLiteral("mnuRename08"), QStringLiteral("mnuRename09"), QStringLiteral("mnuRename10"),
        QStringLiteral("mnuNewNamesFromFile"), QStringLiteral("mnuFileList"), QStringLiteral("mnuCopyFolders"),
        QStringLiteral("mnuMoveFolders"), QStringLiteral("mnuRenameStructure"), QStringLiteral("mnuFolderAttributes"),
        QStringLiteral("mnuDeleteFolders1"), QStringLiteral("mnuDeleteFolders2"), QStringLiteral("mnuInfo"),
        QStringLiteral("mnuCreateSubFolders"),
        // Bar buttons, by bar and key.
        QStringLiteral("btnBarMain:Rename01"), QStringLiteral("btnBarMain:Rename02"),
        QStringLiteral("btnBarMain:Rename06"), QStringLiteral("btnBarMain:Rename07"),
        QStringLiteral("btnBarMain:Rename08"), QStringLiteral("btnBarMain:Rename09"),
        QStringLiteral("btnBarMain:Rename10"), QStringLiteral("btnBarMain:Rename99"),
        QStringLiteral("btnBarMain:Options"), QStringLiteral("btnbarScript:StartRunScript")};
    return names;
}

QString withoutAmpersands(QString text)
{
    return text.remove(QLatin1Char('&'));
}

} // namespace

MainWindow::MainWindow(AppState& state, Prompter& prompter, QWidget* parent)
    : QMainWindow(parent)
    , m_state(state)
    , m_session(prompter)
{
    Q_INIT_RESOURCE(dirwright);
    m_ui.setupUi(this, m_list);
    m_settings = std::make_unique<MainWindowSettings>(*this);
    m_preview = std::make_unique<MainWindowPreviewCommands>(*this);
    m_view = std::make_unique<MainWindowViewCommands>(*this);
    m_load = std::make_unique<MainWindowLoadCommands>(*this);
    m_rename = std::make_unique<MainWindowRenameCommands>(*this);
    m_script = std::make_unique<MainWindowScriptCommands>(*this);
    markCommandsNotBuilt();
    setMinimumSize(toPixels(kMinimumWidth), toPixels(kMinimumHeight));
    QSize first(toPixels(kFirstWidth), toPixels(kFirstHeight));
    if (const QScreen* screen = this->screen())
        first = first.boundedTo(screen->availableGeometry().size() * 9 / 10);
    resize(first);
    setContextMenuPolicy(Qt::NoContextMenu);
    setWindowIcon(QIcon(QStringLiteral(":/icons/dirwright.svg")));
    m_ui.leftButton(QStringLiteral("CancelAction"))->setEnabled(false);
    connect(m_ui.lstVorschau, &PreviewTableView::currentEntryTouched, this, &MainWindow::ShowCurrentEntry);
    connect(m_list.selectionModel(), &QItemSelectionModel::currentChanged, this, &MainWindow::ShowCurrentEntry);
}

MainWindow::~MainWindow() = default;

void MainWindow::markCommandsNotBuilt()
{
    for (QAction* command : m_ui.allCommands()) {
        const auto* bar = qobject_cast<QToolBar*>(command->parent());
        const QString name = bar ? bar->objectName() + QLatin1Char(':') + command->objectName() : command->objectName();
        if (commandsNotBuilt().contains(name))
            command->setProperty("notBuilt", true);
        if (commandBuilt(command))
            command->setProperty("allowed", true);
        else
            command->setEnabled(false);
    }
    // The drop-down entry of the second take-changes variant has no function either.
    for (QAction* item : m_ui.mainButton(QStringLiteral("TakeChanges"))->menu()->actions()) {
        if (item->objectName() == QLatin1String("TakeChanges2")) {
            item->setProperty("notBuilt", true);
            item->setEnabled(false);
        }
    }
}

bool MainWindow::commandBuilt(const QAction* command)
{
    return !command->property("notBuilt").toBool();
}

bool MainWindow::commandAllowed(const QAction* command)
{
    return command->property("allowed").toBool();
}

void MainWindow::setCommandEnabled(QAction* command, bool enabled)
{
    command->setProperty("allowed", enabled);
    command->setEnabled(enabled && commandBuilt(command));
}

int MainWindow::fittedWidth(int column, int twips) const
{
    if (column != FolderEntry::ColCreated && column != FolderEntry::ColModified)
        return twips;
    const QFontMetrics metrics = m_ui.lstVorschau->fontMetrics();
    const int needed =
        metrics.horizontalAdvance(QStringLiteral("8888-88-88 88:88:88")) + 2 * metrics.averageCharWidth();
    return std::max(twips, toTwips(needed));
}

int MainWindow::toPixels(int twips) const
{
    return TwipsToPixels(twips, logicalDpiX());
}

int MainWindow::toTwips(int pixels) const
{
    return PixelsToTwips(pixels, logicalDpiX());
}

QString MainWindow::text(const QString& key) const
{
    return m_state.language.GetLngText(kSection, key);
}

QString MainWindow::plainCaption(const QString& menuItem) const
{
    const QAction* item = m_ui.action(menuItem);
    return item ? withoutAmpersands(item->text()) : QString();
}

QString MainWindow::notAvailableText(const QString& caption) const
{
    return m_state.language.GetLngText(kSection, QStringLiteral("NotAvailable"), {caption});
}

void MainWindow::loadHandler()
{
    m_loading = true;
    setWindowTitle(QStringLiteral("Dirwright ") + m_state.versionText);
    m_list.setSortIcons(MainImageList::image(QStringLiteral("lstSort1")),
                        MainImageList::image(QStringLiteral("lstSort2")));
    m_settings->readButtonBars();
    m_settings->readColumnWidths();
    m_settings->readSortOrder();
    m_settings->readPlacement();
    m_settings->readFlags();
    applyExpertMode();
    m_settings->prepareFiles();
    m_script->ListScripts();
    m_script->updateRecordingCommands();
    applyTexts();
    HideWorkColumns();
    refreshPreview();
    show();
    m_loading = false;
    m_settings->readAssistant();
}

bool MainWindow::closeRequest()
{
    if (m_loading) {
        m_settings->writeExpertMode();
        SaveSettings(m_state, prompter());
        return true;
    }
    m_settings->writeColumnsAndPlacement();
    if (m_session.recordingState == 1 || m_session.recordingState == 2) {
        const Prompter::Button answer =
            prompter().ask(m_state.message(QStringLiteral("MsgText30")), m_state.message(QStringLiteral("MsgCap11")),
                           Prompter::Yes | Prompter::No | Prompter::Cancel, Prompter::Icon::Question, Prompter::Cancel);
        if (answer == Prompter::Cancel)
            return false;
        if (answer == Prompter::Yes && m_stopRecording)
            m_stopRecording();
    }
    bool proceed = true;
    const auto& entries = m_list.entries();
    const bool pending =
        std::any_of(entries.begin(), entries.end(), [](const FolderEntry& e) { return e.isChanged(); });
    if (pending) {
        const Prompter::Button answer =
            prompter().ask(m_state.message(QStringLiteral("MsgText03")), m_state.message(QStringLiteral("MsgCap03")),
                           Prompter::Yes | Prompter::No | Prompter::Cancel, Prompter::Icon::Question, Prompter::Cancel);
        if (answer == Prompter::Cancel)
            proceed = false;
        else if (answer == Prompter::Yes)
            m_preview->commitAll();
    }
    m_settings->writeBarsSortAndColours();
    m_settings->writeExpertMode();
    SaveSettings(m_state, prompter());
    return proceed;
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // A load serves the event queue while it runs; the list must outlive it. Stop it instead.
    if (m_load->loader().isLoading()) {
        m_load->loader().requestCancel();
        event->ignore();
        return;
    }
    if (closeRequest())
        event->accept();
    else
        event->ignore();
}

void MainWindow::applyTexts()
{
    TranslateForm(m_state.language, this, kSection);
    const QString caption = text(QStringLiteral("Caption"));
    setWindowTitle((caption.isEmpty() ? QStringLiteral("Dirwright") : caption) + QLatin1Char(' ') +
                   m_state.versionText);

    // Bar buttons show their tool tip wherever the bar has no room for them.
    for (QToolBar* bar : {m_ui.btnBarMain, m_ui.btnbarScript, m_ui.btnBarLeft}) {
        for (QAction* button : bar->actions()) {
            if (!button->objectName().isEmpty() && !button->toolTip().isEmpty())
                button->setText(button->toolTip());
        }
    }
    for (QAction* command : m_ui.allCommands()) {
        if (commandBuilt(command))
            continue;
        const auto* bar = qobject_cast<QToolBar*>(command->parent());
        command->setToolTip(notAvailableText(bar ? command->toolTip() : withoutAmpersands(command->text())));
    }
    for (QAction* item : m_ui.mainButton(QStringLiteral("TakeChanges"))->menu()->actions()) {
        if (!commandBuilt(item))
            item->setToolTip(notAvailableText(withoutAmpersands(item->text())));
    }
    m_ui.mainButton(QStringLiteral("TakeChanges"))->menu()->setToolTipsVisible(true);

    m_ui.lstApplyTo->clear();
    for (int n = 1; n <= 3; ++n)
        m_ui.lstApplyTo->addItem(plainCaption(QStringLiteral("mnuDelList%1").arg(n)));
    m_ui.lstApplyTo->setCurrentIndex(0);
    m_ui.lstApplyTo->setToolTip(m_state.language.GetLngText(QStringLiteral("FrmULCASE"), QStringLiteral("Frameapply")));

    for (size_t i = 0; i < m_ui.lbl1.size(); ++i)
        m_ui.lbl1[i]->setText(m_list.headerText(static_cast<int>(i)));
    m_view->applyTexts();
    m_script->applyTexts();
}

void MainWindow::HideWorkColumns()
{
    QHeaderView* header = m_ui.lstVorschau->horizontalHeader();
    for (int column = PreviewList::kVisibleColumns; column < FolderEntry::ColumnCount; ++column)
        header->setSectionHidden(column, true);
}

int MainWindow::columnWidthTwips(int column) const
{
    const QHeaderView* header = m_ui.lstVorschau->horizontalHeader();
    return header->isSectionHidden(column) ? 0 : toTwips(header->sectionSize(column));
}

void MainWindow::setColumnWidthTwips(int column, int twips)
{
    QHeaderView* header = m_ui.lstVorschau->horizontalHeader();
    if (twips <= 0) {
        header->setSectionHidden(column, true);
        return;
    }
    header->setSectionHidden(column, false);
    header->resizeSection(column, toPixels(twips));
}

void MainWindow::refreshPreview()
{
    HideWorkColumns();
    m_load->loader().resetLoadedCount();
    m_ui.status->setText(text(QStringLiteral("RefreshPreview")));

    for (const char* key : {"RunSelectedScript", "StartRecordScript", "StartRunScript"})
        setCommandEnabled(m_ui.scriptButton(QLatin1String(key)), false);
    m_ui.lstApplyTo->setEnabled(false);
    for (const char* name : {"mnuDelList", "mnuEdit", "mnuSpecial", "mnuRejectChanges", "mnuRename", "mnuScript",
                             "mnuTakeChanges", "mnuUndo"})
        setCommandEnabled(m_ui.action(QLatin1String(name)), false);
    for (QAction* button : m_ui.btnBarMain->actions()) {
        const QString key = button->objectName();
        if (!key.isEmpty() && key != QLatin1String("OpenFile") && key != QLatin1String("Options"))
            setCommandEnabled(button, false);
    }

    QApplication::setOverrideCursor(Qt::WaitCursor);
    const PreviewList::Summary summary = m_list.refreshEntries();
    QApplication::restoreOverrideCursor();

    if (summary.changedCount > 0) {
        for (const char* name : {"mnuTakeChanges", "mnuRejectChanges"})
            setCommandEnabled(m_ui.action(QLatin1String(name)), true);
        for (const char* key : {"TakeChanges", "RejectChanges"})
            setCommandEnabled(m_ui.mainButton(QLatin1String(key)), true);
    }
    m_state.undoLevels = summary.undoLevels;
    if (m_list.isEmpty()) {
        m_ui.lblSelectedScript->setText(m_state.statusText(5));
        ShowCurrentEntry();
    } else {
        // The list always has a current entry, so the panel and the left bar have something to show.
        if (m_list.currentRow() < 0)
            m_list.selectionModel()->setCurrentIndex(m_list.index(0, 0), QItemSelectionModel::NoUpdate);
        ShowCurrentEntry();
        // The hint about the empty list must not outlive it.
        if (m_ui.lblSelectedScript->text() == m_state.statusText(5))
            m_ui.lblSelectedScript->clear();
        m_ui.lstApplyTo->setEnabled(true);
        for (const char* name : {"mnuDelList", "mnuEdit", "mnuSpecial", "mnuScript", "mnuRename"})
            setCommandEnabled(m_ui.action(QLatin1String(name)), true);
        setCommandEnabled(m_ui.scriptButton(QStringLiteral("StartRunScript")), true);
        setCommandEnabled(m_ui.scriptButton(QStringLiteral("StartRecordScript")), m_session.recordingState == 0);
        QMenu* scripts = m_ui.scriptButton(QStringLiteral("RunSelectedScript"))->menu();
        setCommandEnabled(m_ui.scriptButton(QStringLiteral("RunSelectedScript")), scripts && !scripts->isEmpty());
        setCommandEnabled(m_ui.action(QStringLiteral("mnuUndo")), summary.undoLevels > 0);
        for (QAction* button : m_ui.btnBarMain->actions()) {
            const QString key = button->objectName();
            if (key == QLatin1String("DelList") ||
                (key >= QLatin1String("Rename01") && key <= QLatin1String("Rename99")))
                setCommandEnabled(button, true);
            else if (key == QLatin1String("Undo"))
                setCommandEnabled(button, commandAllowed(m_ui.action(QStringLiteral("mnuUndo"))));
        }
    }

    QLabel* status = m_ui.status;
    status->setProperty("tag", 0);
    status->setText(
        SubstituteArgs(m_state.statusText(1), {QString::number(summary.entries), QString::number(summary.folderCount),
                                               QString::number(summary.changedCount)}));
}

void MainWindow::ShowCurrentEntry()
{
    for (QLabel* label : m_ui.lbl2)
        label->clear();
    const int row = m_list.currentRow();
    if (!m_list.isEmpty() && row >= 0) {
        const FolderEntry& e = m_list.entry(row);
        m_ui.lbl2[0]->setText(e.parentPath());
        m_ui.lbl2[1]->setText(e.oldName());
        m_ui.lbl2[2]->setText(e.newName());
    }
    updateLeftBar();
}

void MainWindow::updateLeftBar()
{
    const bool hasEntry = !m_ui.lbl2[0]->text().isEmpty();
    if (!hasEntry) {
        m_ui.lbl2[1]->clear();
        m_ui.lbl2[2]->clear();
    }
    for (const char* key : {"EditMan", "DelList", "Properties"})
        setCommandEnabled(m_ui.leftButton(QLatin1String(key)), hasEntry);
}

void MainWindow::showCommitFailures(const CommitReport& report)
{
    NotRenamedDialog::showReport(m_state, prompter(), m_list, report, this);
}

void MainWindow::applyExpertMode()
{
    for (const char* name : {"mnuFolderAttributes", "mnuDeleteFolders1", "mnuDeleteFolders2"})
        setCommandEnabled(m_ui.action(QLatin1String(name)), m_state.expertMode);
}

void MainWindow::setLoadingFolders(bool loading)
{
    m_ui.leftButton(QStringLiteral("CancelAction"))->setEnabled(loading);
}
