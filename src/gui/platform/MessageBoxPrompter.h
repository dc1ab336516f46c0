#pragma once

#include "gui/platform/Prompter.h"

#include <QPointer>
#include <QWidget>

// The real Prompter: message boxes, the input box and the common file, folder and colour dialogs of Qt,
// each modal over the window given (normally the main window).
class MessageBoxPrompter : public Prompter
{
public:
    explicit MessageBoxPrompter(QWidget* parent = nullptr)
        : m_parent(parent)
    {}
    void setParentWidget(QWidget* parent) { m_parent = parent; }

    Button ask(const QString& text, const QString& title, Buttons buttons, Icon icon,
               Button defaultButton = NoButton) override;
    std::optional<QString> askText(const QString& prompt, const QString& title,
                                   const QString& proposal = QString()) override;
    QStringList openFiles(const QString& title, const QString& folder, const QString& filters, bool multiple) override;
    QString browseFolder(const QString& title, const QString& startFolder) override;
    std::optional<QColor> pickColour(const QColor& initial) override;

    // The program's filter list, display texts and patterns alternating and "|"-separated, with several
    // patterns of one entry separated by ";" ("Pictures|*.jpg;*.png|All|*.*"), as Qt's name filters
    // ("Pictures (*.jpg *.png);;All (*)"). "*.*" means every file here, as it does where the lists come
    // from, although here a name need not have a dot.
    static QString qtFilter(const QString& filters);

private:
    QPointer<QWidget> m_parent;
};
