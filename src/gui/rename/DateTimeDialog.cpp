#include "gui/rename/DateTimeDialog.h"

#include "core/AppState.h"
#include "gui/mainwindow/WindowSession.h"
#include "gui/rename/NameFieldWidget.h"
#include "gui/rename/SeparatorCombo.h"
#include "gui/script/DialogState.h"
#include "gui/settings/DateTimeFormatDialog.h"
#include "gui/settings/NamedWidget.h"
#include "gui/settings/SaveSettings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

DateTimeDialog::DateTimeDialog(RenameDialogHost host, QWidget* parent)
    : RenameDialog(kType, std::move(host), parent)
{
    m_source = NamedWidget<QComboBox>(this, QStringLiteral("cmbSource"));
    m_type = NamedWidget<QComboBox>(this, QStringLiteral("cmbType"));
    m_format = NamedWidget<NameFieldWidget>(this, QStringLiteral("txtFormat"));
    m_format->setMinimumWidth(fontMetrics().averageCharWidth() * 24);
    auto* select = NamedWidget<QPushButton>(this, QStringLiteral("cmdSelFormat"));
    select->setAutoDefault(false);
    const auto label = [this](const char* name, QWidget* buddy) {
        auto* l = NamedWidget<QLabel>(this, QLatin1String(name));
        l->setBuddy(buddy);
        return l;
    };
    auto* grid = new QGridLayout;
    grid->addWidget(label("lblSource", m_source), 0, 0);
    grid->addWidget(m_source, 0, 1, 1, 2);
    grid->addWidget(label("lblType", m_type), 1, 0);
    grid->addWidget(m_type, 1, 1, 1, 2);
    grid->addWidget(label("lblFormat", m_format), 2, 0);
    grid->addWidget(m_format, 2, 1);
    grid->addWidget(select, 2, 2);
    grid->setColumnStretch(1, 1);
    contentLayout()->addLayout(grid);

    auto* place = NamedWidget<QGroupBox>(this, QStringLiteral("fraPlace"));
    auto* placeLayout = new QGridLayout(place);
    auto* before = NamedWidget<QRadioButton>(place, QStringLiteral("opt1(0)"));
    auto* after = NamedWidget<QRadioButton>(place, QStringLiteral("opt1(1)"));
    before->setChecked(true);
    m_useSeparator = NamedWidget<QCheckBox>(place, QStringLiteral("chkIChr"));
    m_separator = NamedWidget<QComboBox>(place, QStringLiteral("cmbIChr"));
    m_replace = NamedWidget<QCheckBox>(place, QStringLiteral("chkReplace"));
    m_replacement = NamedWidget<NameFieldWidget>(place, QStringLiteral("txtRepName"));
    placeLayout->addWidget(before, 0, 0);
    placeLayout->addWidget(after, 0, 1);
    placeLayout->addWidget(m_useSeparator, 1, 0);
    placeLayout->addWidget(m_separator, 1, 1);
    placeLayout->addWidget(m_replace, 2, 0);
    placeLayout->addWidget(m_replacement, 2, 1);
    placeLayout->setColumnStretch(1, 1);
    contentLayout()->addWidget(place);

    connect(select, &QPushButton::clicked, this, &DateTimeDialog::selectFormat);
    connect(m_useSeparator, &QCheckBox::toggled, this, &DateTimeDialog::updateEnabling);
    connect(m_replace, &QCheckBox::toggled, this, &DateTimeDialog::updateEnabling);
    load();
}

void DateTimeDialog::textsApplied()
{
    m_source->clear();
    m_source->addItem(state().language.GetLngText(QStringLiteral("frmDateTimeFormat"), QStringLiteral("cmbSource1")));
    m_type->clear();
    m_type->addItems(DateTimeFormatDialog::typeItems(state()));
    FillSeparatorCombo(m_separator, state().language);
}

void DateTimeDialog::valuesRestored()
{
    if (m_format->text().isEmpty())
        m_format->setText(QString::fromUtf16(DateTimeParams::kDefaultFormat));
    updateEnabling();
}

void DateTimeDialog::updateEnabling()
{
    m_separator->setEnabled(m_useSeparator->isChecked());
    m_replacement->setEnabled(m_replace->isChecked());
}

void DateTimeDialog::selectFormat()
{
    QStringList types;
    for (int i = 0; i < m_type->count(); ++i)
        types.append(m_type->itemText(i));
    DateTimeFormatDialog picker(state(), window().prompter, types, m_type->currentIndex(), m_format->text(), this);
    if (picker.exec() != QDialog::Accepted)
        return;
    m_type->setCurrentIndex(picker.type());
    m_format->setText(picker.format());
}

DateTimeParams DateTimeDialog::params() const
{
    return DateTimeParams::fromValues(ReadDialogValues(this));
}

void DateTimeDialog::runFunction(RenameRun& run)
{
    StoreUserFormats(state().dateTimeFormats, state().settings.document());
    SaveSettings(state(), window().prompter);
    applyDateTime(run, params());
}
