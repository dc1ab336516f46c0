#include "gui/rename/RenumberDialog.h"

#include "core/AppState.h"
#include "core/preview/PreviewList.h"
#include "gui/mainwindow/WindowSession.h"
#include "gui/platform/Prompter.h"
#include "gui/rename/NameFieldWidget.h"
#include "gui/rename/NumberFieldWidget.h"
#include "gui/script/DialogState.h"
#include "gui/settings/NamedWidget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>
#include <optional>

namespace {

constexpr int kRowRole = Qt::UserRole;

QStringList currentNames(const PreviewList& list)
{
    QStringList names;
    names.reserve(list.size());
    for (const FolderEntry& entry : list.entries())
        names.append(entry.newName);
    return names;
}

QLabel* labelFor(QWidget* parent, const QString& name, QWidget* buddy)
{
    auto* label = NamedWidget<QLabel>(parent, name);
    label->setBuddy(buddy);
    return label;
}

// A button beside the lists; one with a picture shows its caption as its tool tip.
QPushButton* listButton(QWidget* parent, const QString& name, std::optional<QStyle::StandardPixmap> picture = {})
{
    auto* button = NamedWidget<QPushButton>(parent, name);
    // Its texts are the dialog's own, not the shared ones of [Buttons].
    button->setProperty("tag", QStringLiteral("frmRenumber"));
    if (picture)
        button->setIcon(parent->style()->standardIcon(*picture));
    button->setAutoDefault(false);
    return button;
}

// Moves the current line of one list into another, before the line at `before` (appended when -1).
void moveLine(QListWidget* from, QListWidget* to, int before)
{
    const int row = from->currentRow();
    if (row < 0)
        return;
    QListWidgetItem* item = from->takeItem(row);
    const int at = before < 0 ? to->count() : before;
    to->insertItem(at, item);
    to->setCurrentRow(at);
}

} // namespace

