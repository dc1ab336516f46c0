#include "gui/platform/DialogButtonRow.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

DialogButtonRow DialogButtonRow::create(QDialog* dialog)
{
    DialogButtonRow row;
    const auto named = [dialog](const char* name) {
        auto* button = new QPushButton(dialog);
        button->setObjectName(QLatin1String(name));
        return button;
    };
    row.help = named("cmdHelp");
    row.ok = named("cmdOK");
    row.cancel = named("cmdCancel");
    row.ok->setDefault(true);
    QObject::connect(row.ok, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(row.cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    row.layout = new QHBoxLayout;
    row.layout->addWidget(row.help);
    row.layout->addStretch(1);
    row.layout->addWidget(row.ok);
    row.layout->addWidget(row.cancel);
    return row;
}
