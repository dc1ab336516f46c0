#pragma once

#include <QString>

class Prompter;

// What only the window keeps: the prompter through which it asks the user, and the state of a script
// being recorded or run.
struct WindowSession
{
    explicit WindowSession(Prompter& prompter)
        : prompter(prompter)
    {}

    Prompter& prompter;
    // Script recording: 0 idle, 1 or 2 while a script is being recorded.
    int recordingState = 0;
    // Script running: the script file, the run mode (0 none, 1 all steps, 2 single steps) and the step.
    QString scriptPath;
    int scriptRunMode = 0;
    int scriptStep = 0;

    bool scriptRunning() const { return scriptRunMode != 0; }
};
