#include "gui/folderops/SelActionDialog.h"

#include "core/AppState.h"
#include "core/folderops/ListedFolderOps.h"
#include "core/preview/PreviewList.h"
#include "gui/platform/DialogButtonRow.h"
#include "gui/platform/Prompter.h"
#include "gui/platform/ShowHelpGuide.h"
#include "gui/platform/WarnNotWritten.h"
#include "gui/script/DialogState.h"
#include "gui/settings/DialogChrome.h"
#include "gui/settings/WidgetTranslator.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

SelActionDialog::SelActionDialog(AppState& state, Prompter& prompter, const PreviewList& list, std::vector<int> rows,
                                 const QString& tag, QWidget* parent)
    : QDialog(parent)
    , m_state(state)
    , m_prompter(prompter)
    , m_list(list)
    , m_rows(std::move(rows))
    , m_tag(tag)
{
    setObjectName(formName());
    setProperty("tag", tag);
    setModal(true);

    auto* label = new QLabel(QStringLiteral("Target folder:"), this);
    label->setObjectName(QStringLiteral("lblSelAction"));
    m_target = new QLineEdit(this);
    m_target->setObjectName(QStringLiteral("txtTargetPath"));
    m_target->setMinimumWidth(380);
    label->setBuddy(m_target);
    auto* browseButton = new QPushButton(QStringLiteral("Browse…"), this);
    browseButton->setObjectName(QStringLiteral("cmdSelPath"));
    m_update = new QCheckBox(QStringLiteral("Update the list"), this);
    m_update->setObjectName(QStringLiteral("chkUpdateList"));

    const DialogButtonRow buttons = DialogButtonRow::create(this);
    m_ok = buttons.ok;

    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(m_target, 1);
    pathRow->addWidget(browseButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addLayout(pathRow);
    layout->addWidget(m_update);
    layout->addSpacing(8);
    layout->addLayout(buttons.layout);

    connect(m_target, &QLineEdit::textChanged, this, &SelActionDialog::targetChanged);
    connect(browseButton, &QPushButton::clicked, this, &SelActionDialog::browse);
    ConnectHelp(this, m_state, m_prompter);

    TranslateForm(state.language, this, tag);
    SetDialogButtons(this, state.language);
    SetDialogColours(this, state);
    RestoreDialogState(state, this, tag);
    if (moving()) {
        m_update->setChecked(true);
        m_update->setEnabled(false);
    }
    targetChanged();
    FitDialogSize(this);
}

QString SelActionDialog::targetFolder() const
{
    return m_target->text().trimmed();
}

bool SelActionDialog::updateList() const
{
    return moving() || m_update->isChecked();
}

void SelActionDialog::targetChanged()
{
    const QString target = targetFolder();
    m_ok->setEnabled(!target.isEmpty() && m_state.fs().folderExists(target));
}

void SelActionDialog::browse()
{
    const QString chosen = m_prompter.browseFolder(m_state.message(QStringLiteral("MsgText22")), targetFolder());
    if (!chosen.isEmpty())
        m_target->setText(chosen);
}

void SelActionDialog::accept()
{
    if (!m_ok->isEnabled())
        return;
    // Kept on every OK, whether or not dialog settings are remembered otherwise.
    if (!SaveDialogState(m_state, this, m_tag, 1))
        WarnNotWritten(m_state, m_prompter, m_state.settingsFile);
    const int clash = ListedFolderOps::FirstNameClash(m_list, m_rows);
    if (clash >= 0) {
        m_prompter.ask(m_state.message(QStringLiteral("MsgText26"), {m_list.entry(clash).oldName}),
                       m_state.message(QStringLiteral("msgCapAttention")), Prompter::Ok, Prompter::Icon::Critical,
                       Prompter::Ok);
        return;
    }
    QDialog::accept();
}
