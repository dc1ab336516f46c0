#include "support/TestApp.h"

#include "platform/PosixFileSystem.h"

#include <QDir>
#include <gtest/gtest.h>

TestApp::TestApp(const QString& languageFile)
    : m_oldDataHome(qgetenv("XDG_DATA_HOME"))
{
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_dataHome.path()));
    m_state.programFolder = QStringLiteral(DIRWRIGHT_PROGRAM_DIR "/");
    m_state.settingsFolder = m_dataHome.path() + QStringLiteral("/Pellacorn/Dirwright/");
    QDir().mkpath(m_state.settingsFolder);
    m_state.settingsFile = m_state.settingsFolder + QStringLiteral("settings.vlp");
    m_state.versionText = QStringLiteral(DIRWRIGHT_VERSION_TEXT);
    m_state.fileSystem = std::make_unique<PosixFileSystem>();
    auto prompter = std::make_unique<ScriptedPrompter>();
    m_prompter = prompter.get();
    m_state.prompter = std::move(prompter);
    auto clock = std::make_unique<FixedClock>();
    m_clock = clock.get();
    m_state.clock = std::move(clock);
    if (!languageFile.isEmpty()) {
        EXPECT_TRUE(m_state.language.load(m_state.programFolder + languageFile));
    }
    for (int n = 1; n <= 10; ++n)
        m_state.statusTexts.append(m_state.message(QStringLiteral("MsgStat%1").arg(n, 2, 10, QLatin1Char('0'))));
}

TestApp::~TestApp()
{
    EXPECT_TRUE(m_prompter->allAnswered()) << "a queued answer was never asked for";
    if (m_oldDataHome.isEmpty())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", m_oldDataHome);
}
