#include "gui/load/OpenDialog.h"

#include "core/AppState.h"
#include "core/load/FolderExpansion.h"
#include "core/load/OpenSettings.h"
#include "core/platform/MountTable.h"
#include "gui/load/LocationComboWidget.h"
#include "gui/platform/Prompter.h"
#include "gui/platform/ShowHelpGuide.h"
#include "gui/settings/NamedWidget.h"
#include "gui/settings/SaveSettings.h"
#include "gui/settings/WidgetTranslator.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileIconProvider>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSet>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString kSection = QStringLiteral("frmOpen");

constexpr int KeyRole = Qt::UserRole;
constexpr int KindRole = Qt::UserRole + 1;

using OpenLocations::Kind;

// A freedesktop theme icon, or its monochrome variant (some themes have only that for actions); where
// the theme has neither, the platform's own picture of that kind.
QIcon themedIcon(const QString& name, const QIcon& fallback = QIcon())
{
    QIcon icon = QIcon::fromTheme(name);
    if (icon.isNull())
        icon = QIcon::fromTheme(name + QStringLiteral("-symbolic"));
    return icon.isNull() ? fallback : icon;
}

QToolButton* iconButton(const QString& name, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setProperty("tag", kSection);
    button->setAutoRaise(false);
    return button;
}

QLabel* label(const QString& name, QWidget* buddy, QWidget* parent)
{
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setBuddy(buddy);
    return l;
}

bool isEnterKey(const QKeyEvent* key)
{
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

} // namespace

OpenDialog::OpenDialog(AppState& app, Prompter& prompter, QWidget* parent)
    : QDialog(parent)
    , m_app(app)
    , m_prompter(prompter)
{
    setObjectName(QStringLiteral("frmOpen"));
    buildControls();
    setIcons();
    applyTexts();
    ConnectHelp(this, m_app, m_prompter);

    const OpenChecks checks = OpenChecks::read(app.settings);
    m_takeAll->setChecked(checks.takeAll);
    m_subfolders->setChecked(checks.withSubfolders);
    m_showFiles->setChecked(checks.showFiles);

    m_filters = PowerFilterList::load(app.settings.document());
    fillFilterList(-1);

    m_volumes = OpenLocations::volumeEntries(app.fs(), MountTable::volumes(), QDir::homePath(),
                                             app.language.GetLngText(kSection, QStringLiteral("cmbDrvSelHome")));
    navigate(LastPath::startFolder(app.fs(), app.settings));
    m_entries->setFocus();
}

