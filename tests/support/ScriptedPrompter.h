#pragma once

#include "platform/Prompter.h"

#include <QList>
#include <QString>
#include <deque>
#include <variant>

// A Prompter for tests: the test queues the answers before the code asks. A question that nobody
// expected fails the running test; so does an answer of the wrong kind.
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
    void expectFolder(const QString& answer) { m_answers.emplace_back(FolderAnswer{answer}); }
    void expectColour(const std::optional<QColor>& answer) { m_answers.emplace_back(answer); }

    // Everything asked so far, in order (message boxes and input prompts).
    const QList<Asked>& asked() const { return m_asked; }
    // The proposed answers of the input boxes asked so far, in order.
    const QStringList& proposals() const { return m_proposals; }
    bool allAnswered() const { return m_answers.empty(); }

    Button ask(const QString& text, const QString& title, Buttons buttons, Icon icon, Button defaultButton) override;
    std::optional<QString> askText(const QString& prompt, const QString& title, const QString& proposal) override;
    QStringList openFiles(const QString& title, const QString& folder, const QString& filters, bool multiple) override;
    QString browseFolder(const QString& title, const QString& startFolder) override;
    std::optional<QColor> pickColour(const QColor& initial) override;

private:
    struct FolderAnswer
    {
        QString path;
    };
    using Answer = std::variant<Button, std::optional<QString>, QStringList, FolderAnswer, std::optional<QColor>>;

    template <typename T> T take(const char* what, const T& fallback);

    std::deque<Answer> m_answers;
    QList<Asked> m_asked;
    QStringList m_proposals;
};
