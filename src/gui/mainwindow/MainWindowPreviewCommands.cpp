#include "gui/mainwindow/MainWindowPreviewCommands.h"

#include "core/AppState.h"
#include "core/commit/CommitRenames.h"
#include "core/commit/ProposalHistory.h"
#include "core/preview/RemovalPlan.h"
#include "gui/commit/HistoryDialog.h"
#include "gui/mainwindow/MainWindow.h"
#include "gui/mainwindow/MainWindowSettings.h"
#include "gui/mainwindow/PreviewTableView.h"
#include "gui/platform/Prompter.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>

namespace {

// Drop-down items act as a press of their button only when their key lies in the button's range.
bool inRange(const QString& key, const QString& first, const QString& last)
{
    return key >= first && key <= last;
}

QString withoutAmpersands(QString text)
{
    return text.remove(QLatin1Char('&'));
}

} // namespace

MainWindowPreviewCommands::MainWindowPreviewCommands(MainWindow& window)
    : m_window(window)
{
    connectCommands();
}

void MainWindowPreviewCommands::connectCommands()
{
    MainWindowUi& ui = m_window.ui();
    for (int n = 1; n <= 5; ++n) {
        const QString key = QStringLiteral("DelList%1").arg(n);
        QObject::connect(ui.action(QStringLiteral("mnu") + key), &QAction::triggered, &m_window,
                         [this, key] { RemoveEntries(key); });
    }
    QAction* delList = ui.mainButton(QStringLiteral("DelList"));
    QObject::connect(delList, &QAction::triggered, &m_window, [this] { RemoveEntries(); });
    for (QAction* item : delList->menu()->actions()) {
        QObject::connect(item, &QAction::triggered, &m_window, [this, item] {
            const QString key = item->objectName();
            if (inRange(key, QStringLiteral("DelList1"), QStringLiteral("DelList9")))
                RemoveEntries(key);
        });
    }

    for (int n = 1; n <= 2; ++n) {
        const QString key = QStringLiteral("TakeChanges%1").arg(n);
        QObject::connect(ui.action(QStringLiteral("mnu") + key), &QAction::triggered, &m_window,
                         [this, key] { takeChanges(key); });
    }
    QAction* take = ui.mainButton(QStringLiteral("TakeChanges"));
    // Pressing the button repeats the variant in its tag; the first variant takes every change.
    take->setProperty("tag", QStringLiteral("TakeChanges1"));
    QObject::connect(take, &QAction::triggered, &m_window, [this] { takeChanges(); });
    for (QAction* item : take->menu()->actions()) {
        QObject::connect(item, &QAction::triggered, &m_window, [this, item] {
            const QString key = item->objectName();
            if (inRange(key, QStringLiteral("TakeChanges1"), QStringLiteral("TakeChanges9")))
                takeChanges(key);
        });
    }

    for (QAction* undo : {ui.action(QStringLiteral("mnuUndo")), ui.mainButton(QStringLiteral("Undo"))})
        QObject::connect(undo, &QAction::triggered, &m_window, [this] { undoProposals(); });
    for (QAction* reject :
         {ui.action(QStringLiteral("mnuRejectChanges")), ui.mainButton(QStringLiteral("RejectChanges"))})
        QObject::connect(reject, &QAction::triggered, &m_window, [this] { rejectProposals(); });
    QObject::connect(ui.action(QStringLiteral("mnuHistory")), &QAction::triggered, &m_window,
                     [this] { HistoryDialog::showHistory(m_window.state(), m_window.prompter(), &m_window); });

    QObject::connect(ui.leftButton(QStringLiteral("DelList")), &QAction::triggered, &m_window,
                     [this] { removeCurrentEntry(); });
    QObject::connect(ui.action(QStringLiteral("btnBarLeftDel1File")), &QAction::triggered, &m_window,
                     [this] { removeCurrentEntry(); });

    PreviewTableView* view = ui.lstVorschau;
    QObject::connect(view->horizontalHeader(), &QHeaderView::sectionClicked, &m_window,
                     [this](int column) { headerClicked(column); });
    QObject::connect(view, &PreviewTableView::contextMenuRequested, &m_window,
                     [this](const QPoint& pos) { openContextMenu(pos); });
    for (int n = 4; n <= 6; ++n) {
        QObject::connect(ui.mnuViewPre[static_cast<size_t>(n - 1)], &QAction::triggered, &m_window,
                         [this, n](bool checked) { showColumn(n, checked); });
    }
}

QString MainWindowPreviewCommands::chooseItem(const QString& buttonName, const QString& menuName,
                                              const QString& chosenKey, const QString& fallbackKey)
{
    QAction* button = m_window.ui().mainButton(buttonName);
    if (!chosenKey.isEmpty())
        button->setProperty("tag", chosenKey);
    const QString tag = button->property("tag").toString();
    describeChoice(button, menuName, tag.isEmpty() ? fallbackKey : tag);
    return tag;
}

void MainWindowPreviewCommands::describeChoice(QAction* button, const QString& menuName, const QString& itemKey)
{
    for (const QAction* item : button->menu()->actions()) {
        if (item->objectName() == itemKey) {
            button->setToolTip(m_window.plainCaption(menuName) + QStringLiteral(" [") +
                               withoutAmpersands(item->text()) + QLatin1Char(']'));
            return;
        }
    }
}

