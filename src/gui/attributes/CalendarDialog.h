#pragma once

#include <QDateTime>
#include <QDialog>

struct AppState;
class Prompter;
class QComboBox;
class QLabel;
class QScrollBar;

// Picks a date and time to the second: month and year selectors (1900 to 2200), a month grid under the
// weekday names from Monday, and hour, minute and second scroll bars. The arrow keys move the chosen day
// (a week up and down), Page Up and Page Down the month.
class CalendarDialog : public QDialog
{
    Q_OBJECT

public:
    static QString formName() { return QStringLiteral("frmCalendar"); }
    static constexpr int kFirstYear = 1900;
    static constexpr int kLastYear = 2200;

    // value: the date shown first (brought into the years offered); title: the time it is picked for.
    CalendarDialog(const AppState& state, Prompter& prompter, const QDateTime& value, const QString& title,
                   QWidget* parent = nullptr);

    // The chosen day plus the time of the three fields, local time.
    QDateTime value() const { return m_value; }
    // Chooses a day of the month shown, as a click on it does.
    void chooseDay(int day);
    void showMonth(int year, int month);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void redraw();
    void moveTo(const QDate& date);

    const AppState& m_state;
    Prompter& m_prompter;
    QComboBox* m_month = nullptr;
    QComboBox* m_year = nullptr;
    QLabel* m_cells[42] = {};
    QScrollBar* m_time[3] = {};
    QLabel* m_chosen = nullptr;
    int m_day = 1;
    QDateTime m_value;
    bool m_redrawing = false;
};
