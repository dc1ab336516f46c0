#include "gui/commit/NotRenamedDialog.h"

#include "core/AppState.h"
#include "core/commit/RenameProtocol.h"
#include "core/preview/PreviewList.h"
#include "core/settings/ProgramNames.h"
#include "gui/platform/FailureTable.h"
#include "gui/platform/Prompter.h"
#include "gui/platform/WarnNotWritten.h"
#include "gui/script/DialogState.h"
#include "gui/settings/DialogChrome.h"
#include "gui/settings/WidgetTranslator.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

const QString kRemoveKey = QStringLiteral("optRemoveRenamed");
const QString kNoActionKey = QStringLiteral("optNoAction");

} // namespace

NotRenamedDialog::NotRenamedDialog(AppState& state, PreviewList& list, const CommitReport& report, QWidget* parent)
    : QDialog(parent)
    , m_state(state)
    , m_list(list)
    , m_processedKeys(report.processedKeys)
{
    setObjectName(formName());
    setModal(true);
    setWindowTitle(QStringLiteral("Not renamed"));

    auto* intro = new QLabel(QStringLiteral("These folders could not be renamed:"), this);
    intro->setObjectName(QStringLiteral("lblNotRenamed"));
    intro->setWordWrap(true);

    QStringList messages;
    for (const CommitReport::Failure& failure : report.failures)
        messages.append(failure.message);
    m_failures = new FailureTable(messages, QStringLiteral("lstNotRenamed"), this);
    intro->setBuddy(m_failures);

    auto* frame = new QGroupBox(QStringLiteral("Afterwards"), this);
    frame->setObjectName(QStringLiteral("fraAction"));
    m_remove = new QRadioButton(QStringLiteral("Remove the processed folders from the list"), frame);
    m_remove->setObjectName(kRemoveKey);
    m_noAction = new QRadioButton(QStringLiteral("Leave the list as it is"), frame);
    m_noAction->setObjectName(kNoActionKey);
    m_noAction->setChecked(true);
    auto* frameLayout = new QVBoxLayout(frame);
    frameLayout->addWidget(m_remove);
    frameLayout->addWidget(m_noAction);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    connect(ok, &QPushButton::clicked, this, &NotRenamedDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &NotRenamedDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(m_failures, 1);
    layout->addWidget(frame);
    layout->addLayout(buttons);
    resize(720, 400);

    TranslateForm(state.language, this);
    SetDialogButtons(this, state.language);
    SetDialogColours(this, state);
    restoreOption();
}

bool NotRenamedDialog::showReport(AppState& state, Prompter& prompter, PreviewList& list, const CommitReport& report,
                                  QWidget* parent)
{
    if (report.protocolFailed) {
        prompter.tell(
            state.message(QStringLiteral("msgProtocolFailed"),
                          {QLatin1Char('"') + state.settingsFolder + RenameProtocol::fileName() + QLatin1Char('"')}),
            ProductName(), Prompter::Icon::Warning);
    }
    if (report.failures.isEmpty())
        return false;
    NotRenamedDialog dialog(state, list, report, parent);
    dialog.exec();
    if (!dialog.m_optionSaved)
        WarnNotWritten(state, prompter, state.settingsFile);
    return dialog.listChanged();
}

void NotRenamedDialog::accept()
{
    if (m_remove->isChecked()) {
        std::vector<bool> marked(static_cast<size_t>(m_list.size()), false);
        bool any = false;
        for (const QString& key : std::as_const(m_processedKeys)) {
            const int row = m_list.rowOfKey(key);
            if (row >= 0) {
                marked[static_cast<size_t>(row)] = true;
                any = true;
            }
        }
        if (any) {
            m_list.removeEntries(marked);
            m_listChanged = true;
        }
    }
    saveOption();
    QDialog::accept();
}

// The chosen option is remembered like every dialog's values, whatever "savset" says.
void NotRenamedDialog::restoreOption()
{
    RestoreDialogState(m_state, this, formName());
}

void NotRenamedDialog::saveOption()
{
    m_optionSaved = SaveDialogState(m_state, this, formName(), 1);
}
