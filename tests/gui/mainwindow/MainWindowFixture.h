#pragma once

#include "core/AppState.h"
#include "core/settings/SettingsStore.h"
#include "gui/GuiTestApp.h"
#include "gui/mainwindow/MainWindow.h"
#include "gui/mainwindow/RenameController.h"
#include "support/PreviewFixture.h"

#include <QtWidgets>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

// A main window over a test state: fresh settings folder, scripted answers. Its modal dialogs are
// answered by the test: the answer gets the dialog (loaded, not shown) and operates it.
class MainWindowFixture : public ::testing::Test
{
protected:
    void open()
    {
        window = std::make_unique<MainWindow>(app.state(), app.prompter());
        window->loadHandler();
    }
    // Entries below a parent and a refresh; "a>A" is the folder a with the proposal A.
    void addEntries(std::initializer_list<const char*> names, const QString& parent = QStringLiteral("/p/"))
    {
        for (const char* name : names) {
            const QStringList parts = QString::fromUtf8(name).split(QLatin1Char('>'));
            window->list().append(MakeEntry(parent, parts.first(), parts.last()));
        }
        window->refreshPreview();
    }
    void select(int row)
    {
        window->list().selectionModel()->select(window->list().index(row, 0),
                                                QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    void setCurrent(int row)
    {
        window->list().selectionModel()->setCurrentIndex(window->list().index(row, 0), QItemSelectionModel::NoUpdate);
    }
    // A command's menu item (or context-menu entry), and its bar button (or drop-down entry).
    QAction* item(CommandId id) { return window->ui().menuItem(id); }
    QAction* button(CommandId id) { return window->ui().button(id); }
    QString setting(const char* section, const char* key)
    {
        return ReadSetting(QLatin1String(section), QLatin1String(key), app.state().settingsFile);
    }
    // A stored setting as the program read it at start.
    void store(const char* section, const char* key, const QString& value)
    {
        app.state().settings.document().setValue(QLatin1String(section), QLatin1String(key), value);
    }
    QString message(const char* key) { return app.state().message(QLatin1String(key)); }
    QStringList newNames() const
    {
        QStringList names;
        for (const FolderEntry& e : window->list().entries())
            names.append(e.newName);
        return names;
    }

    void answerDialogs(std::function<void(QDialog&)> answer)
    {
        window->renameController().setDialogRunner([answer](QDialog& dialog) {
            answer(dialog);
            return dialog.result();
        });
    }
    // Works a dialog as a user would: "txtPr=x " types into a text field, a bare name clicks that control.
    static void operate(QDialog& dialog, const QStringList& steps)
    {
        for (const QString& step : steps) {
            const QString name = step.section(QLatin1Char('='), 0, 0);
            if (auto* field = dialog.findChild<QLineEdit*>(name); field && step.contains(QLatin1Char('=')))
                field->setText(step.section(QLatin1Char('='), 1));
            else if (auto* button = dialog.findChild<QAbstractButton*>(name))
                button->click();
            else
                ADD_FAILURE() << "no control " << name.toStdString();
        }
    }

    GuiTestApp app;
    std::unique_ptr<MainWindow> window;
};
