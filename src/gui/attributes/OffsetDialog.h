#pragma once

#include <QDialog>

struct AppState;
class Prompter;
class QComboBox;
class QLabel;
class QScrollBar;

// The offset of one requested time: a sign and years, months, days, hours, minutes and seconds, each on a
// scroll bar. Every change rebuilds the offset text ("+00:01:00:00:00:00") shown under them.
class OffsetDialog : public QDialog
{
    Q_OBJECT

public:
    static QString formName() { return QStringLiteral("frmOffset"); }

    // offset: the current offset text (a damaged one starts at zero); title: whose offset it is.
    OffsetDialog(const AppState& state, Prompter& prompter, const QString& offset, const QString& title,
                 QWidget* parent = nullptr);

    QString offsetText() const;

private:
    void rebuild();

    const AppState& m_state;
    Prompter& m_prompter;
    QComboBox* m_sign = nullptr;
    QScrollBar* m_bars[6] = {};
    QLabel* m_offset = nullptr;
};
