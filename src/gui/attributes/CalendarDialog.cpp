#include "gui/attributes/CalendarDialog.h"

#include "core/AppState.h"
#include "gui/attributes/TwoDigitField.h"
#include "gui/platform/DialogButtonRow.h"
#include "gui/platform/ShowHelpGuide.h"
#include "gui/settings/DialogChrome.h"
#include "gui/settings/NamedWidget.h"
#include "gui/settings/WidgetTranslator.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString kCellStyle = QStringLiteral("QLabel { background: white; color: black; }");
const QString kChosenStyle = QStringLiteral("QLabel { background: #0a3ca0; color: white; font-weight: bold; }");

QDate clampedDate(int year, int month, int day)
{
    const QDate first(year, month, 1);
    return QDate(year, month, qBound(1, day, first.daysInMonth()));
}

} // namespace

CalendarDialog::CalendarDialog(const AppState& state, Prompter& prompter, const QDateTime& value, const QString& title,
                               QWidget* parent)
    : QDialog(parent)
    , m_state(state)
    , m_prompter(prompter)
{
    setObjectName(formName());
    setModal(true);
    const QLocale locale = QLocale::system();

    // Small buttons beside the month: a push button would take the width of a word.
    auto* previous = NamedWidget<QToolButton>(this, QStringLiteral("cmdPreviousMonth"));
    previous->setText(QStringLiteral("<"));
    auto* next = NamedWidget<QToolButton>(this, QStringLiteral("cmdNextMonth"));
    next->setText(QStringLiteral(">"));
    for (QToolButton* b : {previous, next}) {
        b->setAutoRepeat(true);
        b->setMinimumWidth(b->fontMetrics().horizontalAdvance(QStringLiteral("<<<")) + 8);
    }
    m_month = NamedWidget<QComboBox>(this, QStringLiteral("cmbMonth"));
    for (int m = 1; m <= 12; ++m)
        m_month->addItem(locale.standaloneMonthName(m, QLocale::LongFormat));
    m_year = NamedWidget<QComboBox>(this, QStringLiteral("cmbYear"));
    for (int y = kFirstYear; y <= kLastYear; ++y)
        m_year->addItem(QString::number(y));
    auto* monthRow = new QHBoxLayout;
    monthRow->addWidget(previous);
    monthRow->addWidget(m_month, 1);
    monthRow->addWidget(m_year);
    monthRow->addWidget(next);

    auto* grid = new QGridLayout;
    grid->setSpacing(1);
    for (int d = 0; d < 7; ++d) {
        auto* name = NamedWidget<QLabel>(this, QStringLiteral("lblWeekday(%1)").arg(d + 1));
        name->setText(locale.dayName(d + 1, QLocale::ShortFormat));
        name->setAlignment(Qt::AlignCenter);
        grid->addWidget(name, 0, d);
    }
    const int cellWidth = fontMetrics().horizontalAdvance(QStringLiteral("0000"));
    for (int i = 0; i < 42; ++i) {
        auto* cell = NamedWidget<QLabel>(this, QStringLiteral("lblCal(%1)").arg(i));
        cell->setAlignment(Qt::AlignCenter);
        cell->setMinimumSize(cellWidth, fontMetrics().height() + 8);
        cell->setStyleSheet(kCellStyle);
        cell->installEventFilter(this);
        grid->addWidget(cell, 1 + i / 7, i % 7);
        m_cells[i] = cell;
    }

    auto* timeGrid = new QGridLayout;
    const QString names[3] = {QStringLiteral("Hour"), QStringLiteral("Minute"), QStringLiteral("Second")};
    const int maximum[3] = {23, 59, 59};
    for (int i = 0; i < 3; ++i) {
        auto* label = NamedWidget<QLabel>(this, QStringLiteral("lblTime") + names[i]);
        const TwoDigitField pair = TwoDigitField::create(this, QStringLiteral("scrollTime") + names[i],
                                                         QStringLiteral("txtTime") + names[i], 0, maximum[i]);
        label->setBuddy(pair.field);
        m_time[i] = pair.bar;
        timeGrid->addWidget(label, i, 0);
        timeGrid->addWidget(pair.field, i, 1);
        timeGrid->addWidget(pair.bar, i, 2);
        connect(pair.bar, &QScrollBar::valueChanged, this, &CalendarDialog::redraw);
    }
    timeGrid->setColumnStretch(2, 1);

    auto* chosenCaption = NamedWidget<QLabel>(this, QStringLiteral("lblCalDateCaption"));
    m_chosen = NamedWidget<QLabel>(this, QStringLiteral("lblCalDate"));
    QFont bold = m_chosen->font();
    bold.setBold(true);
    m_chosen->setFont(bold);
    auto* chosenRow = new QHBoxLayout;
    chosenRow->addWidget(chosenCaption);
    chosenRow->addWidget(m_chosen, 1);

    const DialogButtonRow buttons = DialogButtonRow::create(this);
    buttons.help->setAutoDefault(false);
    buttons.cancel->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(monthRow);
    layout->addLayout(grid);
    layout->addLayout(timeGrid);
    layout->addLayout(chosenRow);
    layout->addLayout(buttons.layout);

    ConnectHelp(this, m_state, m_prompter);
    connect(previous, &QToolButton::clicked, this, [this] { moveTo(m_value.date().addMonths(-1)); });
    connect(next, &QToolButton::clicked, this, [this] { moveTo(m_value.date().addMonths(1)); });
    connect(m_month, &QComboBox::currentIndexChanged, this, &CalendarDialog::redraw);
    connect(m_year, &QComboBox::currentIndexChanged, this, &CalendarDialog::redraw);

    TranslateForm(state.language, this);
    TwoDigitField::nameBars(this);
    previous->setToolTip(state.language.GetLngText(formName(), QStringLiteral("PreviousMonth")));
    previous->setAccessibleName(previous->toolTip());
    next->setToolTip(state.language.GetLngText(formName(), QStringLiteral("NextMonth")));
    next->setAccessibleName(next->toolTip());
    if (!title.isEmpty())
        setWindowTitle(title);
    SetDialogButtons(this, state.language);
    SetDialogColours(this, state);

    const QDateTime start = value.isValid() ? value : QDateTime::currentDateTime();
    const QDate date = start.date();
    const int year = qBound(kFirstYear, date.year(), kLastYear);
    m_redrawing = true;
    for (int i = 0; i < 3; ++i)
        m_time[i]->setValue(i == 0 ? start.time().hour() : i == 1 ? start.time().minute() : start.time().second());
    m_redrawing = false;
    m_day = date.day();
    showMonth(year, date.month());
    FitDialogSize(this);
}

