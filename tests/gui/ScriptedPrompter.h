#pragma once

#include "gui/platform/Prompter.h"

#include <QColor>
#include <QList>
#include <QString>
#include <deque>
#include <gtest/gtest.h>
#include <variant>

// A Prompter for tests: the test queues the answers before the code asks. A question that nobody
// expected fails the running test; so does an answer of the wrong kind. No test answers the folder
// browser: asking it fails.
class ScriptedPrompter : public Prompter
{
public:
    struct Asked
    {
        QString text;
        QString title;
        Buttons buttons;
        Icon icon = Icon::None;
        Button defaultButton = NoButton;
    };

    void expectButton(Button answer) { m_answers.emplace_back(answer); }
    void expectText(const std::optional<QString>& answer) { m_answers.emplace_back(answer); }
    void expectFiles(const QStringList& answer) { m_answers.emplace_back(answer); }
    void expectColour(const std::optional<QColor>& answer) { m_answers.emplace_back(answer); }

    // Everything asked so far, in order (message boxes and input prompts; the open-file dialog by title,
    // with its start folder as text).
    const QList<Asked>& asked() const { return m_asked; }
    // The proposed answers of the input boxes asked so far, in order.
    const QStringList& proposals() const { return m_proposals; }
    bool allAnswered() const { return m_answers.empty(); }

    Button ask(const QString& text, const QString& title, Buttons buttons, Icon icon, Button defaultButton) override
    {
        m_asked.append({text, title, buttons, icon, defaultButton});
        return take<Button>("message box", Cancel);
    }
    std::optional<QString> askText(const QString& prompt, const QString& title, const QString& proposal) override
    {
        m_asked.append({prompt, title, Ok | Cancel, Icon::None, Ok});
        m_proposals.append(proposal);
        return take<std::optional<QString>>("input box", std::nullopt);
    }
    QStringList openFiles(const QString& title, const QString& folder, const QString&, bool) override
    {
        m_asked.append({folder, title, NoButton});
        return take<QStringList>("open-file dialog", {});
    }
    QString browseFolder(const QString& title, const QString&) override
    {
        ADD_FAILURE() << "unexpected folder browser: " << title.toStdString();
        return {};
    }
    std::optional<QColor> pickColour(const QColor& initial) override
    {
        m_asked.append({initial.name(), QStringLiteral("colour picker"), NoButton});
        return take<std::optional<QColor>>("colour picker", std::nullopt);
    }

private:
    using Answer = std::variant<Button, std::optional<QString>, QStringList, std::optional<QColor>>;

    template <typename T> T take(const char* what, const T& fallback)
    {
        if (m_answers.empty()) {
            ADD_FAILURE() << "unexpected " << what << ": " << m_asked.last().text.toStdString();
            return fallback;
        }
        const Answer answer = m_answers.front();
        m_answers.pop_front();
        if (const T* value = std::get_if<T>(&answer))
            return *value;
        ADD_FAILURE() << "expected another kind of question than " << what;
        return fallback;
    }

    std::deque<Answer> m_answers;
    QList<Asked> m_asked;
    QStringList m_proposals;
};
