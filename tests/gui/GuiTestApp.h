#pragma once

#include "gui/ScriptedPrompter.h"
#include "support/TestApp.h"

// A TestApp with the window's scripted prompter: every queued answer must have been asked for.
class GuiTestApp : public TestApp
{
public:
    using TestApp::TestApp;
    ~GuiTestApp() { EXPECT_TRUE(m_prompter.allAnswered()) << "a queued answer was never asked for"; }

    ScriptedPrompter& prompter() { return m_prompter; }

private:
    ScriptedPrompter m_prompter;
};
