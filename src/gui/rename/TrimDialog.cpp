#include "gui/rename/TrimDialog.h"

#include "core/rename/FieldNumber.h"
#include "gui/rename/SpinField.h"
#include "gui/script/DialogState.h"
#include "gui/settings/NamedWidget.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

TrimDialog::TrimDialog(RenameDialogHost host, QWidget* parent)
    : RenameDialog(kType, std::move(host), parent)
{
    auto* grid = new QGridLayout;
    for (int n = TrimParams::First; n <= TrimParams::ShortName; ++n)
        m_modes.append(NamedWidget<QRadioButton>(this, QStringLiteral("opt1(%1)").arg(n)));
    m_first = new SpinField(this, QStringLiteral("txtPos(0)"), QStringLiteral("VScrollPos(0)"), 201, 1, 200);
    m_last = new SpinField(this, QStringLiteral("txtPos(1)"), QStringLiteral("VScrollPos(1)"), 201, 1, 200);
    m_from = new SpinField(this, QStringLiteral("txtFrom"), QStringLiteral("VScrollFrom"), 201, 1, 200);
    m_to = new SpinField(this, QStringLiteral("txtTo"), QStringLiteral("VScrollTo"), 201, 1, 200);
    auto* toLabel = NamedWidget<QLabel>(this, QStringLiteral("lblTo"));
    toLabel->setBuddy(m_to->field());
    m_getPos = NamedWidget<QPushButton>(this, QStringLiteral("cmdGetPos"));
    m_getPos->setAutoDefault(false);
    grid->addWidget(m_modes[0], 0, 0);
    grid->addLayout(m_first->makeLayout(), 0, 1);
    grid->addWidget(m_modes[1], 1, 0);
    grid->addLayout(m_last->makeLayout(), 1, 1);
    grid->addWidget(m_modes[2], 2, 0);
    auto* range = new QHBoxLayout;
    range->addLayout(m_from->makeLayout());
    range->addWidget(toLabel);
    range->addLayout(m_to->makeLayout());
    range->addStretch(1);
    grid->addLayout(range, 2, 1);
    grid->addWidget(m_modes[3], 3, 0, 1, 2);
    grid->addWidget(m_getPos, 0, 2, 3, 1, Qt::AlignTop);
    grid->setColumnStretch(1, 1);
    contentLayout()->addLayout(grid);

    m_modes[TrimParams::kDefaultMode - 1]->setChecked(true);
    for (QRadioButton* option : std::as_const(m_modes))
        connect(option, &QRadioButton::toggled, this, &TrimDialog::updateEnabling);
    connect(m_getPos, &QPushButton::clicked, this, &TrimDialog::pickPosition);
    load();
}

void TrimDialog::valuesRestored()
{
    updateEnabling();
}

void TrimDialog::updateEnabling()
{
    m_first->setEnabled(m_modes[0]->isChecked());
    m_last->setEnabled(m_modes[1]->isChecked());
    m_from->setEnabled(m_modes[2]->isChecked());
    m_to->setEnabled(m_modes[2]->isChecked());
    m_getPos->setEnabled(!m_modes[3]->isChecked());
}

TrimParams TrimDialog::params() const
{
    return TrimParams::fromValues(ReadDialogValues(this));
}

bool TrimDialog::acceptsRun(const RenameRun&)
{
    return acceptNumberField(TrimParams::refusedKey(ReadDialogValues(this)), 1, kMaxNamePosition);
}

void TrimDialog::runFunction(RenameRun& run)
{
    applyTrim(run, params());
}

void TrimDialog::takePosition(const PositionPickerDialog::Result& picked)
{
    if (m_modes[0]->isChecked()) {
        m_first->setValue(picked.position);
    } else if (m_modes[1]->isChecked()) {
        m_last->setValue(picked.position);
    } else if (m_modes[2]->isChecked()) {
        m_from->setValue(picked.from);
        m_to->setValue(picked.to);
    }
}

std::optional<PositionPickerDialog::Request> TrimDialog::positionRequest()
{
    const std::optional<int> from = FieldNumber(m_from->field()->text(), 1, kMaxNamePosition);
    const std::optional<int> to = FieldNumber(m_to->field()->text(), 1, kMaxNamePosition);
    if (from && to && *from > *to) {
        m_from->setValue(*to);
        m_to->setValue(*from);
    }
    if (m_modes[0]->isChecked())
        return PositionPickerDialog::Request::First;
    if (m_modes[1]->isChecked())
        return PositionPickerDialog::Request::Last;
    if (m_modes[2]->isChecked())
        return PositionPickerDialog::Request::FromTo;
    return std::nullopt;
}

void TrimDialog::pickPosition()
{
    const std::optional<PositionPickerDialog::Request> request = positionRequest();
    if (!request)
        return;
    PositionPickerDialog picker(state(), list(), *request, false, this);
    if (picker.exec() == QDialog::Accepted)
        takePosition(picker.result());
}
