#include "gui/rename/EditManDialog.h"

#include "core/AppState.h"
#include "core/preview/PreviewList.h"
#include "core/rename/ManualEdit.h"
#include "gui/platform/ShowHelpGuide.h"
#include "gui/rename/NameFieldWidget.h"
#include "gui/settings/DialogChrome.h"
#include "gui/settings/NamedWidget.h"
#include "gui/settings/WidgetTranslator.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

EditManDialog::EditManDialog(AppState& state, Prompter& prompter, PreviewList& list, int entryNumber,
                             std::function<void()> refreshPreview, QWidget* parent)
    : QDialog(parent)
    , m_state(state)
    , m_prompter(prompter)
    , m_list(list)
    , m_row(entryNumber - 1)
    , m_refresh(std::move(refreshPreview))
{
    setObjectName(QStringLiteral("frmEditMan"));
    auto* layout = new QVBoxLayout(this);

    auto* grid = new QGridLayout;
    grid->setColumnStretch(1, 1);
    auto* currentCaption = NamedWidget<QLabel>(this, QStringLiteral("lblCurrent"));
    auto* current = NamedWidget<QLabel>(this, QStringLiteral("lblCurrentName"));
    current->setTextInteractionFlags(Qt::TextSelectableByMouse);
    current->setTextFormat(Qt::PlainText);
    auto* caption = NamedWidget<QLabel>(this, QStringLiteral("lblFileName"));
    m_name = NamedWidget<NameFieldWidget>(this, QStringLiteral("txtFileName"));
    m_name->setMinimumWidth(fontMetrics().averageCharWidth() * 48);
    caption->setBuddy(m_name);
    grid->addWidget(currentCaption, 0, 0);
    grid->addWidget(current, 0, 1);
    grid->addWidget(caption, 1, 0);
    grid->addWidget(m_name, 1, 1);
    layout->addLayout(grid);
    layout->addSpacing(6);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (const char* name : {"cmdOK", "cmdCancel"}) {
        auto* button = new QPushButton(QLatin1String(name), this);
        button->setObjectName(QLatin1String(name));
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    layout->addLayout(buttons);
    auto* okButton = findChild<QPushButton*>(QStringLiteral("cmdOK"));
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, &EditManDialog::ok);
    connect(findChild<QPushButton*>(QStringLiteral("cmdCancel")), &QPushButton::clicked, this, &QDialog::reject);
    ConnectHelp(this, m_state, m_prompter);

    TranslateForm(state.language, this, objectName());
    const QString title = state.language.GetLngText(QStringLiteral("frmMain"), QStringLiteral("btnBarLeftEditMan"));
    if (!title.isEmpty())
        setWindowTitle(TitleFromCaption(title));
    SetDialogButtons(this, state.language);
    SetDialogColours(this, state);

    if (m_row >= 0 && m_row < list.size()) {
        current->setText(list.entry(m_row).oldName);
        m_name->setText(list.entry(m_row).newName);
    }
    FitDialogSize(this);
    m_name->setFocus();
}

QString EditManDialog::typedName() const
{
    return m_name->text();
}

void EditManDialog::ok()
{
    if (applyManualEdit(m_list, m_row, typedName()) && m_refresh)
        m_refresh();
    accept();
}
