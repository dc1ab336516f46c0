#include "gui/rename/InsertDialog.h"

#include "core/AppState.h"
#include "core/rename/FieldNumber.h"
#include "core/settings/DateFormatter.h"
#include "core/settings/DateTimeFormats.h"
#include "gui/mainwindow/WindowSession.h"
#include "gui/rename/NameFieldWidget.h"
#include "gui/rename/SeparatorCombo.h"
#include "gui/rename/SpinField.h"
#include "gui/script/DialogState.h"
#include "gui/settings/DateTimeFormatDialog.h"
#include "gui/settings/NamedWidget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QString member(const char* name, int index)
{
    return QLatin1String(name) + QLatin1Char('(') + QString::number(index) + QLatin1Char(')');
}

} // namespace

InsertDialog::InsertDialog(RenameDialogHost host, QWidget* parent)
    : RenameDialog(kType, std::move(host), parent)
{
    auto* whereFrame = NamedWidget<QGroupBox>(this, QStringLiteral("fraWhere"));
    auto* where = new QGridLayout(whereFrame);
    for (int n = InsertParams::AtPosition; n <= InsertParams::AtEnd; ++n)
        m_where.append(NamedWidget<QRadioButton>(whereFrame, member("opt1", n)));
    m_position = new SpinField(whereFrame, QStringLiteral("txtPos"), QStringLiteral("VScroll1"), 200, 0, 200);
    m_align = NamedWidget<QComboBox>(whereFrame, QStringLiteral("cmbAlign"));
    m_align->setProperty("tag", QStringLiteral("cmbItem1"));
    m_getPos = NamedWidget<QPushButton>(whereFrame, QStringLiteral("cmdGetPos"));
    m_getPos->setAutoDefault(false);
    m_classes = NamedWidget<QListWidget>(whereFrame, QStringLiteral("lstBeforeAfter"));
    m_classes->setSelectionMode(QAbstractItemView::MultiSelection);
    m_classes->setMaximumHeight(fontMetrics().height() * 5);
    m_onlyOnce = NamedWidget<QCheckBox>(whereFrame, QStringLiteral("chkOnlyOnce"));
    auto* positionRow = new QHBoxLayout;
    positionRow->addLayout(m_position->makeLayout());
    positionRow->addWidget(m_align);
    positionRow->addWidget(m_getPos);
    positionRow->addStretch(1);
    where->addWidget(m_where[0], 0, 0);
    where->addLayout(positionRow, 0, 1);
    where->addWidget(m_where[1], 1, 0);
    where->addWidget(m_where[2], 2, 0);
    where->addWidget(m_classes, 1, 1, 3, 1);
    where->addWidget(m_onlyOnce, 4, 1);
    where->addWidget(m_where[3], 5, 0);
    where->addWidget(m_where[4], 6, 0);
    where->setColumnStretch(1, 1);

    auto* whatFrame = NamedWidget<QGroupBox>(this, QStringLiteral("fraWhat"));
    auto* what = new QGridLayout(whatFrame);
    m_text = NamedWidget<QRadioButton>(whatFrame, member("opt2", InsertParams::Text));
    m_date = NamedWidget<QRadioButton>(whatFrame, member("opt2", InsertParams::Date));
    m_insert = NamedWidget<NameFieldWidget>(whatFrame, QStringLiteral("txtIns"));
    m_insert->setMinimumWidth(fontMetrics().averageCharWidth() * 32);
    m_format = NamedWidget<QLineEdit>(whatFrame, QStringLiteral("txtFormat"));
    m_formatType = NamedWidget<QComboBox>(whatFrame, QStringLiteral("cmbType"));
    m_selectFormat = NamedWidget<QPushButton>(whatFrame, QStringLiteral("cmdSelFormat"));
    m_selectFormat->setAutoDefault(false);
    m_selectFormat->setProperty("tag", QStringLiteral("cmdSelFormatCaption"));
    m_formatPreview = NamedWidget<QLineEdit>(whatFrame, QStringLiteral("txtFormatPreview"));
    m_formatPreview->setReadOnly(true);
    m_formatPreview->setFocusPolicy(Qt::NoFocus);
    auto* formatRow = new QHBoxLayout;
    formatRow->addWidget(m_format, 1);
    formatRow->addWidget(m_formatType);
    formatRow->addWidget(m_selectFormat);
    what->addWidget(m_text, 0, 0);
    what->addWidget(m_insert, 0, 1);
    what->addWidget(m_date, 1, 0);
    what->addLayout(formatRow, 1, 1);
    what->addWidget(m_formatPreview, 2, 1);
    what->setColumnStretch(1, 1);

    m_useSeparator = NamedWidget<QCheckBox>(this, QStringLiteral("chkIntChr"));
    m_separator = NamedWidget<QComboBox>(this, QStringLiteral("cmbIntChr"));
    auto* separatorRow = new QHBoxLayout;
    separatorRow->addWidget(m_useSeparator);
    separatorRow->addWidget(m_separator);
    separatorRow->addStretch(1);

    contentLayout()->addWidget(whereFrame);
    contentLayout()->addWidget(whatFrame);
    contentLayout()->addLayout(separatorRow);

    m_where[InsertParams::kDefaultWhere - 1]->setChecked(true);
    m_text->setChecked(true);
    for (QRadioButton* option : std::as_const(m_where))
        connect(option, &QRadioButton::toggled, this, &InsertDialog::updateEnabling);
    connect(m_text, &QRadioButton::toggled, this, &InsertDialog::updateEnabling);
    connect(m_useSeparator, &QCheckBox::toggled, this, &InsertDialog::updateEnabling);
    connect(m_format, &QLineEdit::textChanged, this, &InsertDialog::updateFormatPreview);
    connect(m_getPos, &QPushButton::clicked, this, &InsertDialog::pickPosition);
    connect(m_selectFormat, &QPushButton::clicked, this, &InsertDialog::chooseFormat);
    load();
}

