#include "gui/rename/MoveDialog.h"

#include "core/preview/PreviewList.h"
#include "core/rename/CodePoints.h"
#include "core/rename/FieldNumber.h"
#include "core/rename/NameParts.h"
#include "gui/script/DialogState.h"
#include "gui/settings/NamedWidget.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalBlocker>

namespace {

QLineEdit* shownField(QWidget* parent, const QString& name, int chars)
{
    auto* field = NamedWidget<QLineEdit>(parent, name);
    field->setReadOnly(true);
    field->setMinimumWidth(field->fontMetrics().averageCharWidth() * chars);
    // Numbers need no more room than they take.
    if (chars < 10)
        field->setMaximumWidth(field->minimumWidth() + 16);
    return field;
}

// Code-point position n of a text as a UTF-16 offset, as the line edits count.
int unitsOf(const QString& text, int n)
{
    return static_cast<int>(CodePoints::offsetOf(text, std::max(n, 0)));
}

} // namespace

MoveDialog::MoveDialog(RenameDialogHost host, QWidget* parent)
    : RenameDialog(kType, std::move(host), parent)
{
    auto* grid = new QGridLayout;
    const auto label = [&](int row, const char* name, QWidget* buddy) {
        auto* l = NamedWidget<QLabel>(this, QLatin1String(name));
        l->setBuddy(buddy);
        grid->addWidget(l, row, 0);
    };
    auto* info = NamedWidget<QLabel>(this, QStringLiteral("lblInfo"));
    info->setWordWrap(true);
    grid->addWidget(info, 0, 0, 1, 2);
    m_entry = new QScrollBar(Qt::Vertical, this);
    m_entry->setObjectName(QStringLiteral("VScroll1"));
    m_entry->setRange(1, std::max(1, list().size()));
    m_name = shownField(this, QStringLiteral("txtFileName"), 40);
    m_entry->setFixedHeight(m_name->sizeHint().height());
    auto* nameRow = new QHBoxLayout;
    nameRow->setSpacing(0);
    nameRow->addWidget(m_name);
    nameRow->addWidget(m_entry);
    label(1, "lblFileName", m_name);
    grid->addLayout(nameRow, 1, 1);

    m_from = shownField(this, QStringLiteral("txtFrom"), 6);
    m_to = shownField(this, QStringLiteral("txtTo"), 6);
    auto* toLabel = NamedWidget<QLabel>(this, QStringLiteral("lblTo"));
    toLabel->setBuddy(m_to);
    auto* runRow = new QHBoxLayout;
    runRow->addWidget(m_from);
    runRow->addWidget(toLabel);
    runRow->addWidget(m_to);
    runRow->addStretch(1);
    label(2, "lblFrom", m_from);
    grid->addLayout(runRow, 2, 1);

    m_shift = new QScrollBar(Qt::Horizontal, this);
    m_shift->setObjectName(QStringLiteral("HScroll1"));
    m_shift->setRange(0, 0);
    m_shift->setPageStep(1);
    m_shiftText = shownField(this, QStringLiteral("txtPos"), 6);
    auto* shiftRow = new QHBoxLayout;
    shiftRow->addWidget(m_shift, 1);
    shiftRow->addWidget(m_shiftText);
    label(3, "lblPos", m_shiftText);
    grid->addLayout(shiftRow, 3, 1);

    m_preview = shownField(this, QStringLiteral("txtPreview"), 40);
    label(4, "lblPreview", m_preview);
    grid->addWidget(m_preview, 4, 1);
    m_all = NamedWidget<QCheckBox>(this, QStringLiteral("chkAdd2All"));
    grid->addWidget(m_all, 5, 1);
    grid->setColumnStretch(1, 1);
    contentLayout()->addLayout(grid);

    connect(m_entry, &QScrollBar::valueChanged, this, &MoveDialog::showEntry);
    connect(m_name, &QLineEdit::selectionChanged, this, &MoveDialog::selectionChanged);
    connect(m_shift, &QScrollBar::valueChanged, this, &MoveDialog::shiftChanged);
    showEntry(list().currentRow() >= 0 ? list().currentRow() + 1 : 1);
    load();
}

