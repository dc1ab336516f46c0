#include "gui/attributes/NotChangedDialog.h"

#include "core/AppState.h"
#include "gui/platform/FailureTable.h"
#include "gui/settings/DialogChrome.h"
#include "gui/settings/NamedWidget.h"
#include "gui/settings/WidgetTranslator.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

NotChangedDialog::NotChangedDialog(const AppState& state, const FolderChangeReport& report, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(formName());
    setModal(true);
    auto* intro = NamedWidget<QLabel>(this, QStringLiteral("lblNotChanged"));
    intro->setWordWrap(true);
    auto* failures = new FailureTable(report.messages(), QStringLiteral("lstNotChanged"), this);
    intro->setBuddy(failures);
    auto* ok = NamedWidget<QPushButton>(this, QStringLiteral("cmdOK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(failures, 1);
    layout->addLayout(buttons);
    resize(720, 360);

    TranslateForm(state.language, this);
    SetDialogButtons(this, state.language);
    SetDialogColours(this, state);
}