RenumberDialog::RenumberDialog(RenameDialogHost host, QWidget* parent)
    : RenameDialog(kType, host, parent)
    , m_plan(currentNames(host.list))
    , m_positions(m_plan.positions())
{
    m_found = NamedWidget<QComboBox>(this, QStringLiteral("erkNum"));
    m_sorted = NamedWidget<QListWidget>(this, QStringLiteral("lstFilesSorted"));
    m_unsorted = NamedWidget<QListWidget>(this, QStringLiteral("lstFilesUnsorted"));
    m_toUnsorted = listButton(this, QStringLiteral("cmdR2L"), QStyle::SP_ArrowLeft);
    m_toSorted = listButton(this, QStringLiteral("cmdL2R"), QStyle::SP_ArrowRight);
    m_up = listButton(this, QStringLiteral("cmdUp"));
    m_down = listButton(this, QStringLiteral("cmdDown"));
    m_first = NamedWidget<NumberFieldWidget>(this, QStringLiteral("txtInit"));
    m_increment = NamedWidget<NumberFieldWidget>(this, QStringLiteral("txtInc"));
    for (NumberFieldWidget* field : {m_first, m_increment}) {
        field->setCharacters(QStringLiteral("0123456789"));
        field->setSignToggle(false, true);
        field->setMaxLength(RenumberParams::kMaxDigits);
        field->setText(QStringLiteral("1"));
        field->setMinimumWidth(fontMetrics().averageCharWidth() * 14);
        connect(field, &NumberFieldWidget::left, this, [field] {
            if (field->text().isEmpty())
                field->setText(QStringLiteral("1"));
        });
    }
    m_width = NamedWidget<QComboBox>(this, QStringLiteral("cmbAnzahl"));
    m_width->addItem(QStringLiteral("auto"));
    for (int width = 1; width <= RenumberParams::kMaxWidth; ++width)
        m_width->addItem(QString::number(width));

    auto* found = new QHBoxLayout;
    found->addWidget(labelFor(this, QStringLiteral("lblErkNum"), m_found));
    found->addWidget(m_found, 1);
    contentLayout()->addLayout(found);

    const int listWidth = fontMetrics().averageCharWidth() * 30;
    for (QListWidget* list : {m_sorted, m_unsorted}) {
        list->setMinimumSize(listWidth, fontMetrics().height() * 10);
        connect(list, &QListWidget::currentRowChanged, this, &RenumberDialog::updateButtons);
    }
    auto* lists = new QGridLayout;
    lists->addWidget(labelFor(this, QStringLiteral("lblUnsorted"), m_unsorted), 0, 0);
    lists->addWidget(m_unsorted, 1, 0);
    auto* across = new QVBoxLayout;
    across->addStretch(1);
    across->addWidget(m_toSorted);
    across->addWidget(m_toUnsorted);
    across->addStretch(1);
    lists->addLayout(across, 1, 1);
    lists->addWidget(labelFor(this, QStringLiteral("lblSorted"), m_sorted), 0, 2);
    lists->addWidget(m_sorted, 1, 2);
    auto* order = new QVBoxLayout;
    order->addStretch(1);
    order->addWidget(m_up);
    order->addWidget(m_down);
    order->addStretch(1);
    lists->addLayout(order, 1, 3);
    lists->setColumnStretch(0, 1);
    lists->setColumnStretch(2, 1);
    contentLayout()->addLayout(lists);

    auto* numbers = new QGridLayout;
    numbers->addWidget(labelFor(this, QStringLiteral("lblInit"), m_first), 0, 0);
    numbers->addWidget(m_first, 0, 1);
    numbers->addWidget(labelFor(this, QStringLiteral("lblInc"), m_increment), 1, 0);
    numbers->addWidget(m_increment, 1, 1);
    numbers->addWidget(labelFor(this, QStringLiteral("lblAnzahl"), m_width), 2, 0);
    numbers->addWidget(m_width, 2, 1);
    numbers->setColumnStretch(2, 1);

    auto* place = NamedWidget<QGroupBox>(this, QStringLiteral("fraPlace"));
    auto* placeLayout = new QVBoxLayout(place);
    m_atStart = NamedWidget<QRadioButton>(place, QStringLiteral("optPrefix"));
    m_atEnd = NamedWidget<QRadioButton>(place, QStringLiteral("optSuffix"));
    m_atStart->setChecked(true);
    placeLayout->addWidget(m_atStart);
    placeLayout->addWidget(m_atEnd);
    auto* settingsRow = new QHBoxLayout;
    settingsRow->addLayout(numbers, 1);
    settingsRow->addWidget(place, 1);
    contentLayout()->addLayout(settingsRow);

    m_replace = NamedWidget<QCheckBox>(this, QStringLiteral("chkReplace"));
    m_middle = NamedWidget<NameFieldWidget>(this, QStringLiteral("txtRepName"));
    auto* replace = new QHBoxLayout;
    replace->addWidget(m_replace);
    replace->addWidget(m_middle, 1);
    contentLayout()->addLayout(replace);

    // The list records its own order: applying it again to the names it produced would renumber anew.
    if (auto* apply = findChild<QPushButton*>(QStringLiteral("cmdApply")))
        apply->hide();

    // Item texts come with the language (textsApplied); the first position is proposed now.
    for (qsizetype i = 0; i < std::max<qsizetype>(m_positions.size(), 1); ++i)
        m_found->addItem(QString());
    if (hasNumbers())
        positionChosen(0);
    updateReplace();
    connect(m_found, &QComboBox::currentIndexChanged, this, &RenumberDialog::positionChosen);
    connect(m_toUnsorted, &QPushButton::clicked, this, &RenumberDialog::moveToUnsorted);
    connect(m_toSorted, &QPushButton::clicked, this, &RenumberDialog::moveToSorted);
    connect(m_up, &QPushButton::clicked, this, &RenumberDialog::moveUp);
    connect(m_down, &QPushButton::clicked, this, &RenumberDialog::moveDown);
    connect(m_replace, &QCheckBox::toggled, this, &RenumberDialog::updateReplace);
    load();
}

RenumberDialog::~RenumberDialog()
{
    // The fields tidy themselves when they lose the focus, also while the dialog is taken apart.
    for (NumberFieldWidget* field : {m_first, m_increment})
        disconnect(field, nullptr, this, nullptr);
}

void RenumberDialog::textsApplied()
{
    const Language& language = state().language;
    const QString section = objectName();
    m_width->setItemText(0, language.GetLngText(section, QStringLiteral("cmbAnzAuto")));
    if (!hasNumbers()) {
        m_found->setItemText(0, language.GetLngText(section, QStringLiteral("keine")));
    } else {
        for (qsizetype i = 0; i < m_positions.size(); ++i) {
            const bool start = m_positions.at(i) == RenumberPlan::Position::Start;
            m_found->setItemText(
                static_cast<int>(i),
                language.GetLngText(section, start ? QStringLiteral("cmbPrefix") : QStringLiteral("cmbSuffix")));
        }
    }
    // What restores next are a script step's own values: a restored position only refills the lists.
    m_restoring = true;
}

