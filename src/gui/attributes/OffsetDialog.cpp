#include "gui/attributes/OffsetDialog.h"

#include "core/AppState.h"
#include "core/folderops/TimeOffset.h"
#include "gui/attributes/TwoDigitField.h"
#include "gui/platform/DialogButtonRow.h"
#include "gui/platform/ShowHelpGuide.h"
#include "gui/settings/DialogChrome.h"
#include "gui/settings/NamedWidget.h"
#include "gui/settings/WidgetTranslator.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

// The largest value of each field: years, months, days, hours, minutes, seconds.
constexpr int kMaximum[6] = {20, 11, 30, 23, 59, 59};

} // namespace

OffsetDialog::OffsetDialog(const AppState& state, Prompter& prompter, const QString& offset, const QString& title,
                           QWidget* parent)
    : QDialog(parent)
    , m_state(state)
    , m_prompter(prompter)
{
    setObjectName(formName());
    setModal(true);

    auto* grid = new QGridLayout;
    auto* signLabel = NamedWidget<QLabel>(this, QStringLiteral("lblPlusMinus"));
    m_sign = NamedWidget<QComboBox>(this, QStringLiteral("cmbPlusMinus"));
    m_sign->addItems({QStringLiteral("+"), QStringLiteral("-")});
    signLabel->setBuddy(m_sign);
    grid->addWidget(signLabel, 0, 0);
    grid->addWidget(m_sign, 0, 1, 1, 2, Qt::AlignLeft);
    for (int i = 0; i < 6; ++i) {
        const QString index = QStringLiteral("(%1)").arg(i + 1);
        auto* label = NamedWidget<QLabel>(this, QStringLiteral("lblOffsetField") + index);
        const TwoDigitField pair = TwoDigitField::create(this, QStringLiteral("scrollOffset") + index,
                                                         QStringLiteral("txtOffset") + index, 0, kMaximum[i]);
        label->setBuddy(pair.field);
        m_bars[i] = pair.bar;
        grid->addWidget(label, i + 1, 0);
        grid->addWidget(pair.field, i + 1, 1);
        grid->addWidget(pair.bar, i + 1, 2);
        connect(pair.bar, &QScrollBar::valueChanged, this, &OffsetDialog::rebuild);
    }
    auto* resultLabel = NamedWidget<QLabel>(this, QStringLiteral("lblOffsetCaption"));
    m_offset = NamedWidget<QLabel>(this, QStringLiteral("lblOffset"));
    m_offset->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont fixed = m_offset->font();
    fixed.setFamily(QStringLiteral("monospace"));
    fixed.setStyleHint(QFont::Monospace);
    m_offset->setFont(fixed);
    grid->addWidget(resultLabel, 7, 0);
    grid->addWidget(m_offset, 7, 1, 1, 2);
    grid->setColumnStretch(2, 1);
    connect(m_sign, &QComboBox::currentIndexChanged, this, &OffsetDialog::rebuild);

    const DialogButtonRow buttons = DialogButtonRow::create(this);
    buttons.help->setAutoDefault(false);
    buttons.cancel->setAutoDefault(false);
    ConnectHelp(this, m_state, m_prompter);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch(1);
    layout->addLayout(buttons.layout);

    TranslateForm(state.language, this);
    TwoDigitField::nameBars(this);
    if (!title.isEmpty())
        setWindowTitle(title);
    SetDialogButtons(this, state.language);
    SetDialogColours(this, state);

    const TimeOffset start = TimeOffset::fromText(offset);
    m_sign->setCurrentIndex(start.subtract ? 1 : 0);
    for (int i = 0; i < 6; ++i)
        m_bars[i]->setValue(start.fields[i]);
    rebuild();
    FitDialogSize(this);
}

QString OffsetDialog::offsetText() const
{
    return m_offset->text();
}

void OffsetDialog::rebuild()
{
    TimeOffset offset;
    offset.subtract = m_sign->currentIndex() == 1;
    for (int i = 0; i < 6; ++i)
        offset.fields[i] = m_bars[i]->value();
    m_offset->setText(offset.text());
}
