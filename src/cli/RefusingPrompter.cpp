#include "cli/RefusingPrompter.h"

#include <QColor>

void RefusingPrompter::note(const QString& text, const QString& title)
{
    if (m_asked)
        return;
    // A colour picker has neither; the caller still learns that something was asked.
    m_asked = true;
    // The title alone says little ("Attention"), the text alone may lack the context: keep both.
    m_firstQuestion = title.isEmpty() ? text : text.isEmpty() ? title : title + QStringLiteral(": ") + text;
}

void RefusingPrompter::reset()
{
    m_asked = false;
    m_firstQuestion.clear();
}

Prompter::Button RefusingPrompter::ask(const QString& text, const QString& title, Buttons buttons, Icon, Button)
{
    note(text, title);
    for (const Button closing : {Cancel, No, Ok}) {
        if (buttons.testFlag(closing))
            return closing;
    }
    return NoButton;
}

std::optional<QString> RefusingPrompter::askText(const QString& prompt, const QString& title, const QString&)
{
    note(prompt, title);
    return std::nullopt;
}

QStringList RefusingPrompter::openFiles(const QString& title, const QString&, const QString&, bool)
{
    note(QString(), title);
    return {};
}

QString RefusingPrompter::browseFolder(const QString& title, const QString&)
{
    note(QString(), title);
    return {};
}

std::optional<QColor> RefusingPrompter::pickColour(const QColor&)
{
    note(QString(), QString());
    return std::nullopt;
}
