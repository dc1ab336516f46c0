#pragma once

#include "MainWindowFixture.h"

#include "app/MainWindowRenameCommands.h"
#include "app/MainWindowScriptCommands.h"

#include <QAbstractButton>
#include <QDialog>
#include <QLineEdit>
#include <functional>

// A main window whose modal dialogs are answered by the test instead of a user: the answer gets the dialog
// (already loaded, not shown) and presses its buttons.
class RenameDialogsFixture : public MainWindowFixture
{
protected:
    using MainWindowFixture::MainWindowFixture;

    void answerDialogs(std::function<void(QDialog&)> answer)
    {
        window->renameCommands().setDialogRunner([answer](QDialog& dialog) {
            answer(dialog);
            return dialog.result();
        });
    }
    static void press(QDialog& dialog, const char* name)
    {
        auto* button = dialog.findChild<QAbstractButton*>(QLatin1String(name));
        ASSERT_NE(button, nullptr) << name;
        button->click();
    }
    static void type(QDialog& dialog, const char* name, const QString& text)
    {
        auto* field = dialog.findChild<QLineEdit*>(QLatin1String(name));
        ASSERT_NE(field, nullptr) << name;
        field->setText(text);
    }
    QStringList newNames() const
    {
        QStringList names;
        for (const FolderEntry& e : window->list().entries())
            names.append(e.newName());
        return names;
    }
    void addEntries(std::initializer_list<const char*> names)
    {
        for (const char* name : names)
            add(QStringLiteral("/p/"), QString::fromUtf8(name));
        window->refreshPreview();
    }
};
