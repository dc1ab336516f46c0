#pragma once

#include <QString>

class QLabel;
class QLineEdit;
class QScrollBar;
class QWidget;

// A scroll bar with a text field that shows its value as two digits ("07"). Typing a number in the field
// moves the bar; a number out of range is brought back into it. The scroll bar and the field carry their
// given names, so tests, scripts and translation find them.
struct TwoDigitField
{
    QScrollBar* bar = nullptr;
    QLineEdit* field = nullptr;

    static TwoDigitField create(QWidget* parent, const QString& barName, const QString& fieldName, int minimum,
                                int maximum);
    static QString digits(int value) { return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0')); }
    // Screen readers name the field by its label; the bar gets the label's caption as its name. Called
    // once the window's texts are in place.
    static void nameBars(const QWidget* window);
};