void MainWindowPreviewCommands::RemoveEntries(const QString& chosenKey)
{
    m_window.HideWorkColumns();
    const QString tag =
        chooseItem(QStringLiteral("DelList"), QStringLiteral("mnuDelList"), chosenKey, QStringLiteral("DelList1"));

    const RemovalVariant variant = RemovalVariantFromTag(tag);
    if (variant == RemovalVariant::None)
        return;
    AppState& state = m_window.state();
    PreviewList& list = m_window.list();
    const RemovalPlan plan = PlanRemoval(list, variant);
    if (plan.count > 0) {
        Prompter::Button answer = Prompter::No;
        if (plan.ask) {
            answer = m_window.prompter().ask(
                state.message(QStringLiteral("MsgText21")), state.message(QStringLiteral("MsgCap03")),
                Prompter::Yes | Prompter::No | Prompter::Cancel, Prompter::Icon::Question, Prompter::Cancel);
            if (answer == Prompter::Cancel)
                return;
        }
        CommitReport report;
        if (answer == Prompter::Yes) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            if (variant == RemovalVariant::All) {
                report = CommitRenames(state, list, kAllEntries);
            } else {
                // One run per removed entry, sharing one index; the failures are shown together.
                std::vector<int> rows;
                for (int row = 0; row < list.size(); ++row) {
                    if (plan.remove[static_cast<size_t>(row)])
                        rows.push_back(row);
                }
                report = CommitRenames(state, list, rows);
            }
            QApplication::restoreOverrideCursor();
        }
        // The entries go first: the report may remove processed entries itself, which would shift the rows
        // the plan names.
        list.removeEntries(plan.remove);
        m_window.showCommitFailures(report);
    }
    m_window.ui().lbl2[0]->clear();
    m_window.refreshPreview();
}

void MainWindowPreviewCommands::removeCurrentEntry()
{
    PreviewList& list = m_window.list();
    const int row = list.currentRow();
    if (row < 0 || row >= list.size())
        return;
    AppState& state = m_window.state();
    if (list.entry(row).isChanged()) {
        const Prompter::Button answer = m_window.prompter().ask(state.message(QStringLiteral("MsgText15")),
                                                                state.message(QStringLiteral("MsgCap03")),
                                                                Prompter::Yes | Prompter::No, Prompter::Icon::Question);
        if (answer == Prompter::Yes) {
            const CommitReport report = CommitRenames(state, list, row);
            list.removeEntry(row);
            m_window.showCommitFailures(report);
            m_window.refreshPreview();
            return;
        }
    }
    list.removeEntry(row);
    m_window.refreshPreview();
}

void MainWindowPreviewCommands::takeChanges(const QString& chosenKey)
{
    m_window.HideWorkColumns();
    const QString tag = chooseItem(QStringLiteral("TakeChanges"), QStringLiteral("mnuTakeChanges"), chosenKey, {});
    if (tag != QLatin1String("TakeChanges1"))
        return;
    AppState& state = m_window.state();
    if (state.confirm[1]) {
        const Prompter::Button answer = m_window.prompter().ask(state.message(QStringLiteral("MsgText03")),
                                                                state.message(QStringLiteral("MsgCap03")),
                                                                Prompter::Yes | Prompter::No, Prompter::Icon::Question);
        if (answer != Prompter::Yes)
            return;
    }
    commitAll();
    m_window.refreshPreview();
}

void MainWindowPreviewCommands::commitAll()
{
    AppState& state = m_window.state();
    QLabel* status = m_window.ui().status;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const CommitReport report = CommitRenames(state, m_window.list(), kAllEntries, [&state, status](int renamed) {
        status->setProperty("tag", renamed);
        status->setText(CommitProgressText(state, renamed));
    });
    status->setProperty("tag", 0);
    QApplication::restoreOverrideCursor();
    m_window.showCommitFailures(report);
}

void MainWindowPreviewCommands::undoProposals()
{
    m_window.HideWorkColumns();
    const AppState& state = m_window.state();
    if (m_window.list().isEmpty())
        return;
    if (state.confirm[0] &&
        m_window.prompter().ask(state.message(QStringLiteral("MsgText07")), QString::fromUtf16(kProductName),
                                Prompter::Yes | Prompter::No, Prompter::Icon::Question) != Prompter::Yes)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    UndoProposals(m_window.list());
    QApplication::restoreOverrideCursor();
    m_window.refreshPreview();
}

void MainWindowPreviewCommands::rejectProposals()
{
    m_window.HideWorkColumns();
    const AppState& state = m_window.state();
    if (m_window.list().isEmpty())
        return;
    if (state.confirm[2] &&
        m_window.prompter().ask(state.message(QStringLiteral("MsgText04")), state.message(QStringLiteral("MsgCap04")),
                                Prompter::Yes | Prompter::No, Prompter::Icon::Question, Prompter::No) != Prompter::Yes)
        return;
    RejectProposals(m_window.list());
    m_window.refreshPreview();
}

void MainWindowPreviewCommands::headerClicked(int column)
{
    if (column < 0 || column >= PreviewList::kVisibleColumns)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_window.HideWorkColumns();
    m_window.list().headerClicked(column + 1);
    QApplication::restoreOverrideCursor();
}

void MainWindowPreviewCommands::showColumn(int menuIndex, bool shown)
{
    const int column = menuIndex - 1;
    m_window.setColumnWidthTwips(column,
                                 shown ? m_window.fittedWidth(column, MainWindowSettings::shownWidth(menuIndex)) : 0);
}

void MainWindowPreviewCommands::openContextMenu(const QPoint& globalPos)
{
    MainWindowUi& ui = m_window.ui();
    const bool single = m_window.list().selectionModel()->selectedRows().size() == 1;
    for (const char* name : {"btnBarLeftEditMan", "btnBarLeftDel1File", "btnBarLeftProperties"})
        m_window.setCommandEnabled(ui.action(QLatin1String(name)), single);
    ui.mnuPopup1->popup(globalPos);
}
