#pragma once

#include "app/AppState.h"
#include "support/FixedClock.h"
#include "support/ScriptedPrompter.h"

#include <QTemporaryDir>
#include <memory>

// An AppState for tests: a fresh settings folder in a temporary XDG_DATA_HOME, the program folder of
// the build (with its language files), the English language, the real file system, a scripted prompter
// and a fixed clock. The real user folders are never touched.
class TestApp
{
public:
    explicit TestApp(const QString& languageFile = QStringLiteral("English.lng"));
    ~TestApp();

    AppState& state() { return m_state; }
    ScriptedPrompter& prompter() { return *m_prompter; }
    FixedClock& clock() { return *m_clock; }
    QString dataHome() const { return m_dataHome.path(); }

    // Path of a file in the settings folder.
    QString settingsPath(const QString& name) const { return m_state.settingsFolder + name; }

private:
    QTemporaryDir m_dataHome;
    QByteArray m_oldDataHome;
    AppState m_state;
    ScriptedPrompter* m_prompter = nullptr;
    FixedClock* m_clock = nullptr;
};
