#include "gui/commit/HistoryDialog.h"

#include "core/AppState.h"
#include "core/commit/RenameHistory.h"
#include "core/commit/RenameProtocol.h"
#include "core/settings/ProgramNames.h"
#include "gui/platform/Prompter.h"
#include "gui/platform/ShowHelpGuide.h"
#include "gui/platform/TextRowDelegate.h"
#include "gui/settings/DialogChrome.h"
#include "gui/settings/NamedWidget.h"
#include "gui/settings/WidgetTranslator.h"

#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QString kTwoLineFeeds = QStringLiteral("\n\n");

QPushButton* commandButton(const QString& name, const QString& text, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

} // namespace

HistoryDialog::HistoryDialog(AppState& state, Prompter& prompter, QWidget* parent)
    : QDialog(parent)
    , m_state(state)
    , m_prompter(prompter)
{
    setObjectName(formName());
    setModal(true);
    setWindowTitle(QStringLiteral("History"));

    m_history = new RenameHistory(this);
    m_list = NamedWidget<QTreeView>(this, QStringLiteral("lstFiles"));
    m_list->setModel(m_history);
    m_list->setProperty("columnTags", QStringList{QStringLiteral("ColDate"), QStringLiteral("ColPath"),
                                                  QStringLiteral("ColOldName"), QStringLiteral("ColNewName")});
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setItemDelegate(new TextRowDelegate(m_list));
    m_list->setAllColumnsShowFocus(true);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->header()->setSectionsMovable(false);
    m_list->header()->setStretchLastSection(true);
    m_history->setHeaderData(RenameHistory::ColStamp, Qt::Horizontal, QStringLiteral("Date and time"));
    m_history->setHeaderData(RenameHistory::ColParentPath, Qt::Horizontal, QStringLiteral("Folder"));
    m_history->setHeaderData(RenameHistory::ColOldName, Qt::Horizontal, QStringLiteral("Old name"));
    m_history->setHeaderData(RenameHistory::ColNewName, Qt::Horizontal, QStringLiteral("New name"));

    // The window's own buttons take their captions from its section; Close is the shared one.
    auto* frame = NamedWidget<QFrame>(this, QStringLiteral("frameButton"));
    m_undo = commandButton(QStringLiteral("cmdUndoRenaming"), QStringLiteral("Undo renaming"), frame);
    m_undo->setProperty("tag", formName());
    m_delete = commandButton(QStringLiteral("cmdDeleteHistory"), QStringLiteral("Delete history"), frame);
    m_delete->setProperty("tag", formName());
    QPushButton* close = commandButton(QStringLiteral("cmdClose"), QStringLiteral("Close"), frame);
    close->setDefault(true);
    auto* buttons = new QHBoxLayout(frame);
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->addWidget(m_undo);
    buttons->addWidget(m_delete);
    buttons->addStretch(1);
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addWidget(frame);
    resize(860, 440);

    connect(m_undo, &QPushButton::clicked, this, &HistoryDialog::undoSelected);
    connect(m_delete, &QPushButton::clicked, this, &HistoryDialog::deleteHistory);
    connect(close, &QPushButton::clicked, this, &HistoryDialog::accept);
    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this, &HistoryDialog::updateButtons);
    connect(m_history, &QAbstractItemModel::modelReset, this, &HistoryDialog::updateButtons);

    TranslateForm(state.language, this);
    ConnectHelp(this, state, prompter);
    SetDialogButtons(this, state.language);
    SetDialogColours(this, state);
    m_history->LoadHistory(state);

    // Opens sorted by time, oldest first; a click on a header sorts by that column, a second click on
    // the same header turns the order round.
    m_list->setSortingEnabled(true);
    m_list->header()->setSortIndicator(RenameHistory::ColStamp, Qt::AscendingOrder);
    // Columns as wide as their texts, within limits, so that one long path does not hide the names.
    const int limits[RenameHistory::ColumnCount] = {-1, 380, 220, -1};
    for (int column = 0; column + 1 < RenameHistory::ColumnCount; ++column) {
        m_list->resizeColumnToContents(column);
        const int wanted = m_list->columnWidth(column) + 12;
        m_list->setColumnWidth(column, limits[column] > 0 ? std::min(wanted, limits[column]) : wanted);
    }
    updateButtons();
}

void HistoryDialog::updateButtons()
{
    m_undo->setEnabled(m_list->selectionModel()->hasSelection());
    m_delete->setEnabled(m_history->size() > 0);
}

void HistoryDialog::undoSelected()
{
    if (!m_list->selectionModel()->hasSelection())
        return;
    if (m_prompter.ask(m_state.message(QStringLiteral("MsgText18"), {kTwoLineFeeds}),
                       m_state.message(QStringLiteral("msgCapAttention")), Prompter::Yes | Prompter::No,
                       Prompter::Icon::Warning, Prompter::No) != Prompter::Yes)
        return;
    std::vector<bool> selected(static_cast<size_t>(m_history->size()), false);
    const QModelIndexList rows = m_list->selectionModel()->selectedRows();
    for (const QModelIndex& index : rows)
        selected[static_cast<size_t>(index.row())] = true;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QStringList failures = m_history->UndoHistoryRenames(m_state, selected);
    QApplication::restoreOverrideCursor();
    for (const QString& failure : failures)
        m_prompter.tell(failure, ProductName(), Prompter::Icon::Warning);
    updateButtons();
}

void HistoryDialog::deleteHistory()
{
    if (m_prompter.ask(m_state.message(QStringLiteral("MsgText19"), {kTwoLineFeeds}),
                       m_state.message(QStringLiteral("msgCapAttention")), Prompter::Yes | Prompter::No,
                       Prompter::Icon::Warning, Prompter::No) != Prompter::Yes)
        return;
    if (!m_history->deleteHistory(m_state)) {
        m_prompter.tell(
            m_state.message(QStringLiteral("msgHistoryNotSaved"), {QLatin1Char('"') + m_state.settingsFolder +
                                                                   RenameProtocol::fileName() + QLatin1Char('"')}),
            ProductName(), Prompter::Icon::Warning);
    }
    updateButtons();
}
