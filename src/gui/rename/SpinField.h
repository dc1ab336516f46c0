#pragma once

#include <QObject>
#include <QString>

class QHBoxLayout;
class QLineEdit;
class QScrollBar;
class QWidget;

// A number field with the small vertical scroll bar beside it that steps it, named as the form names them
// ("txtPos" and "VScroll1"). The field shows base − the bar's value, so the bar's upper arrow counts up,
// and the bar's range gives the field's range. The field takes any typing: what is not a number in the
// range is refused when the dialog is applied, not quietly changed. A number typed into the range moves
// the bar with it.
class SpinField : public QObject
{
    Q_OBJECT

public:
    SpinField(QWidget* dialog, const QString& fieldName, const QString& barName, int base, int minimum, int maximum);

    QLineEdit* field() const { return m_field; }
    QScrollBar* bar() const { return m_bar; }
    // The field and its bar side by side.
    QHBoxLayout* makeLayout() const;

    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }
    // Sets the number, pulled into the range.
    void setValue(int value);
    void setEnabled(bool enabled);

private:
    void barMoved(int value);
    void fieldEdited(const QString& text);

    QLineEdit* m_field;
    QScrollBar* m_bar;
    int m_base;
    int m_minimum;
    int m_maximum;
};
