#include "gui/mainwindow/MainWindow.h"

#include "core/AppState.h"
#include "core/settings/HelpGuide.h"
#include "core/settings/ProgramNames.h"
#include "core/settings/ProjectPage.h"
#include "gui/mainwindow/AssistantDialog.h"
#include "gui/mainwindow/AttributesController.h"
#include "gui/mainwindow/CommandTable.h"
#include "gui/mainwindow/LoadController.h"
#include "gui/mainwindow/MainImageList.h"
#include "gui/mainwindow/MainWindowSettings.h"
#include "gui/mainwindow/PreviewColumns.h"
#include "gui/mainwindow/PreviewController.h"
#include "gui/mainwindow/PreviewTableView.h"
#include "gui/mainwindow/RenameController.h"
#include "gui/mainwindow/ScriptController.h"
#include "gui/mainwindow/ViewController.h"
#include "gui/platform/Prompter.h"
#include "gui/platform/Twips.h"
#include "gui/settings/SaveSettings.h"
#include "gui/settings/WidgetTranslator.h"

#include <QAction>
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
    m_preview = std::make_unique<PreviewController>(state, m_session, m_list, this);
    m_load = std::make_unique<LoadController>(state, m_session, m_list, this);
    m_rename = std::make_unique<RenameController>(
        state, m_session, m_list, *m_ui.lstApplyTo, [this](CommandId id) { return m_ui.menuItem(id)->text(); },
        *m_ui.lstVorschau, this);
    m_script = std::make_unique<ScriptController>(
        state, m_session, *m_ui.scripts, *m_rename, [this] { return m_ui.menuItem(CommandId::StartRunScript)->text(); },
        this);
    m_view = std::make_unique<ViewController>(state, m_session, m_ui);
    m_attributes = std::make_unique<AttributesController>(state, m_session, m_list, *m_ui.lstApplyTo, this);
    connectCommands();
    connectControllers();
    updateCommands();
    setMinimumSize(toPixels(kMinimumWidth), toPixels(kMinimumHeight));
    QSize first(toPixels(kFirstWidth), toPixels(kFirstHeight));
    if (const QScreen* screen = this->screen())
        first = first.boundedTo(screen->availableGeometry().size() * 9 / 10);
    resize(first);
    setContextMenuPolicy(Qt::NoContextMenu);
    setWindowIcon(QIcon(QStringLiteral(":/icons/dirwright.svg")));
}

MainWindow::~MainWindow() = default;

void MainWindow::connectCommands()
{
    const CommandTable::Controllers controllers{*m_preview, *m_load, *m_rename, *m_script, *m_view, *m_attributes};
    for (const CommandTable::Command& command : CommandTable::commands()) {
        if (!command.run)
            continue;
        for (QAction* action : m_ui.actions(command.id)) {
            connect(action, &QAction::triggered, this,
                    [controllers, run = command.run](bool checked) { run(controllers, checked); });
        }
    }
    PreviewTableView* view = m_ui.lstVorschau;
    connect(view->horizontalHeader(), &QHeaderView::sectionClicked, m_preview.get(), &PreviewController::headerClicked);
    connect(view, &PreviewTableView::contextMenuRequested, this, &MainWindow::openContextMenu);
    // The list's own keys run the commands, so they ask what the commands ask and obey their enabling.
    connect(view, &PreviewTableView::removeRequested, m_ui.menuItem(CommandId::RemoveSelected), &QAction::trigger);
    connect(view, &PreviewTableView::editRequested, m_ui.menuItem(CommandId::EditCurrent), &QAction::trigger);
    connect(view, &PreviewTableView::nameTyped, this, [this](int row, const QString& typed) {
        if (isEnabled(CommandId::EditCurrent))
            m_rename->takeTypedName(row, typed);
    });
    view->setShellDropHandler([this](const QStringList& paths) { m_load->dropFolders(paths); });
}

