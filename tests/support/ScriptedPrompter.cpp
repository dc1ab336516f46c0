#include "support/ScriptedPrompter.h"

#include <gtest/gtest.h>

template <typename T> T ScriptedPrompter::take(const char* what, const T& fallback)
{
    if (m_answers.empty()) {
        ADD_FAILURE() << "unexpected " << what << ": "
                      << (m_asked.isEmpty() ? std::string() : m_asked.last().text.toStdString());
        return fallback;
    }
    Answer answer = m_answers.front();
    m_answers.pop_front();
    if (const T* value = std::get_if<T>(&answer))
        return *value;
    ADD_FAILURE() << "expected another kind of question than " << what;
    return fallback;
}

Prompter::Button ScriptedPrompter::ask(const QString& text, const QString& title, Buttons buttons, Icon icon,
                                       Button defaultButton)
{
    m_asked.append({text, title, buttons, icon, defaultButton});
    return take<Button>("message box", Cancel);
}

std::optional<QString> ScriptedPrompter::askText(const QString& prompt, const QString& title, const QString& proposal)
{
    m_asked.append({prompt, title, Ok | Cancel, Icon::None, Ok});
    m_proposals.append(proposal);
    return take<std::optional<QString>>("input box", std::nullopt);
}

QStringList ScriptedPrompter::openFiles(const QString& title, const QString&, const QString&, bool)
{
    m_asked.append({QString(), title, NoButton, Icon::None, NoButton});
    return take<QStringList>("open-file dialog", {});
}

QString ScriptedPrompter::browseFolder(const QString& title, const QString&)
{
    m_asked.append({QString(), title, NoButton, Icon::None, NoButton});
    return take<FolderAnswer>("folder browser", {}).path;
}

std::optional<QColor> ScriptedPrompter::pickColour(const QColor&)
{
    m_asked.append({QString(), QString(), NoButton, Icon::None, NoButton});
    return take<std::optional<QColor>>("colour picker", std::nullopt);
}