void OpenDialog::buildControls()
{
    setSizeGripEnabled(true);
    resize(780, 520);

    m_drives = NamedWidget<LocationComboWidget>(this, QStringLiteral("cmbDrvSel"));
    m_up = iconButton(QStringLiteral("cmdFolderUp"), this);
    m_pathEdit = NamedWidget<QLineEdit>(this, QStringLiteral("txtPath"));
    m_pathEdit->setClearButtonEnabled(false);
    m_entries = NamedWidget<QListWidget>(this, QStringLiteral("lstFiles"));
    m_entries->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_entries->setUniformItemSizes(true);
    const int smallIcon = style()->pixelMetric(QStyle::PM_SmallIconSize);
    m_entries->setIconSize(QSize(smallIcon, smallIcon));
    m_selection = NamedWidget<QLineEdit>(this, QStringLiteral("txtFiles"));
    m_selection->setReadOnly(true);

    m_filterList = NamedWidget<QListWidget>(this, QStringLiteral("lstFilters"));
    m_filterAdd = iconButton(QStringLiteral("cmdFilterAdd"), this);
    m_filterEdit = iconButton(QStringLiteral("cmdFilterEdit"), this);
    m_filterDel = iconButton(QStringLiteral("cmdFilterDel"), this);

    auto* options = NamedWidget<QGroupBox>(this, QStringLiteral("fraOptions"));
    m_takeAll = NamedWidget<QCheckBox>(options, QStringLiteral("chkOpen(1)"));
    m_subfolders = NamedWidget<QCheckBox>(options, QStringLiteral("chkOpen(2)"));
    m_showFiles = NamedWidget<QCheckBox>(options, QStringLiteral("chkOpen(3)"));

    m_open = NamedWidget<QPushButton>(this, QStringLiteral("cmdOpen"));
    m_open->setProperty("tag", kSection);
    m_open->setDefault(true);
    m_cancel = NamedWidget<QPushButton>(this, QStringLiteral("cmdCancel"));
    m_cancel->setProperty("tag", kSection);

    // Left: where we are and what is there. Right: the filters and the options.
    auto* left = new QGridLayout;
    left->addWidget(label(QStringLiteral("lblDrvSel"), m_drives, this), 0, 0);
    left->addWidget(m_drives, 0, 1);
    left->addWidget(m_up, 0, 2);
    left->addWidget(label(QStringLiteral("lblPath"), m_pathEdit, this), 1, 0);
    left->addWidget(m_pathEdit, 1, 1, 1, 2);
    left->addWidget(m_entries, 2, 0, 1, 3);
    left->addWidget(label(QStringLiteral("lblFiles"), m_selection, this), 3, 0);
    left->addWidget(m_selection, 3, 1, 1, 2);
    left->setRowStretch(2, 1);
    left->setColumnStretch(1, 1);

    auto* filterButtons = new QHBoxLayout;
    filterButtons->addWidget(m_filterAdd);
    filterButtons->addWidget(m_filterEdit);
    filterButtons->addWidget(m_filterDel);
    filterButtons->addStretch(1);
    auto* optionBox = new QVBoxLayout(options);
    optionBox->addWidget(m_takeAll);
    optionBox->addWidget(m_subfolders);
    optionBox->addWidget(m_showFiles);
    auto* right = new QVBoxLayout;
    right->addWidget(label(QStringLiteral("lblFilters"), m_filterList, this));
    right->addWidget(m_filterList, 1);
    right->addLayout(filterButtons);
    right->addWidget(options);

    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 3);
    columns->addLayout(right, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_open);
    buttons->addWidget(m_cancel);
    auto* page = new QVBoxLayout(this);
    page->addLayout(columns, 1);
    page->addLayout(buttons);

    connect(m_drives, &QComboBox::activated, this, [this](int index) {
        const QString key = m_drives->keyAt(index);
        navigate(key == OpenLocations::kComputerKey ? QString() : key);
    });
    connect(m_up, &QToolButton::clicked, this, &OpenDialog::goUp);
    // A typed path is gone to when the user leaves the field (Enter is handled in eventFilter).
    connect(m_pathEdit, &QLineEdit::editingFinished, this, [this] {
        if (m_pathEdit->text() != m_path)
            navigate(m_pathEdit->text());
    });
    connect(m_entries, &QListWidget::itemDoubleClicked, this, &OpenDialog::onEntryOpened);
    connect(m_entries, &QListWidget::itemSelectionChanged, this, &OpenDialog::refreshSelectionText);
    connect(m_takeAll, &QCheckBox::toggled, this, &OpenDialog::onTakeAllToggled);
    connect(m_showFiles, &QCheckBox::toggled, this, [this] { relist(true); });
    connect(m_filterList, &QListWidget::itemChanged, this, &OpenDialog::onFilterChanged);
    connect(m_filterList, &QListWidget::currentRowChanged, this, &OpenDialog::updateFilterButtons);
    connect(m_filterList, &QListWidget::itemDoubleClicked, this, &OpenDialog::editFilter);
    connect(m_filterAdd, &QToolButton::clicked, this, &OpenDialog::addFilter);
    connect(m_filterEdit, &QToolButton::clicked, this, &OpenDialog::editFilter);
    connect(m_filterDel, &QToolButton::clicked, this, &OpenDialog::deleteFilter);
    connect(m_open, &QPushButton::clicked, this, &OpenDialog::takeAndAccept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    m_entries->installEventFilter(this);
    m_pathEdit->installEventFilter(this);
    m_filterList->installEventFilter(this);
}

