#include "gui/rename/ReplaceDialog.h"

#include "core/AppState.h"
#include "core/rename/FieldNumber.h"
#include "gui/rename/NameFieldWidget.h"
#include "gui/rename/SpinField.h"
#include "gui/script/DialogState.h"
#include "gui/settings/NamedWidget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

QLabel* labelFor(QWidget* parent, const char* name, QWidget* buddy)
{
    auto* label = NamedWidget<QLabel>(parent, QLatin1String(name));
    label->setBuddy(buddy);
    return label;
}

} // namespace

ReplaceDialog::ReplaceDialog(RenameDialogHost host, QWidget* parent)
    : RenameDialog(kType, std::move(host), parent)
{
    auto* whatFrame = NamedWidget<QGroupBox>(this, QStringLiteral("fraWhat"));
    auto* what = new QGridLayout(whatFrame);
    m_text = NamedWidget<QRadioButton>(whatFrame, QStringLiteral("opttxt2Repl"));
    m_positions = NamedWidget<QRadioButton>(whatFrame, QStringLiteral("optChr2Repl"));
    m_inClass = NamedWidget<QRadioButton>(whatFrame, QStringLiteral("optFollowingChr"));
    m_notInClass = NamedWidget<QRadioButton>(whatFrame, QStringLiteral("optAllChrExcept"));
    m_find = NamedWidget<NameFieldWidget>(whatFrame, QStringLiteral("txtToRep"));
    m_find->setMinimumWidth(fontMetrics().averageCharWidth() * 32);
    m_regExp = NamedWidget<QCheckBox>(whatFrame, QStringLiteral("chkRegExp"));

    // The position options form a group of their own inside the second choice.
    auto* positionBox = new QWidget(whatFrame);
    auto* positions = new QGridLayout(positionBox);
    positions->setContentsMargins(0, 0, 0, 0);
    m_first = NamedWidget<QRadioButton>(positionBox, QStringLiteral("optChrFirst"));
    m_last = NamedWidget<QRadioButton>(positionBox, QStringLiteral("optChrLast"));
    m_range = NamedWidget<QRadioButton>(positionBox, QStringLiteral("optChrFromTo"));
    m_firstCount = new SpinField(positionBox, QStringLiteral("txtPos(0)"), QStringLiteral("VScroll1(0)"), 201, 1, 200);
    m_lastCount = new SpinField(positionBox, QStringLiteral("txtPos(1)"), QStringLiteral("VScroll1(1)"), 201, 1, 200);
    m_from = new SpinField(positionBox, QStringLiteral("txtFrom"), QStringLiteral("VScrollVon"), 201, 1, 200);
    m_to = new SpinField(positionBox, QStringLiteral("txtTo"), QStringLiteral("VScrollBis"), 201, 1, 200);
    m_getPos = NamedWidget<QPushButton>(positionBox, QStringLiteral("cmdGetPos"));
    m_getPos->setAutoDefault(false);
    positions->addWidget(m_first, 0, 0);
    positions->addLayout(m_firstCount->makeLayout(), 0, 1);
    positions->addWidget(m_last, 1, 0);
    positions->addLayout(m_lastCount->makeLayout(), 1, 1);
    positions->addWidget(m_range, 2, 0);
    auto* range = new QHBoxLayout;
    range->addLayout(m_from->makeLayout());
    range->addWidget(labelFor(positionBox, "lblTo", m_to->field()));
    range->addLayout(m_to->makeLayout());
    range->addStretch(1);
    positions->addLayout(range, 2, 1);
    positions->addWidget(m_getPos, 0, 2, 3, 1, Qt::AlignTop);
    positions->setColumnStretch(1, 1);

    m_class = NamedWidget<QComboBox>(whatFrame, QStringLiteral("cmbRemove"));
    m_useExceptions = NamedWidget<QCheckBox>(whatFrame, QStringLiteral("chkExceptions"));
    m_exceptions = NamedWidget<NameFieldWidget>(whatFrame, QStringLiteral("txtExceptions"));

    const int indent = style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) +
                       style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing);
    what->setColumnMinimumWidth(0, indent);
    what->addWidget(m_text, 0, 0, 1, 2);
    what->addWidget(m_find, 0, 2);
    what->addWidget(m_regExp, 1, 2);
    what->addWidget(m_positions, 2, 0, 1, 3);
    what->addWidget(positionBox, 3, 1, 1, 2);
    what->addWidget(m_inClass, 4, 0, 1, 2);
    what->addWidget(m_class, 4, 2);
    what->addWidget(m_notInClass, 5, 0, 1, 2);
    what->addWidget(m_useExceptions, 6, 1);
    what->addWidget(m_exceptions, 6, 2);
    what->setColumnStretch(2, 1);

    auto* actionFrame = NamedWidget<QGroupBox>(this, QStringLiteral("fraAction"));
    auto* action = new QGridLayout(actionFrame);
    m_replace = NamedWidget<QRadioButton>(actionFrame, QStringLiteral("optReplace"));
    m_remove = NamedWidget<QRadioButton>(actionFrame, QStringLiteral("optRemove"));
    m_replacement = NamedWidget<NameFieldWidget>(actionFrame, QStringLiteral("txtRepBy"));
    action->addWidget(m_replace, 0, 0);
    action->addWidget(m_replacement, 0, 1);
    action->addWidget(m_remove, 1, 0);
    action->setColumnStretch(1, 1);

    contentLayout()->addWidget(whatFrame);
    contentLayout()->addWidget(actionFrame);

    m_text->setChecked(true);
    m_first->setChecked(true);
    m_replace->setChecked(true);
    for (QAbstractButton* b : std::initializer_list<QAbstractButton*>{
             m_text, m_positions, m_inClass, m_notInClass, m_first, m_last, m_range, m_replace, m_useExceptions})
        connect(b, &QAbstractButton::toggled, this, &ReplaceDialog::updateEnabling);
    connect(m_getPos, &QPushButton::clicked, this, &ReplaceDialog::pickPosition);
    // A pattern needs the characters names cannot hold: "\d", "a|b", "x*".
    connect(m_regExp, &QCheckBox::toggled, m_find, [this](bool on) { m_find->setFiltering(!on); });
    load();
}

