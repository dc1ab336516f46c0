#pragma once

#include "core/AppState.h"
#include "core/platform/Clock.h"
#include "core/platform/PosixFileSystem.h"
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <memory>

// A clock that always says 2024-01-31 15:30:45.
class FixedClock : public Clock
{
public:
    QDateTime now() const override { return QDateTime(QDate(2024, 1, 31), QTime(15, 30, 45)); }
};

// An AppState for tests: a fresh settings folder in a temporary XDG_DATA_HOME, the program folder of
// the build (with its language files), the English language, the real file system and a fixed clock. The real user
// folders are never touched.
class TestApp
{
public:
    explicit TestApp(const QString& languageFile = QStringLiteral("English.lng"))
        : m_oldDataHome(qgetenv("XDG_DATA_HOME"))
    {
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_dataHome.path()));
        m_state.programFolder = QStringLiteral(DIRWRIGHT_PROGRAM_DIR "/");
        m_state.settingsFolder = m_dataHome.path() + QStringLiteral("/Pellacorn/Dirwright/");
        QDir().mkpath(m_state.settingsFolder);
        m_state.settingsFile = m_state.settingsFolder + QStringLiteral("settings.vlp");
        m_state.versionText = QStringLiteral(DIRWRIGHT_VERSION_TEXT);
        m_state.services.fileSystem = std::make_unique<PosixFileSystem>();
        m_state.settings = Settings::load(*m_state.services.fileSystem, m_state.settingsFile);
        m_state.services.clock = std::make_unique<FixedClock>();
        if (!languageFile.isEmpty()) {
            EXPECT_TRUE(m_state.language.load(m_state.programFolder + languageFile));
        }
        for (int n = 1; n <= 10; ++n)
            m_state.statusTexts.append(m_state.message(QStringLiteral("MsgStat%1").arg(n, 2, 10, QLatin1Char('0'))));
    }
    ~TestApp()
    {
        if (m_oldDataHome.isEmpty())
            qunsetenv("XDG_DATA_HOME");
        else
            qputenv("XDG_DATA_HOME", m_oldDataHome);
    }

    AppState& state() { return m_state; }
    const Clock& clock() const { return *m_state.services.clock; }
    QString dataHome() const { return m_dataHome.path(); }
    // Path of a file in the settings folder.
    QString settingsPath(const QString& name) const { return m_state.settingsFolder + name; }

private:
    QTemporaryDir m_dataHome;
    QByteArray m_oldDataHome;
    AppState m_state;
};