void OpenDialog::setIcons()
{
    const QFileIconProvider provider;
    m_kindIcons[size_t(Kind::Computer)] =
        themedIcon(QStringLiteral("computer"), provider.icon(QFileIconProvider::Computer));
    m_kindIcons[size_t(Kind::Volume)] =
        themedIcon(QStringLiteral("drive-harddisk"), provider.icon(QFileIconProvider::Drive));
    m_kindIcons[size_t(Kind::Home)] = themedIcon(QStringLiteral("user-home"), provider.icon(QFileIconProvider::Folder));
    m_kindIcons[size_t(Kind::Folder)] = themedIcon(QStringLiteral("folder"), provider.icon(QFileIconProvider::Folder));
    m_kindIcons[size_t(Kind::OpenFolder)] = themedIcon(QStringLiteral("folder-open"), iconOf(Kind::Folder));
    m_kindIcons[size_t(Kind::File)] =
        themedIcon(QStringLiteral("text-x-generic"), provider.icon(QFileIconProvider::File));

    m_up->setIcon(themedIcon(QStringLiteral("go-up"), style()->standardIcon(QStyle::SP_FileDialogToParent)));
    // Without a theme these stay without a picture and show their caption instead.
    m_filterAdd->setIcon(themedIcon(QStringLiteral("list-add")));
    m_filterEdit->setIcon(themedIcon(QStringLiteral("document-edit")));
    m_filterDel->setIcon(themedIcon(QStringLiteral("list-remove")));
}

void OpenDialog::applyTexts()
{
    TranslateForm(m_app.language, this, kSection);
    // Tool tips of controls that have a caption of their own: key = control name + "ToolTip".
    const QList<QWidget*> controls = findChildren<QWidget*>();
    for (QWidget* w : controls) {
        if (w->objectName().isEmpty())
            continue;
        const QString tip = m_app.language.GetLngText(kSection, w->objectName() + QStringLiteral("ToolTip"));
        if (!tip.isEmpty())
            w->setToolTip(tip);
    }
}

void OpenDialog::navigate(const QString& path)
{
    const QString target = OpenLocations::resolveFolder(m_app.fs(), path.trimmed(), m_path);
    const bool moved = target != m_path || !m_listed;
    m_path = target;
    m_pathEdit->setText(target);
    rebuildDropDown();
    if (moved)
        relist(false);
    m_takeAll->setEnabled(!m_path.isEmpty());
    m_up->setEnabled(!m_path.isEmpty());
    updateOpenEnabled();
}

void OpenDialog::rebuildDropDown()
{
    const QString computer = m_app.language.GetLngText(kSection, QStringLiteral("cmbDrvSelComputer"));
    const QList<OpenLocations::Entry> entries =
        OpenLocations::dropDownEntries(computer.isEmpty() ? QStringLiteral("Computer") : computer, m_volumes, m_path);
    const QSignalBlocker blocker(m_drives);
    m_drives->clear();
    for (const OpenLocations::Entry& e : entries)
        m_drives->addLocation(iconOf(e.kind), e.text, e.key, e.depth);
    m_drives->setCurrentIndex(m_drives->indexOfKey(m_path.isEmpty() ? OpenLocations::kComputerKey : m_path));
}

