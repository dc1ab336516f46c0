#include "gui/rename/NumberFieldWidget.h"

#include <QKeyEvent>

NumberFieldWidget::NumberFieldWidget(QWidget* parent)
    : QLineEdit(parent)
    , m_characters(QStringLiteral("0123456789"))
{}

void NumberFieldWidget::setCharacters(const QString& characters, LetterCase letterCase)
{
    m_characters = characters;
    m_case = letterCase;
}

void NumberFieldWidget::setSignToggle(bool enabled, bool decimal)
{
    m_signToggle = enabled;
    m_decimal = decimal;
}

QString NumberFieldWidget::toggledSign() const
{
    const QString current = text();
    if (current.isEmpty() || selectedText() == current)
        return QStringLiteral("-");
    bool numeric = false;
    const qint64 value = current.toLongLong(&numeric);
    if (m_decimal && numeric)
        return QString::number(-value);
    return current.startsWith(QLatin1Char('-')) ? current.mid(1) : QLatin1Char('-') + current;
}

void NumberFieldWidget::keyPressEvent(QKeyEvent* event)
{
    const QString typed = event->text();
    const bool printable = typed.size() == 1 && typed.at(0).isPrint();
    if (!printable || (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    event->accept();
    QChar c = typed.at(0);
    if (c == QLatin1Char('-')) {
        if (m_signToggle) {
            setText(toggledSign());
            end(false);
        }
        return;
    }
    if (m_case == LetterCase::Upper)
        c = c.toUpper();
    else if (m_case == LetterCase::Lower)
        c = c.toLower();
    if (m_characters.contains(c))
        insert(QString(c));
}

void NumberFieldWidget::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    Q_EMIT left();
}