void InsertDialog::textsApplied()
{
    FillSeparatorCombo(m_separator, state().language);
    m_formatType->clear();
    m_formatType->addItems(DateTimeFormatDialog::typeItems(state()));
    // Its entries come from a shared key, so its name for screen readers is set here.
    m_align->setAccessibleName(state().language.GetLngText(objectName(), QStringLiteral("cmbAlign")));
}

void InsertDialog::valuesRestored()
{
    if (m_format->text().isEmpty())
        m_format->setText(InsertParams::defaultFormat());
    updateFormatPreview();
    updateEnabling();
}

void InsertDialog::updateEnabling()
{
    const bool atPosition = m_where[0]->isChecked();
    const bool byClass = m_where[1]->isChecked() || m_where[2]->isChecked();
    m_position->setEnabled(atPosition);
    m_align->setEnabled(atPosition);
    m_getPos->setEnabled(atPosition);
    m_classes->setEnabled(byClass);
    m_onlyOnce->setEnabled(byClass);
    const bool text = m_text->isChecked();
    m_insert->setEnabled(text);
    for (QWidget* w : std::initializer_list<QWidget*>{m_format, m_formatType, m_selectFormat, m_formatPreview})
        w->setEnabled(!text);
    m_separator->setEnabled(m_useSeparator->isChecked());
}

void InsertDialog::updateFormatPreview()
{
    m_formatPreview->setText(DateFormatter::format(state().now(), m_format->text()));
}

InsertParams InsertDialog::params() const
{
    return InsertParams::fromValues(ReadDialogValues(this));
}

bool InsertDialog::acceptsRun(const RenameRun&)
{
    if (m_text->isChecked() && m_insert->text().isEmpty())
        return refuseInput(QStringLiteral("MsgText08"), m_insert->objectName());
    return acceptNumberField(InsertParams::refusedKey(ReadDialogValues(this)), m_position->minimum(), kMaxNamePosition);
}

void InsertDialog::runFunction(RenameRun& run)
{
    // Formats the user added in the format library are kept, as the date function keeps them.
    StoreUserFormats(state().dateTimeFormats, state().settings.document());
    applyInsert(run, params());
}

void InsertDialog::takePosition(const PositionPickerDialog::Result& picked)
{
    m_position->setValue(picked.position);
    m_align->setCurrentIndex(picked.fromRight ? 1 : 0);
}

void InsertDialog::pickPosition()
{
    PositionPickerDialog picker(state(), list(), PositionPickerDialog::Request::InsertPosition,
                                m_align->currentIndex() == 1, this);
    if (picker.exec() == QDialog::Accepted)
        takePosition(picker.result());
}

void InsertDialog::chooseFormat()
{
    QStringList types;
    for (int i = 0; i < m_formatType->count(); ++i)
        types.append(m_formatType->itemText(i));
    DateTimeFormatDialog picker(state(), window().prompter, types, m_formatType->currentIndex(), m_format->text(),
                                this);
    if (picker.exec() != QDialog::Accepted)
        return;
    m_formatType->setCurrentIndex(picker.type());
    m_format->setText(picker.format());
}
