#include "gui/rename/FolderExtensionDialog.h"

#include "gui/rename/NameFieldWidget.h"
#include "gui/script/DialogState.h"
#include "gui/settings/NamedWidget.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

FolderExtensionDialog::FolderExtensionDialog(RenameDialogHost host, QWidget* parent)
    : RenameDialog(kType, std::move(host), parent)
{
    m_remove = NamedWidget<QRadioButton>(this, QStringLiteral("optFE(0)"));
    m_set = NamedWidget<QRadioButton>(this, QStringLiteral("optFE(1)"));
    m_extension = NamedWidget<NameFieldWidget>(this, QStringLiteral("txtFE"));
    m_extension->setMinimumWidth(fontMetrics().averageCharWidth() * 16);
    m_keepOld = NamedWidget<QCheckBox>(this, QStringLiteral("chkAddOldFE"));
    auto* info = NamedWidget<QLabel>(this, QStringLiteral("lblInfo"));

    auto* grid = new QGridLayout;
    grid->setColumnStretch(2, 1);
    grid->addWidget(info, 0, 0, 1, 3);
    grid->setRowMinimumHeight(1, 4);
    grid->addWidget(m_remove, 2, 0, 1, 3);
    grid->addWidget(m_set, 3, 0, 1, 2);
    grid->addWidget(m_extension, 3, 2);
    // The check box belongs to the second option: indented under its text.
    const int indent = style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) +
                       style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing);
    grid->setColumnMinimumWidth(0, indent);
    grid->addWidget(m_keepOld, 4, 1, 1, 2);
    contentLayout()->addLayout(grid);

    (FolderExtensionParams::kDefaultMode == FolderExtensionParams::NewExtension ? m_set : m_remove)->setChecked(true);
    connect(m_set, &QRadioButton::toggled, this, &FolderExtensionDialog::updateEnabling);
    load();
}

void FolderExtensionDialog::updateEnabling()
{
    const bool newExtension = m_set->isChecked();
    m_extension->setEnabled(newExtension);
    m_keepOld->setEnabled(newExtension);
}

void FolderExtensionDialog::valuesRestored()
{
    updateEnabling();
}

FolderExtensionParams FolderExtensionDialog::params() const
{
    return FolderExtensionParams::fromValues(ReadDialogValues(this));
}

void FolderExtensionDialog::prepareFields()
{
    m_extension->setText(FolderExtensionParams::cleanExtension(m_extension->text()));
}

void FolderExtensionDialog::runFunction(RenameRun& run)
{
    applyFolderExtension(run, params());
}