void MoveDialog::valuesRestored()
{
    // The stored run and shift, on the stored example entry.
    const int from = FieldNumber(m_from->text(), 1, kMaxNamePosition).value_or(1);
    const int to = FieldNumber(m_to->text(), 0, kMaxNamePosition).value_or(0);
    const int shift = FieldNumber(m_shiftText->text(), -kMaxNamePosition, kMaxNamePosition).value_or(0);
    showEntry(m_entry->value());
    selectRun(from, to);
    setShift(shift);
}

void MoveDialog::showEntry(int number)
{
    if (number < 1 || number > list().size())
        return;
    const QSignalBlocker block(m_entry);
    m_entry->setValue(number);
    const int from = FieldNumber(m_from->text(), 1, kMaxNamePosition).value_or(1);
    const int to = FieldNumber(m_to->text(), 0, kMaxNamePosition).value_or(0);
    m_name->setText(GetFolderBaseName(list().entry(number - 1).newName));
    selectRun(from, to);
}

void MoveDialog::selectRun(int from, int to)
{
    const QString name = m_name->text();
    const int length = static_cast<int>(CodePoints::count(name));
    from = std::clamp(from, 1, length + 1);
    to = std::clamp(to, from - 1, length);
    const int start = unitsOf(name, from - 1);
    m_name->setSelection(start, unitsOf(name, to) - start);
    m_from->setText(QString::number(from));
    m_to->setText(QString::number(to));
    // The run can go as far as the start or the end of the name.
    const int shift = m_shift->value();
    const QSignalBlocker block(m_shift);
    m_shift->setRange(1 - from, length - to);
    m_shift->setValue(shift);
    shiftChanged(m_shift->value());
}

void MoveDialog::setShift(int shift)
{
    m_shift->setValue(shift);
    shiftChanged(m_shift->value());
}

void MoveDialog::selectionChanged()
{
    // Leaving the field clears its selection; the run stays what it was.
    if (!m_name->hasSelectedText())
        return;
    const QString name = m_name->text();
    const int from = static_cast<int>(CodePoints::count(QStringView(name).left(m_name->selectionStart()))) + 1;
    const int length =
        static_cast<int>(CodePoints::count(QStringView(name).mid(m_name->selectionStart(), m_name->selectionLength())));
    m_from->setText(QString::number(from));
    m_to->setText(QString::number(from + length - 1));
    const QSignalBlocker block(m_shift);
    m_shift->setRange(1 - from, static_cast<int>(CodePoints::count(name)) - (from + length - 1));
    shiftChanged(m_shift->value());
}

void MoveDialog::shiftChanged(int shift)
{
    m_shiftText->setText(QString::number(shift));
    updatePreview();
}

void MoveDialog::updatePreview()
{
    const MoveParams p = params();
    const QString moved = MoveCharacters(m_name->text(), p.from, p.to, p.target());
    m_preview->setText(moved);
    if (p.to < p.from)
        return;
    const int rest = static_cast<int>(CodePoints::count(m_name->text())) - (p.to - p.from + 1);
    const int at = std::clamp(p.target(), 1, rest + 1) - 1;
    const int start = unitsOf(moved, at);
    m_preview->setSelection(start, unitsOf(moved, at + p.to - p.from + 1) - start);
}

MoveParams MoveDialog::params() const
{
    return MoveParams::fromValues(ReadDialogValues(this));
}

bool MoveDialog::acceptsRun(const RenameRun&)
{
    return acceptNumberField(MoveParams::refusedKey(ReadDialogValues(this)), -kMaxNamePosition, kMaxNamePosition);
}

void MoveDialog::runFunction(RenameRun& run)
{
    applyMove(run, params());
}
