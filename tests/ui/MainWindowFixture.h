#pragma once

#include "app/AppState.h"
#include "app/MainWindow.h"
#include "settings/SettingsStore.h"
#include "support/PreviewFixture.h"
#include "support/TestApp.h"

#include <QAction>
#include <QMenu>
#include <gtest/gtest.h>
#include <memory>

// A main window over a test state: fresh settings folder, scripted answers.
class MainWindowFixture : public ::testing::Test
{
protected:
    explicit MainWindowFixture(const QString& language = QStringLiteral("English.lng"))
        : app(language)
    {}

    void open()
    {
        window = std::make_unique<MainWindow>(app.state());
        window->loadHandler();
    }
    void add(const QString& parent, const QString& name, const QString& newName = QString(), int levels = 0)
    {
        window->list().append(MakeEntry(parent, name, newName, 0, levels));
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
    QAction* item(const char* name) { return window->ui().action(QLatin1String(name)); }
    QAction* button(const char* key) { return window->ui().mainButton(QLatin1String(key)); }
    QAction* dropDownItem(const char* buttonKey, const char* itemKey)
    {
        for (QAction* a : button(buttonKey)->menu()->actions()) {
            if (a->objectName() == QLatin1String(itemKey))
                return a;
        }
        return nullptr;
    }
    QString setting(const char* section, const char* key)
    {
        return ReadSetting(QLatin1String(section), QLatin1String(key), app.state().settingsFile);
    }
    void store(const char* section, const char* key, const QString& value)
    {
        WriteSetting(QLatin1String(section), QLatin1String(key), value, app.state().settingsFile);
    }
    QString message(const char* key) { return app.state().message(QLatin1String(key)); }

    TestApp app;
    std::unique_ptr<MainWindow> window;
};