void MainWindow::connectControllers()
{
    QLabel* status = m_ui.status;
    connect(m_preview.get(), &PreviewController::statusText, status, &QLabel::setText);
    connect(m_load.get(), &LoadController::statusText, status, &QLabel::setText);
    connect(m_rename.get(), &RenameController::statusText, status, &QLabel::setText);
    connect(m_attributes.get(), &AttributesController::statusText, status, &QLabel::setText);
    connect(m_preview.get(), &PreviewController::refreshed, this, &MainWindow::showRefreshed);
    connect(m_preview.get(), &PreviewController::variantChosen, this, &MainWindow::describeChoice);
    connect(m_load.get(), &LoadController::listChanged, this, &MainWindow::refreshPreview);
    connect(m_rename.get(), &RenameController::listChanged, this, &MainWindow::refreshPreview);
    connect(m_load.get(), &LoadController::loadingChanged, this, &MainWindow::updateCommands);
    connect(m_script.get(), &ScriptController::recordingChanged, this, &MainWindow::showRecording);
    connect(m_script.get(), &ScriptController::scriptsListed, this, &MainWindow::updateCommands);
    connect(m_script.get(), &ScriptController::scriptChosen, m_ui.lblSelectedScript, &QLabel::setText);
    connect(m_script.get(), &ScriptController::statusText, status, &QLabel::setText);
    connect(m_script.get(), &ScriptController::runEnded, this, &MainWindow::refreshPreview);
    connect(m_view.get(), &ViewController::expertModeChanged, this, &MainWindow::updateCommands);
    connect(m_view.get(), &ViewController::columnToggled, this, &MainWindow::showColumn);
    connect(m_view.get(), &ViewController::endRequested, this, &QWidget::close);
    connect(m_view.get(), &ViewController::optionsChanged, this, &MainWindow::applyTexts);
    connect(m_view.get(), &ViewController::assistantToggled, this, &MainWindow::showAssistant);
    connect(m_ui.lstVorschau, &PreviewTableView::currentEntryTouched, this, &MainWindow::ShowCurrentEntry);
    connect(m_list.selectionModel(), &QItemSelectionModel::currentChanged, this, &MainWindow::ShowCurrentEntry);
}

void MainWindow::updateCommands()
{
    CommandContext context;
    context.list = m_list.summary();
    context.hasCurrentEntry = !m_list.isEmpty() && m_list.currentRow() >= 0;
    context.singleSelection = m_singleSelection;
    context.recording = m_session.recordingState != 0;
    context.loading = m_load->isLoading();
    context.expertMode = m_state.settings.flag(Settings::Key::ExpertMode);
    // While expert mode is off the experts item is a plain command that asks first: a question asked from
    // a menu that is opening pulls the menu away under the toolkit's feet.
    QAction* experts = m_ui.mnuExperts->menuAction();
    if ((experts->menu() != nullptr) != context.expertMode)
        experts->setMenu(context.expertMode ? m_ui.mnuExperts : nullptr);
    context.scriptsListed = !m_ui.scripts->isEmpty();
    context.helpGuide = m_helpGuide;
    context.conflicts = m_preview->conflictCount();
    m_enabled = ::enabledCommands(context);
    for (const CommandTable::Command& command : CommandTable::commands()) {
        for (QAction* action : m_ui.actions(command.id))
            action->setEnabled(isEnabled(command.id));
    }
    if (m_assistant)
        m_assistant->updateEnabling();
}

