#pragma once

#include "platform/Prompter.h"

class QWidget;

// Questions and pickers of the running program as the toolkit's standard dialogs, over the given window.
class MessageDialogPrompter : public Prompter
{
public:
    void setParentWindow(QWidget* parent) { m_parent = parent; }

    Button ask(const QString& text, const QString& title, Buttons buttons, Icon icon, Button defaultButton) override;
    std::optional<QString> askText(const QString& prompt, const QString& title, const QString& proposal) override;
    QStringList openFiles(const QString& title, const QString& folder, const QString& filters, bool multiple) override;
    QString browseFolder(const QString& title, const QString& startFolder) override;
    std::optional<QColor> pickColour(const QColor& initial) override;

private:
    QWidget* m_parent = nullptr;
};
