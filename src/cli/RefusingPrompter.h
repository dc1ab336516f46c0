#pragma once

#include "core/platform/Prompter.h"

#include <QString>

// The prompter of a run without a user: it never waits for an answer. Every question is answered the way
// closing its box would be (Cancel, else No, else Ok; input boxes and pickers as cancelled) and remembered,
// so the caller can see that the run reached a question it had no business asking and stop it.
class RefusingPrompter : public Prompter
{
public:
    Button ask(const QString& text, const QString& title, Buttons buttons, Icon icon, Button defaultButton) override;
    std::optional<QString> askText(const QString& prompt, const QString& title, const QString& proposal) override;
    QStringList openFiles(const QString& title, const QString& folder, const QString& filters, bool multiple) override;
    QString browseFolder(const QString& title, const QString& startFolder) override;
    std::optional<QColor> pickColour(const QColor& initial) override;

    // Whether anything was asked since the last reset, and the text of the first question.
    bool wasAsked() const { return m_asked; }
    QString firstQuestion() const { return m_firstQuestion; }
    void reset();

private:
    void note(const QString& text, const QString& title);

    bool m_asked = false;
    QString m_firstQuestion;
};
