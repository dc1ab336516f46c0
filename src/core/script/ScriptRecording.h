#pragma once

#include <QString>

struct AppState;

// Recording a script: while the recording runs, every applied rename dialog appends a step to
// "script.tmp" in the settings folder (ScriptStore::appendStep through SaveDialogState); stopping asks for
// a name and moves the file into the script folder under the moment of saving ("yyyyMMddhhmmss.vls").

// Starts a new recording file and switches the recording state on. False when the file cannot be
// written (the state stays off).
[[nodiscard]] bool StartRecording(AppState& state);

struct StopResult
{
    enum class Outcome {
        NothingRecorded, // no steps: nothing asked, nothing saved
        Abandoned,       // the user gave no name and chose to discard the script
        Saved,
        Failed // the file could not be named or moved; "script.tmp" stays in place
    };
    Outcome outcome = Outcome::NothingRecorded;
    QString path;       // the saved script
    QString systemText; // why it failed
};

// Switches the recording state off and saves the script when it has steps: asks for its name (the
// current date and time proposed; an empty name asks whether to discard the script, and No asks for the
// name again), writes the name and moves the file without ever replacing an existing script.
StopResult StopRecording(AppState& state);
