#include "gui/settings/AboutDialog.h"

#include "core/AppState.h"
#include "core/settings/ProgramNames.h"
#include "gui/platform/ShowHelpGuide.h"
#include "gui/settings/DialogChrome.h"
#include "gui/settings/NamedWidget.h"
#include "gui/settings/WidgetTranslator.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

AboutDialog::AboutDialog(const AppState& state, Prompter& prompter, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmInfo"));
    setModal(true);
    const QString section = objectName();

    auto* picture = NamedWidget<QLabel>(this, QStringLiteral("imgIcon"));
    picture->setPixmap(QIcon(QStringLiteral(":/icons/dirwright.svg")).pixmap(64, 64));
    auto* product = NamedWidget<QLabel>(this, QStringLiteral("lblProduct"));
    QFont big = product->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    product->setFont(big);
    auto* version = NamedWidget<QLabel>(this, QStringLiteral("lblVersion"));
    auto* description = NamedWidget<QLabel>(this, QStringLiteral("lblDescription"));
    auto* licence = NamedWidget<QLabel>(this, QStringLiteral("lblLicence"));
    auto* credits = NamedWidget<QLabel>(this, QStringLiteral("lblCredits"));
    for (QLabel* l : {description, licence, credits}) {
        l->setWordWrap(true);
        l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    auto* close = NamedWidget<QPushButton>(this, QStringLiteral("cmdClose"));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto* help = NamedWidget<QPushButton>(this, QStringLiteral("cmdHelp"));
    help->setAutoDefault(false);
    ConnectHelp(this, state, prompter);

    auto* head = new QHBoxLayout;
    head->addWidget(picture, 0, Qt::AlignTop);
    auto* names = new QVBoxLayout;
    names->addWidget(product);
    names->addWidget(version);
    head->addLayout(names, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(help);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(head);
    for (QLabel* l : {description, licence, credits})
        layout->addWidget(l);
    layout->addStretch(1);
    layout->addLayout(buttons);

    TranslateForm(state.language, this);
    SetDialogButtons(this, state.language);
    SetDialogColours(this, state);
    // Values, not texts of the language file: the name, the version and the toolkit's version.
    product->setText(ProductName());
    version->setText(state.language.GetLngText(section, QStringLiteral("lblVersion"), {state.versionText}));
    credits->setText(state.language.GetLngText(section, QStringLiteral("lblCredits"), {QLatin1String(qVersion())}));
    setMinimumWidth(440);
}
