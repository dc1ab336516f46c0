#include "gui/rename/NumberDialog.h"

#include "core/AppState.h"
#include "core/rename/NumberText.h"
#include "gui/mainwindow/WindowSession.h"
#include "gui/platform/Prompter.h"
#include "gui/rename/NameFieldWidget.h"
#include "gui/rename/NumberFieldWidget.h"
#include "gui/rename/PlaceBox.h"
#include "gui/script/DialogState.h"
#include "gui/settings/NamedWidget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSignalBlocker>

namespace {

constexpr int kWidths = 15;

QLabel* labelFor(QWidget* parent, const QString& name, QWidget* buddy)
{
    auto* label = NamedWidget<QLabel>(parent, name);
    label->setBuddy(buddy);
    return label;
}

} // namespace

NumberDialog::NumberDialog(RenameDialogHost host, QWidget* parent)
    : RenameDialog(kType, std::move(host), parent)
{
    m_start = NamedWidget<NumberFieldWidget>(this, QStringLiteral("txtInit"));
    m_startFormat = NamedWidget<NumberFieldWidget>(this, QStringLiteral("txtInitFormat"));
    m_formatLabel = labelFor(this, QStringLiteral("lbl1"), m_startFormat);
    m_increment = NamedWidget<NumberFieldWidget>(this, QStringLiteral("txtInc"));
    m_system = NamedWidget<QComboBox>(this, QStringLiteral("cmbNumberWith"));
    m_width = NamedWidget<QComboBox>(this, QStringLiteral("cmbAnz"));
    m_width->addItem(QStringLiteral("auto"));
    for (int width = 1; width <= kWidths; ++width)
        m_width->addItem(QString::number(width));
    auto* shuffle = NamedWidget<QCheckBox>(this, QStringLiteral("chkRandom"));
    m_start->setText(QStringLiteral("1"));
    m_increment->setText(QStringLiteral("1"));
    const int fieldWidth = fontMetrics().averageCharWidth() * 14;
    for (QWidget* field :
         {static_cast<QWidget*>(m_start), static_cast<QWidget*>(m_startFormat), static_cast<QWidget*>(m_increment)})
        field->setMinimumWidth(fieldWidth);

    auto* numbers = new QGridLayout;
    numbers->addWidget(labelFor(this, QStringLiteral("lblInit"), m_start), 0, 0);
    numbers->addWidget(m_start, 0, 1);
    numbers->addWidget(m_formatLabel, 0, 2);
    numbers->addWidget(m_startFormat, 0, 3);
    numbers->addWidget(labelFor(this, QStringLiteral("lblInc"), m_increment), 1, 0);
    numbers->addWidget(m_increment, 1, 1);
    numbers->addWidget(labelFor(this, QStringLiteral("lblNumberWith"), m_system), 2, 0);
    numbers->addWidget(m_system, 2, 1);
    numbers->addWidget(labelFor(this, QStringLiteral("lblAnz"), m_width), 3, 0);
    numbers->addWidget(m_width, 3, 1);
    numbers->addWidget(shuffle, 4, 0, 1, 4);
    numbers->setColumnStretch(4, 1);
    contentLayout()->addLayout(numbers);

    m_place = new PlaceBox(this, QStringLiteral("optPrefix"), QStringLiteral("optSuffix"), QStringLiteral("chkIntChr"));
    contentLayout()->addWidget(m_place);

    connect(m_start, &QLineEdit::textChanged, this, &NumberDialog::startChanged);
    connect(m_startFormat, &QLineEdit::textEdited, this, &NumberDialog::formatEdited);
    connect(m_system, &QComboBox::currentIndexChanged, this, &NumberDialog::systemChosen);
    connect(m_start, &NumberFieldWidget::left, this,
            [this] { m_start->setText(NumberingParams::cleanStart(m_start->text(), m_system->currentIndex())); });
    connect(m_increment, &NumberFieldWidget::left, this,
            [this] { m_increment->setText(NumberingParams::cleanNumber(m_increment->text())); });
    connect(m_startFormat, &NumberFieldWidget::left, this, [this] {
        if (m_startFormat->text().isEmpty())
            m_start->setText(QStringLiteral("1"));
    });
    load();
}

NumberDialog::~NumberDialog()
{
    // The fields tidy themselves when they lose the focus, which the focused one also does while the
    // dialog is taken apart, after this part of it is gone.
    for (NumberFieldWidget* field : {m_start, m_increment, m_startFormat})
        disconnect(field, nullptr, this, nullptr);
}

void NumberDialog::textsApplied()
{
    m_width->setItemText(0, state().language.GetLngText(objectName(), QStringLiteral("cmbAnzAuto")));
    m_place->fillSeparators(state().language);
}

void NumberDialog::valuesRestored()
{
    systemChosen();
    m_place->updateEnabling();
}

void NumberDialog::startChanged()
{
    const std::optional<qint32> value = NumberingParams::wholeNumber(m_start->text());
    const QString shown = value ? NumberToText(*value, m_system->currentIndex()) : QString();
    if (m_startFormat->text() != shown)
        m_startFormat->setText(shown);
}

void NumberDialog::formatEdited()
{
    const QString start = TextToNumber(m_startFormat->text(), m_system->currentIndex());
    // The start follows without writing back into the field being typed in.
    const QSignalBlocker quiet(m_start);
    if (m_start->text() != start)
        m_start->setText(start);
}

void NumberDialog::systemChosen()
{
    const int system = m_system->currentIndex();
    const bool decimal = system <= NumberDecimal;
    m_formatLabel->setVisible(!decimal);
    m_startFormat->setVisible(!decimal);
    const CharClasses& classes = state().charClasses;
    using Case = NumberFieldWidget::LetterCase;
    m_start->setCharacters(classes.digits);
    m_start->setSignToggle(decimal, true);
    m_increment->setCharacters(classes.digits);
    m_startFormat->setSignToggle(system != NumberHex, false);
    if (system == NumberHex)
        m_startFormat->setCharacters(classes.hexDigits);
    else if (system == NumberUpperLetters)
        m_startFormat->setCharacters(classes.letterNumeralsUpper, Case::Upper);
    else if (system == NumberLowerLetters)
        m_startFormat->setCharacters(classes.letterNumeralsLower, Case::Lower);
    else
        m_startFormat->setCharacters(classes.signedDigits);
    m_start->setText(NumberingParams::cleanStart(m_start->text(), system));
    startChanged();
}

NumberingParams NumberDialog::params() const
{
    return NumberingParams::fromValues(ReadDialogValues(this));
}

void NumberDialog::prepareFields()
{
    m_start->setText(NumberingParams::cleanStart(m_start->text(), m_system->currentIndex()));
    m_increment->setText(NumberingParams::cleanNumber(m_increment->text()));
}

bool NumberDialog::acceptsRun(const RenameRun& run)
{
    const NumberingParams::Refusal refusal = params().check(run.targetCount());
    if (refusal == NumberingParams::Refusal::None)
        return true;
    const QString key = refusal == NumberingParams::Refusal::NotANumber ? QStringLiteral("msgNumberNotNumber")
                                                                        : QStringLiteral("msgNumberRange");
    window().prompter.tell(state().message(key), state().message(QStringLiteral("msgCapAttention")),
                           Prompter::Icon::Warning);
    return false;
}

void NumberDialog::runFunction(RenameRun& run)
{
    applyNumbering(run, params());
}
