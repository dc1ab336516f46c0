#include "gui/script/ScriptDialog.h"

#include "core/AppState.h"
#include "core/script/ScriptStore.h"
#include "gui/platform/ShowHelpGuide.h"
#include "gui/platform/WarnNotWritten.h"
#include "gui/script/DialogState.h"
#include "gui/settings/DialogChrome.h"
#include "gui/settings/NamedWidget.h"
#include "gui/settings/WidgetTranslator.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {

const QString kForm = QStringLiteral("frmScript");

QPushButton* button(QWidget* parent, const char* name)
{
    auto* b = NamedWidget<QPushButton>(parent, QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}

} // namespace

ScriptDialog::ScriptDialog(AppState& state, Prompter& prompter, const QString& title, QWidget* parent)
    : QDialog(parent)
    , m_state(state)
    , m_prompter(prompter)
{
    setObjectName(kForm);
    auto* label = NamedWidget<QLabel>(this, QStringLiteral("lblScript"));
    m_scripts = NamedWidget<QListWidget>(this, QStringLiteral("lstScript"));
    label->setBuddy(m_scripts);
    const QString folder = ScriptStore::scriptFolder(state);
    for (const ScriptStore::ScriptEntry& entry : ScriptStore::ScriptEntries(folder)) {
        auto* item = new QListWidgetItem(entry.text, m_scripts);
        item->setData(Qt::UserRole, folder + entry.fileName);
    }

    auto* mode = NamedWidget<QGroupBox>(this, QStringLiteral("fraRunMode"));
    m_runAll = NamedWidget<QRadioButton>(mode, QStringLiteral("optRunAll"));
    m_runAll->setChecked(true);
    m_singleSteps = NamedWidget<QRadioButton>(mode, QStringLiteral("optRunSingleSteps"));
    auto* modeLayout = new QVBoxLayout(mode);
    modeLayout->addWidget(m_runAll);
    modeLayout->addWidget(m_singleSteps);

    QPushButton* helpButton = button(this, "cmdHelp");
    m_start = button(this, "cmdStart");
    m_start->setDefault(true);
    QPushButton* cancel = button(this, "cmdCancel");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(helpButton);
    buttons->addStretch(1);
    buttons->addWidget(m_start);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_scripts, 1);
    layout->addWidget(mode);
    layout->addLayout(buttons);

    connect(m_start, &QPushButton::clicked, this, &ScriptDialog::start);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    ConnectHelp(this, m_state, m_prompter);
    connect(m_scripts, &QListWidget::currentRowChanged, this, &ScriptDialog::updateStart);
    connect(m_scripts, &QListWidget::itemActivated, this, &ScriptDialog::start);

    TranslateForm(state.language, this, kForm);
    // Command buttons take their captions from the shared button texts, which have no Start.
    m_start->setText(state.language.GetLngText(kForm, QStringLiteral("cmdStart")));
    if (!title.isEmpty())
        setWindowTitle(TitleFromCaption(title));
    SetDialogButtons(this, state.language);
    SetDialogColours(this, state);
    RestoreDialogState(state, this, kForm);
    updateStart();
    resize(std::max(sizeHint().width(), 460), std::max(sizeHint().height(), 340));
    m_scripts->setFocus();
}

void ScriptDialog::updateStart()
{
    m_start->setEnabled(m_scripts->currentItem() != nullptr);
}

void ScriptDialog::start()
{
    const QListWidgetItem* item = m_scripts->currentItem();
    if (!item)
        return;
    m_path = item->data(Qt::UserRole).toString();
    m_runMode = m_singleSteps->isChecked() ? 2 : 1;
    if (!SaveDialogState(m_state, this, kForm, 1))
        WarnNotWritten(m_state, m_prompter, m_state.settingsFile);
    accept();
}