void CalendarDialog::showMonth(int year, int month)
{
    m_redrawing = true;
    m_year->setCurrentIndex(qBound(kFirstYear, year, kLastYear) - kFirstYear);
    m_month->setCurrentIndex(qBound(1, month, 12) - 1);
    m_redrawing = false;
    redraw();
}

void CalendarDialog::chooseDay(int day)
{
    m_day = day;
    redraw();
}

void CalendarDialog::moveTo(const QDate& date)
{
    if (date.year() < kFirstYear || date.year() > kLastYear)
        return;
    m_day = date.day();
    showMonth(date.year(), date.month());
}

void CalendarDialog::redraw()
{
    if (m_redrawing)
        return;
    const QDate date = clampedDate(kFirstYear + m_year->currentIndex(), m_month->currentIndex() + 1, m_day);
    m_day = date.day();
    const int lead = QDate(date.year(), date.month(), 1).dayOfWeek() - 1; // Monday first
    for (int i = 0; i < 42; ++i) {
        const int day = i - lead + 1;
        const bool inMonth = day >= 1 && day <= date.daysInMonth();
        m_cells[i]->setText(inMonth ? QString::number(day) : QString());
        m_cells[i]->setStyleSheet(inMonth && day == m_day ? kChosenStyle : kCellStyle);
    }
    m_value = QDateTime(date, QTime(m_time[0]->value(), m_time[1]->value(), m_time[2]->value()));
    // The long date names the weekday; the time zone is the local one and goes without saying.
    m_chosen->setText(QLocale::system().toString(date, QLocale::LongFormat) + QLatin1Char(' ') +
                      m_value.time().toString(QStringLiteral("HH:mm:ss")));
}

bool CalendarDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        if (auto* cell = qobject_cast<QLabel*>(watched); cell && !cell->text().isEmpty()) {
            chooseDay(cell->text().toInt());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CalendarDialog::keyPressEvent(QKeyEvent* event)
{
    // Only when no control wants the keys itself: the grid has no focus of its own.
    const QDate date = m_value.date();
    switch (event->key()) {
    case Qt::Key_Left:
        moveTo(date.addDays(-1));
        return;
    case Qt::Key_Right:
        moveTo(date.addDays(1));
        return;
    case Qt::Key_Up:
        moveTo(date.addDays(-7));
        return;
    case Qt::Key_Down:
        moveTo(date.addDays(7));
        return;
    case Qt::Key_PageUp:
        moveTo(date.addMonths(-1));
        return;
    case Qt::Key_PageDown:
        moveTo(date.addMonths(1));
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}
