#pragma once

#include "core/script/BatchScript.h"

#include <functional>

// Replaying a script in the window: each step opens the dialog of its type, filled from the step, and
// waits until it is closed. In run-all mode (1) the dialog applies itself; in single-step mode (2) the
// user confirms, changes or cancels each step. The dialogs are the caller's; the order, the skipping and
// the stopping are decided here.

// How the dialog of one step was closed.
enum class StepEnd {
    Applied,
    Cancelled, // the user closed it without applying: the step is skipped
    Refused,   // it could not apply the step's values and said why
    NoDialog   // no dialog of that type in this program: the step is skipped
};

struct ScriptRunHooks
{
    // Opens the dialog of a step and waits until it is closed.
    std::function<StepEnd(const BatchScript::Step& step)> openStep;
    // Asked before each step with the steps done so far and all steps; false cancels the rest of the run.
    std::function<bool(int done, int total)> proceed;
};

struct ScriptRunReport
{
    enum class End {
        Completed,
        Stopped,  // a step was refused in run-all mode: the later steps would build on a step that did not run
        Cancelled // the user cancelled between steps
    };
    End end = End::Completed;
    int applied = 0;
    int skipped = 0;
    // The step that stopped or was next when the run was cancelled; 0 when it completed.
    int lastStep = 0;
};

// Runs the steps of a script read for the window in run mode 1 (all) or 2 (single steps); any other mode
// runs nothing.
ScriptRunReport RunScript(const BatchScript& script, int runMode, const ScriptRunHooks& hooks);
