#include "gui/folderops/FileListDialog.h"

#include "core/AppState.h"
#include "gui/platform/DialogButtonRow.h"
#include "gui/platform/ShowHelpGuide.h"
#include "gui/platform/WarnNotWritten.h"
#include "gui/script/DialogState.h"
#include "gui/settings/DialogChrome.h"
#include "gui/settings/WidgetTranslator.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

FileListDialog::FileListDialog(AppState& state, Prompter& prompter, QWidget* parent)
    : QDialog(parent)
    , m_state(state)
    , m_prompter(prompter)
{
    setObjectName(formName());
    setModal(true);

    auto* frame = new QGroupBox(QStringLiteral("Format"), this);
    frame->setObjectName(QStringLiteral("fraFormat"));
    m_formatted = new QRadioButton(QStringLiteral("Formatted text (RTF)"), frame);
    m_formatted->setObjectName(QStringLiteral("optFormatFormattedText"));
    auto* plain = new QRadioButton(QStringLiteral("Plain text"), frame);
    plain->setObjectName(QStringLiteral("optFormatPlainText"));
    m_formatted->setChecked(true);
    auto* frameLayout = new QVBoxLayout(frame);
    frameLayout->addWidget(m_formatted);
    frameLayout->addWidget(plain);

    const DialogButtonRow buttons = DialogButtonRow::create(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addSpacing(8);
    layout->addLayout(buttons.layout);
    ConnectHelp(this, m_state, m_prompter);

    TranslateForm(state.language, this, formName());
    SetDialogButtons(this, state.language);
    SetDialogColours(this, state);
    RestoreDialogState(state, this, formName());
    FitDialogSize(this);
}

bool FileListDialog::formatted() const
{
    return m_formatted->isChecked();
}

void FileListDialog::accept()
{
    if (!SaveDialogState(m_state, this, formName(), 1))
        WarnNotWritten(m_state, m_prompter, m_state.settingsFile);
    QDialog::accept();
}
