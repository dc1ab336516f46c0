#include "gui/rename/NameFieldWidget.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QTimer>

namespace {

bool holdsRejected(const QString& text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return NameFieldWidget::isRejected(c); });
}

} // namespace

NameFieldWidget::NameFieldWidget(QWidget* parent)
    : QLineEdit(parent)
{}

bool NameFieldWidget::isRejected(QChar c)
{
    return QStringView(u"\\/:?*<>|\"").contains(c);
}

void NameFieldWidget::keyPressEvent(QKeyEvent* event)
{
    if (m_filtering && holdsRejected(event->text())) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void NameFieldWidget::inputMethodEvent(QInputMethodEvent* event)
{
    // Characters composed through an input method are typed as well.
    if (m_filtering && holdsRejected(event->commitString())) {
        QString kept = event->commitString();
        kept.removeIf([](QChar c) { return isRejected(c); });
        QInputMethodEvent filtered(event->preeditString(), event->attributes());
        filtered.setCommitString(kept, event->replacementStart(), event->replacementLength());
        QLineEdit::inputMethodEvent(&filtered);
        return;
    }
    QLineEdit::inputMethodEvent(event);
}

void NameFieldWidget::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    // After the mouse press that brought the focus has placed the cursor.
    QTimer::singleShot(0, this, &QLineEdit::selectAll);
}
