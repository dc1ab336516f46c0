#include "gui/rename/PlaceBox.h"

#include "gui/rename/NameFieldWidget.h"
#include "gui/rename/SeparatorCombo.h"
#include "gui/settings/NamedWidget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QRadioButton>

PlaceBox::PlaceBox(QWidget* parent, const QString& beforeName, const QString& afterName, const QString& separatorName)
    : QGroupBox(parent)
{
    setObjectName(QStringLiteral("fraPlace"));
    auto* layout = new QGridLayout(this);
    auto* before = NamedWidget<QRadioButton>(this, beforeName);
    auto* after = NamedWidget<QRadioButton>(this, afterName);
    before->setChecked(true);
    m_useSeparator = NamedWidget<QCheckBox>(this, separatorName);
    m_separator = NamedWidget<QComboBox>(this, QStringLiteral("cmbIChr"));
    m_replace = NamedWidget<QCheckBox>(this, QStringLiteral("chkReplace"));
    m_replacement = NamedWidget<NameFieldWidget>(this, QStringLiteral("txtRepName"));
    layout->addWidget(before, 0, 0);
    layout->addWidget(after, 0, 1);
    layout->addWidget(m_useSeparator, 1, 0);
    layout->addWidget(m_separator, 1, 1);
    layout->addWidget(m_replace, 2, 0);
    layout->addWidget(m_replacement, 2, 1);
    layout->setColumnStretch(1, 1);
    connect(m_useSeparator, &QCheckBox::toggled, this, &PlaceBox::updateEnabling);
    connect(m_replace, &QCheckBox::toggled, this, &PlaceBox::updateEnabling);
}

void PlaceBox::fillSeparators(const Language& language)
{
    FillSeparatorCombo(m_separator, language);
}

void PlaceBox::updateEnabling()
{
    m_separator->setEnabled(m_useSeparator->isChecked());
    m_replacement->setEnabled(m_replace->isChecked());
}
