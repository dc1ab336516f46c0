#include "gui/rename/CaseDialog.h"

#include "gui/script/DialogState.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// A frame of option buttons "name(first)" … "name(last)", with one of them selected.
QGroupBox* optionFrame(QWidget* parent, const QString& frameName, const QString& optionName, int last, int selected)
{
    auto* frame = new QGroupBox(parent);
    frame->setObjectName(frameName);
    auto* layout = new QVBoxLayout(frame);
    for (int n = 1; n <= last; ++n) {
        auto* option = new QRadioButton(frame);
        option->setObjectName(optionName + QLatin1Char('(') + QString::number(n) + QLatin1Char(')'));
        option->setChecked(n == selected);
        layout->addWidget(option);
    }
    layout->addStretch(1);
    return frame;
}

} // namespace

CaseDialog::CaseDialog(RenameDialogHost host, QWidget* parent)
    : RenameDialog(kType, std::move(host), parent)
{
    auto* row = new QHBoxLayout;
    row->addWidget(optionFrame(this, QStringLiteral("fraCase"), QStringLiteral("opt1"), CaseParams::Swap,
                               CaseParams::kDefaultFunction));
    row->addWidget(optionFrame(this, QStringLiteral("fraScope"), QStringLiteral("opt2"), CaseParams::Both,
                               CaseParams::kDefaultScope));
    contentLayout()->addLayout(row);
    load();
}

CaseParams CaseDialog::params() const
{
    return CaseParams::fromValues(ReadDialogValues(this));
}

void CaseDialog::runFunction(RenameRun& run)
{
    applyCase(run, params());
}
