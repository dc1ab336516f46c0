#include "gui/folderops/CreateSubFoldersDialog.h"

#include "core/AppState.h"
#include "core/folderops/SubfolderCreation.h"
#include "gui/platform/DialogButtonRow.h"
#include "gui/platform/ShowHelpGuide.h"
#include "gui/settings/DialogChrome.h"
#include "gui/settings/WidgetTranslator.h"

#include <QCheckBox>
#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTimer>
#include <QVBoxLayout>

CreateSubFoldersDialog::CreateSubFoldersDialog(AppState& state, Prompter& prompter, QWidget* parent)
    : QDialog(parent)
    , m_state(state)
    , m_prompter(prompter)
{
    setObjectName(formName());
    setModal(true);

    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("txtSubFolder"));
    m_name->setMinimumWidth(280);
    // Characters no folder name here should hold, nor any on the systems these folders may be copied to;
    // "/" stays, it separates levels.
    m_name->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^\\\\:?*<>|\"]*")), m_name));
    m_count = new QLineEdit(QStringLiteral("1"), this);
    m_count->setObjectName(QStringLiteral("txtCount"));
    m_count->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), m_count));
    m_count->installEventFilter(this);
    m_load = new QCheckBox(QStringLiteral("Add the new folders to the list"), this);
    m_load->setObjectName(QStringLiteral("chkCreateAndLoad"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Name:"), m_name);
    form->addRow(QStringLiteral("Count:"), m_count);
    form->labelForField(m_name)->setObjectName(QStringLiteral("lblSubFolder"));
    form->labelForField(m_count)->setObjectName(QStringLiteral("lblCount"));

    const DialogButtonRow buttons = DialogButtonRow::create(this);
    m_ok = buttons.ok;

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_load);
    layout->addSpacing(8);
    layout->addLayout(buttons.layout);

    connect(m_name, &QLineEdit::textChanged, this, &CreateSubFoldersDialog::nameChanged);
    connect(m_count, &QLineEdit::editingFinished, this, &CreateSubFoldersDialog::tidyCount);
    ConnectHelp(this, m_state, m_prompter);

    TranslateForm(state.language, this, formName());
    SetDialogButtons(this, state.language);
    SetDialogColours(this, state);
    nameChanged();
    FitDialogSize(this);
}

QString CreateSubFoldersDialog::subfolderName() const
{
    return SubfolderCreation::CleanName(m_name->text());
}

int CreateSubFoldersDialog::count() const
{
    return SubfolderCreation::TidyCount(m_count->text()).toInt();
}

bool CreateSubFoldersDialog::loadCreated() const
{
    return m_load->isChecked();
}

bool CreateSubFoldersDialog::eventFilter(QObject* watched, QEvent* event)
{
    // Entering the count selects it whole, so typing replaces it; queued, since the click that brought
    // the focus would place the cursor afterwards.
    if (watched == m_count && event->type() == QEvent::FocusIn)
        QTimer::singleShot(0, m_count, &QLineEdit::selectAll);
    return QDialog::eventFilter(watched, event);
}

void CreateSubFoldersDialog::nameChanged()
{
    m_ok->setEnabled(!m_name->text().trimmed().isEmpty());
}

void CreateSubFoldersDialog::tidyCount()
{
    const QString tidy = SubfolderCreation::TidyCount(m_count->text());
    if (tidy != m_count->text())
        m_count->setText(tidy);
}