void MainWindow::showRecording()
{
    const bool recording = m_session.recordingState != 0;
    m_ui.lblRecording->setVisible(recording);
    // The record button stays pressed while it records.
    QAction* record = m_ui.button(CommandId::StartRecording);
    record->setCheckable(recording);
    record->setChecked(recording);
    updateCommands();
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

QString MainWindow::plainCaption(CommandId id) const
{
    return withoutAmpersands(m_ui.menuItem(id)->text());
}

QString MainWindow::notAvailableText(const QString& caption) const
{
    return m_state.language.GetLngText(kSection, QStringLiteral("NotAvailable"), {caption});
}

void MainWindow::loadHandler()
{
    m_starting = true;
    setWindowTitle(ProductName() + QLatin1Char(' ') + m_state.versionText);
    m_list.setSortIcons(MainImageList::image(QStringLiteral("lstSort1")),
                        MainImageList::image(QStringLiteral("lstSort2")));
    m_list.setConflictIcon(style()->standardIcon(QStyle::SP_MessageBoxWarning));
    m_settings->readButtonBars();
    m_settings->readColumnWidths();
    m_settings->readSortOrder();
    m_settings->readPlacement();
    m_settings->prepareFiles();
    m_script->ListScripts();
    applyTexts();
    refreshPreview();
    show();
    m_starting = false;
    m_settings->readAssistant();
}

bool MainWindow::closeRequest()
{
    if (m_starting) {
        SaveSettings(m_state, prompter());
        return true;
    }
    m_settings->writeColumnsAndPlacement();
    if (m_assistant && m_assistant->isVisible())
        m_assistant->storePosition();
    if (m_session.recordingState == 1 || m_session.recordingState == 2) {
        const Prompter::Button answer =
            prompter().ask(m_state.message(QStringLiteral("MsgText30")), m_state.message(QStringLiteral("MsgCap11")),
                           Prompter::Yes | Prompter::No | Prompter::Cancel, Prompter::Icon::Question, Prompter::Cancel);
        if (answer == Prompter::Cancel)
            return false;
        if (answer == Prompter::Yes)
            m_script->stopRecording();
    }
    bool proceed = true;
    bool pending = false;
    for (int row = 0; row < m_list.size() && !pending; ++row)
        pending = m_list.entry(row).isChanged();
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
    setWindowTitle((caption.isEmpty() ? ProductName() : caption) + QLatin1Char(' ') + m_state.versionText);

    // Bar buttons show their tool tip wherever the bar has no room for them.
    for (QToolBar* bar : {m_ui.btnBarMain, m_ui.btnbarScript, m_ui.btnBarLeft}) {
        for (QAction* button : bar->actions()) {
            if (!button->objectName().isEmpty() && !button->toolTip().isEmpty())
                button->setText(button->toolTip());
        }
    }
    markCommandsNotBuilt();

    // A new language keeps the user's choice of entries.
    const int applyTo = std::max(0, m_ui.lstApplyTo->currentIndex());
    m_ui.lstApplyTo->clear();
    for (const CommandId id : {CommandId::RemoveAll, CommandId::RemoveSelected, CommandId::RemoveNotSelected})
        m_ui.lstApplyTo->addItem(plainCaption(id));
    m_ui.lstApplyTo->setCurrentIndex(applyTo);
    m_ui.lstApplyTo->setToolTip(m_state.language.GetLngText(QStringLiteral("FrmULCASE"), QStringLiteral("Frameapply")));

    m_ui.lstVorschau->setEmptyHint(text(QStringLiteral("EmptyListHint")));
    for (size_t i = 0; i < m_ui.lbl1.size(); ++i)
        m_ui.lbl1[i]->setText(m_list.headerText(static_cast<int>(i)));

    // The guide is shipped per language; without it the help command says it is not there yet.
    m_helpGuide = !HelpGuidePath(m_state).isEmpty();
    QAction* help = m_ui.menuItem(CommandId::HelpContent);
    help->setToolTip(m_helpGuide ? QString() : notAvailableText(withoutAmpersands(help->text())));
    // Without a web page to look at there is nothing to check for updates with.
    m_ui.menuItem(CommandId::Update)->setVisible(!ProjectWebPage().isEmpty());
    if (m_assistant)
        m_assistant->retranslate();
    updateCommands();
}

void MainWindow::markCommandsNotBuilt()
{
    for (const CommandTable::Command& command : CommandTable::commands()) {
        if (commandBuilt(command.id))
            continue;
        for (QAction* action : m_ui.actions(command.id)) {
            const bool onBar = qobject_cast<QToolBar*>(action->parent()) != nullptr;
            action->setToolTip(notAvailableText(onBar ? action->toolTip() : withoutAmpersands(action->text())));
        }
    }
}

int MainWindow::columnWidthTwips(int column) const
{
    return toTwips(m_ui.lstVorschau->columns().width(column));
}

void MainWindow::setColumnWidthTwips(int column, int twips)
{
    m_ui.lstVorschau->columns().setWidth(column, twips <= 0 ? 0 : toPixels(twips));
}

void MainWindow::refreshPreview()
{
    m_preview->refreshPreview();
}

void MainWindow::showRefreshed()
{
    m_ui.lstVorschau->hideWorkColumns();
    m_load->loader().resetLoadedCount();
    m_ui.lstApplyTo->setEnabled(!m_list.isEmpty());
    // The hint about the empty list must not outlive it.
    if (m_list.isEmpty())
        m_ui.lblSelectedScript->setText(m_state.statusText(5));
    else if (m_ui.lblSelectedScript->text() == m_state.statusText(5))
        m_ui.lblSelectedScript->clear();
    ShowCurrentEntry();
}

void MainWindow::ShowCurrentEntry()
{
    for (QLabel* label : m_ui.lbl2)
        label->clear();
    const int row = m_list.currentRow();
    if (!m_list.isEmpty() && row >= 0) {
        const FolderEntry& e = m_list.entry(row);
        m_ui.lbl2[0]->setText(e.parentPath);
        m_ui.lbl2[1]->setText(e.oldName);
        m_ui.lbl2[2]->setText(e.newName);
    }
    updateCommands();
}

void MainWindow::describeChoice(CommandId button, CommandId variant)
{
    const CommandId menu = button == CommandId::RemoveChosen ? CommandId::RemoveMenu : CommandId::TakeMenu;
    m_ui.button(button)->setToolTip(plainCaption(menu) + QStringLiteral(" [") +
                                    withoutAmpersands(m_ui.button(variant)->text()) + QLatin1Char(']'));
}

void MainWindow::showColumn(int column, bool shown)
{
    setColumnWidthTwips(column - 1, shown ? fittedWidth(column - 1, MainWindowSettings::shownWidth(column)) : 0);
}

void MainWindow::openContextMenu(const QPoint& globalPos)
{
    m_singleSelection = m_list.selectionModel()->selectedRows().size() == 1;
    updateCommands();
    m_ui.mnuPopup1->popup(globalPos);
}

void MainWindow::showAssistant(bool shown)
{
    if (!m_assistant && shown) {
        m_assistant = new AssistantDialog(m_state, *this);
        connect(m_assistant, &AssistantDialog::closedByUser, this,
                [this] { m_ui.menuItem(CommandId::ShowAssistant)->setChecked(false); });
        m_assistant->restorePosition();
    }
    if (!m_assistant)
        return;
    if (shown) {
        m_assistant->show();
    } else if (m_assistant->isVisible()) {
        m_assistant->storePosition();
        m_assistant->hide();
    }
}