void RenumberDialog::valuesRestored()
{
    m_restoring = false;
    if (hasNumbers() && m_found->currentIndex() != m_listedIndex)
        fillLists(m_found->currentIndex());
    updateReplace();
    updateButtons();
}

void RenumberDialog::positionChosen(int index)
{
    if (!hasNumbers() || index < 0 || index >= m_positions.size())
        return;
    fillLists(index);
    if (m_restoring)
        return;
    const RenumberPlan::Position position = m_positions.at(index);
    const RenumberPlan::Proposal proposal = m_plan.proposalFor(position, rowsOf(m_sorted));
    (position == RenumberPlan::Position::Start ? m_atStart : m_atEnd)->setChecked(true);
    m_first->setText(proposal.first);
    if (proposal.autoWidth)
        m_width->setCurrentIndex(0);
    m_increment->setText(proposal.increment);
    m_replace->setChecked(proposal.commonMiddle);
    m_middle->setText(proposal.middle);
    updateReplace();
}

void RenumberDialog::fillLists(int index)
{
    m_listedIndex = index;
    const RenumberPlan::Order order = m_plan.orderFor(m_positions.at(index));
    for (const auto& [list, rows] : {std::pair{m_sorted, order.numbered}, std::pair{m_unsorted, order.unnumbered}}) {
        list->clear();
        for (const int row : rows) {
            auto* item = new QListWidgetItem(m_plan.records().at(row).base, list);
            item->setData(kRowRole, row);
        }
        if (list->count() > 0)
            list->setCurrentRow(0);
    }
    updateButtons();
}

void RenumberDialog::moveToUnsorted()
{
    moveLine(m_sorted, m_unsorted, -1);
    updateButtons();
    Q_EMIT changed();
}

void RenumberDialog::moveToSorted()
{
    if (m_unsorted->currentRow() < 0)
        return;
    moveLine(m_unsorted, m_sorted, m_sorted->currentRow());
    if (m_unsorted->count() > 0)
        m_unsorted->setCurrentRow(0);
    updateButtons();
    Q_EMIT changed();
}

void RenumberDialog::moveUp()
{
    const int row = m_sorted->currentRow();
    if (row <= 0)
        return;
    m_sorted->insertItem(row - 1, m_sorted->takeItem(row));
    m_sorted->setCurrentRow(row - 1);
    Q_EMIT changed();
}

void RenumberDialog::moveDown()
{
    const int row = m_sorted->currentRow();
    if (row < 0 || row + 1 >= m_sorted->count())
        return;
    m_sorted->insertItem(row + 1, m_sorted->takeItem(row));
    m_sorted->setCurrentRow(row + 1);
    Q_EMIT changed();
}

void RenumberDialog::updateButtons()
{
    const int row = m_sorted->currentRow();
    m_up->setEnabled(row > 0);
    m_down->setEnabled(row >= 0 && row + 1 < m_sorted->count());
    m_toUnsorted->setEnabled(row >= 0);
    m_toSorted->setEnabled(m_unsorted->currentRow() >= 0);
}

void RenumberDialog::updateReplace()
{
    m_middle->setEnabled(m_replace->isChecked());
}

QList<int> RenumberDialog::rowsOf(const QListWidget* list) const
{
    QList<int> rows;
    rows.reserve(list->count());
    for (int i = 0; i < list->count(); ++i)
        rows.append(list->item(i)->data(kRowRole).toInt());
    return rows;
}

RenumberParams RenumberDialog::params() const
{
    RenumberParams params = RenumberParams::fromValues(ReadDialogValues(this));
    params.numbered = rowsOf(m_sorted);
    return params;
}

void RenumberDialog::runPreview(RenameRun& run)
{
    if (hasNumbers())
        applyRenumbering(run, params());
}

bool RenumberDialog::acceptsRun(const RenameRun& run)
{
    Q_UNUSED(run);
    return hasNumbers();
}

void RenumberDialog::runFunction(RenameRun& run)
{
    applyRenumbering(run, params());
}

void RenumberDialog::showEvent(QShowEvent* event)
{
    RenameDialog::showEvent(event);
    if (hasNumbers() || m_warned)
        return;
    m_warned = true;
    // Once the dialog is on screen, so the message stands in front of it.
    QTimer::singleShot(0, this, [this] {
        window().prompter.tell(state().message(QStringLiteral("MsgText14")),
                               state().message(QStringLiteral("msgCapAttention")), Prompter::Icon::Warning);
        reject();
    });
}