void ReplaceDialog::textsApplied()
{
    // The classes in the order of ReplaceParams::Class.
    m_class->clear();
    for (int n = ReplaceParams::Letters; n <= ReplaceParams::Others; ++n)
        m_class->addItem(state().language.GetLngText(objectName(), QStringLiteral("cmbremove%1").arg(n)));
}

void ReplaceDialog::valuesRestored()
{
    updateEnabling();
}

void ReplaceDialog::updateEnabling()
{
    m_find->setEnabled(m_text->isChecked());
    m_regExp->setEnabled(m_text->isChecked());
    const bool positions = m_positions->isChecked();
    for (QRadioButton* option : {m_first, m_last, m_range})
        option->setEnabled(positions);
    m_getPos->setEnabled(positions);
    m_firstCount->setEnabled(positions && m_first->isChecked());
    m_lastCount->setEnabled(positions && m_last->isChecked());
    m_from->setEnabled(positions && m_range->isChecked());
    m_to->setEnabled(positions && m_range->isChecked());
    const bool byClass = m_inClass->isChecked() || m_notInClass->isChecked();
    m_class->setEnabled(byClass);
    m_useExceptions->setEnabled(byClass);
    m_exceptions->setEnabled(byClass && m_useExceptions->isChecked());
    m_replacement->setEnabled(m_replace->isChecked());
}

ReplaceParams ReplaceDialog::params() const
{
    return ReplaceParams::fromValues(ReadDialogValues(this));
}

void ReplaceDialog::prepareFields()
{
    const std::optional<int> from = FieldNumber(m_from->field()->text(), 1, kMaxNamePosition);
    const std::optional<int> to = FieldNumber(m_to->field()->text(), 1, kMaxNamePosition);
    if (from && to && *from > *to) {
        const QString text = m_from->field()->text();
        m_from->field()->setText(m_to->field()->text());
        m_to->field()->setText(text);
    }
    // The user sees which characters the class stands for.
    if (m_inClass->isChecked() || m_notInClass->isChecked())
        m_find->setText(params().characterSet(state().charClasses));
}

bool ReplaceDialog::acceptsRun(const RenameRun&)
{
    if (m_text->isChecked() && m_find->text().isEmpty())
        return refuseInput(QStringLiteral("MsgText09"), m_find->objectName());
    if (m_replace->isChecked() && m_replacement->text().isEmpty())
        return refuseInput(QStringLiteral("MsgText10"), m_replacement->objectName());
    const ReplaceParams p = params();
    if (m_text->isChecked() && p.regularExpression) {
        const QRegularExpression re = p.pattern();
        if (!re.isValid())
            return refuseInput(QStringLiteral("msgRegExpInvalid"), m_find->objectName(),
                               {p.find, re.errorString(), QString::number(re.patternErrorOffset() + 1)},
                               QStringLiteral("msgCapAttention"));
    }
    return acceptNumberField(ReplaceParams::refusedKey(ReadDialogValues(this)), 1, kMaxNamePosition);
}

void ReplaceDialog::runFunction(RenameRun& run)
{
    if (m_remove->isChecked())
        m_replacement->clear();
    applyReplace(run, params());
}

void ReplaceDialog::takePosition(const PositionPickerDialog::Result& picked)
{
    if (m_first->isChecked()) {
        m_firstCount->setValue(picked.position);
    } else if (m_last->isChecked()) {
        m_lastCount->setValue(picked.position);
    } else {
        m_from->setValue(picked.from);
        m_to->setValue(picked.to);
    }
}

void ReplaceDialog::pickPosition()
{
    prepareFields();
    const auto request = m_first->isChecked()  ? PositionPickerDialog::Request::First
                         : m_last->isChecked() ? PositionPickerDialog::Request::Last
                                               : PositionPickerDialog::Request::FromTo;
    PositionPickerDialog picker(state(), list(), request, false, this);
    if (picker.exec() == QDialog::Accepted)
        takePosition(picker.result());
}
