#include "gui/rename/DateTimeDialog.h"

#include "core/AppState.h"
#include "gui/mainwindow/WindowSession.h"
#include "gui/rename/NameFieldWidget.h"
#include "gui/rename/PlaceBox.h"
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

    m_place = new PlaceBox(this, QStringLiteral("opt1(0)"), QStringLiteral("opt1(1)"), QStringLiteral("chkIChr"));
    contentLayout()->addWidget(m_place);

    connect(select, &QPushButton::clicked, this, &DateTimeDialog::selectFormat);
    load();
}

void DateTimeDialog::textsApplied()
{
    m_source->clear();
    m_source->addItem(state().language.GetLngText(QStringLiteral("frmDateTimeFormat"), QStringLiteral("cmbSource1")));
    m_type->clear();
    m_type->addItems(DateTimeFormatDialog::typeItems(state()));
    m_place->fillSeparators(state().language);
}

void DateTimeDialog::valuesRestored()
{
    if (m_format->text().isEmpty())
        m_format->setText(QString::fromUtf16(DateTimeParams::kDefaultFormat));
    m_place->updateEnabling();
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
