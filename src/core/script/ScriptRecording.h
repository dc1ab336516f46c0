#pragma once

#include <QString>
#include <optional>

struct AppState;

// Recording a script: while the recording runs, every applied rename dialog appends a step to
// "script.tmp" in the settings folder (ScriptStore::appendStep through SaveDialogState); stopping names
// the script and moves the file into the script folder under the moment of saving ("yyyyMMddhhmmss.vls").
// Whether a recording runs is the window's to keep.

// Starts a new recording file. False when the file cannot be written.
[[nodiscard]] bool StartRecording(const AppState& state);

// The steps recorded so far (0 or less when there is nothing to save: stopping then asks nothing).
int RecordedSteps(const AppState& state);

struct StopResult
{
    enum class Outcome {
        NothingRecorded, // no steps: nothing asked, nothing saved
        Abandoned,       // no name: the user chose to discard the script
        Saved,
        Failed // the file could not be named or moved; "script.tmp" stays in place
    };
    Outcome outcome = Outcome::NothingRecorded;
    QString path;       // the saved script
    QString systemText; // why it failed
};

// Saves the script when it has steps under the name the user gave (nothing: the user discarded it):
// writes the name and moves the file without ever replacing an existing script.
StopResult StopRecording(const AppState& state, const std::optional<QString>& name);