void OpenDialog::relist(bool keepSelection)
{
    QSet<QString> selected;
    QString current;
    if (keepSelection) {
        const QList<QListWidgetItem*> items = m_entries->selectedItems();
        for (const QListWidgetItem* item : items)
            selected.insert(item->data(KeyRole).toString());
        if (const QListWidgetItem* item = m_entries->currentItem())
            current = item->data(KeyRole).toString();
    }

    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QList<OpenLocations::Entry> entries = OpenLocations::listEntries(
        m_app.fs(), m_path, m_volumes, m_showFiles->isChecked(), m_filters.checkedPatterns());
    {
        const QSignalBlocker blocker(m_entries);
        m_entries->setUpdatesEnabled(false);
        m_entries->clear();
        const QBrush fileColour = palette().brush(QPalette::Disabled, QPalette::Text);
        for (const OpenLocations::Entry& e : entries) {
            auto* item = new QListWidgetItem(iconOf(e.kind), e.text);
            item->setData(KeyRole, e.key);
            item->setData(KindRole, int(e.kind));
            if (e.kind == Kind::File) {
                // Files are shown for orientation only and can never be chosen.
                item->setFlags(Qt::ItemIsEnabled);
                item->setForeground(fileColour);
            }
            m_entries->addItem(item);
            if (selected.contains(e.key))
                item->setSelected(true);
            if (e.key == current || (current.isEmpty() && m_entries->count() == 1))
                m_entries->setCurrentItem(item, QItemSelectionModel::NoUpdate);
        }
        m_entries->setUpdatesEnabled(true);
    }
    m_listed = true;
    QApplication::restoreOverrideCursor();
    refreshSelectionText();
}

void OpenDialog::refreshSelectionText()
{
    QStringList names;
    const QModelIndexList rows = m_entries->selectionModel()->selectedRows();
    QList<int> order;
    order.reserve(rows.size());
    for (const QModelIndex& index : rows)
        order.append(index.row());
    std::sort(order.begin(), order.end());
    for (int row : std::as_const(order))
        names.append(u'"' + m_entries->item(row)->text() + u'"');
    const QString text = names.join(QStringLiteral("  ")).trimmed();
    if (text != m_selection->text()) {
        m_selection->setText(text);
        m_selection->setCursorPosition(0);
        // Nothing chosen means every folder shown.
        if (m_entries->count() > 0) {
            const QListWidgetItem* current = m_entries->currentItem();
            m_takeAll->setChecked(text.isEmpty() && !(current && current->isSelected()));
        }
    }
    updateOpenEnabled();
}

void OpenDialog::onTakeAllToggled(bool checked)
{
    if (checked)
        m_entries->clearSelection();
    updateOpenEnabled();
}

void OpenDialog::updateOpenEnabled()
{
    m_open->setEnabled(!m_selection->text().isEmpty() || (m_takeAll->isChecked() && m_takeAll->isEnabled()));
}

void OpenDialog::onEntryOpened(QListWidgetItem* item)
{
    if (item && item->data(KindRole).toInt() != int(Kind::File))
        navigate(item->data(KeyRole).toString());
}

void OpenDialog::goUp()
{
    if (!m_path.isEmpty())
        navigate(OpenLocations::parentFolder(m_path));
}

bool OpenDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (watched == m_entries) {
        // Enter opens the current folder, Ctrl+Enter takes the selection, Backspace goes up.
        if (isEnterKey(key) && key->modifiers().testFlag(Qt::ControlModifier)) {
            if (m_open->isEnabled())
                m_open->click();
            return true;
        }
        // On a file Enter does nothing, rather than confirm the dialog by surprise.
        if (QListWidgetItem* item = m_entries->currentItem(); item && isEnterKey(key)) {
            onEntryOpened(item);
            return true;
        }
        if (key->key() == Qt::Key_Backspace) {
            goUp();
            return true;
        }
    } else if (watched == m_pathEdit && isEnterKey(key)) {
        // A typed path is a place to go to, not a confirmation of the dialog.
        navigate(m_pathEdit->text());
        return true;
    } else if (watched == m_filterList && key->key() == Qt::Key_Delete) {
        if (m_filterDel->isEnabled())
            deleteFilter();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void OpenDialog::fillFilterList(int currentRow)
{
    {
        const QSignalBlocker blocker(m_filterList);
        m_filterList->clear();
        for (const PowerFilterList::Filter& f : m_filters.filters()) {
            auto* item = new QListWidgetItem(f.pattern, m_filterList);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
            item->setCheckState(f.checked ? Qt::Checked : Qt::Unchecked);
        }
        if (currentRow >= 0 && currentRow < m_filterList->count())
            m_filterList->setCurrentRow(currentRow);
    }
    updateFilterButtons();
}

void OpenDialog::onFilterChanged(QListWidgetItem* item)
{
    const int row = m_filterList->row(item);
    if (row < 0 || (item->checkState() == Qt::Checked) == m_filters.at(row).checked)
        return;
    m_filters.setChecked(row, item->checkState() == Qt::Checked);
    const QSignalBlocker blocker(m_filterList);
    for (int i = 0; i < m_filters.size(); ++i)
        m_filterList->item(i)->setCheckState(m_filters.at(i).checked ? Qt::Checked : Qt::Unchecked);
    if (m_showFiles->isChecked())
        relist(true);
}

void OpenDialog::addFilter()
{
    const std::optional<QString> typed =
        m_prompter.askText(m_app.language.GetLngText(kSection, QStringLiteral("FilterPrompt")), windowTitle());
    if (!typed || !m_filters.add(*typed))
        return;
    fillFilterList(m_filters.size() - 1);
    if (m_showFiles->isChecked())
        relist(true);
}

void OpenDialog::editFilter()
{
    const int row = m_filterList->currentRow();
    if (row < 0)
        return;
    const std::optional<QString> typed = m_prompter.askText(
        m_app.language.GetLngText(kSection, QStringLiteral("FilterPrompt")), windowTitle(), m_filters.at(row).pattern);
    if (!typed || !m_filters.edit(row, *typed))
        return;
    fillFilterList(row);
    if (m_showFiles->isChecked())
        relist(true);
}

void OpenDialog::deleteFilter()
{
    const int row = m_filterList->currentRow();
    if (row < 0)
        return;
    const Prompter::Button answer =
        m_prompter.ask(m_app.message(QStringLiteral("MsgText16")), m_app.message(QStringLiteral("MsgCap07")),
                       Prompter::Yes | Prompter::No, Prompter::Icon::Question, Prompter::No);
    if (answer != Prompter::Yes)
        return;
    m_filters.remove(row);
    fillFilterList(std::min(row, m_filters.size() - 1));
    if (m_showFiles->isChecked())
        relist(true);
}

void OpenDialog::updateFilterButtons()
{
    const bool current = m_filterList->currentRow() >= 0;
    m_filterEdit->setEnabled(current);
    m_filterDel->setEnabled(current);
}

void OpenDialog::takeAndAccept()
{
    if (!m_open->isEnabled())
        return;
    const bool takeAll = m_takeAll->isChecked() && m_takeAll->isEnabled();
    QStringList taken;
    for (int row = 0; row < m_entries->count(); ++row) {
        const QListWidgetItem* item = m_entries->item(row);
        if (item->data(KindRole).toInt() != int(Kind::File) && (takeAll || item->isSelected()))
            taken.append(item->data(KeyRole).toString());
    }

    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QStringList expanded =
        FolderExpansion::expand(m_app.fs(), taken, m_subfolders->isChecked(), MountPoints::current());
    m_pending = FolderExpansion::filter(expanded, m_filters);
    m_filteredOut = static_cast<int>(expanded.size() - m_pending.size());
    QApplication::restoreOverrideCursor();

    m_filters.store(m_app.settings.document());
    LastPath::store(m_app.settings, m_path, !m_pending.isEmpty());
    OpenChecks{m_takeAll->isChecked(), m_subfolders->isChecked(), m_showFiles->isChecked()}.write(m_app.settings);
    SaveSettings(m_app, m_prompter);
    accept();
}
