#pragma once

#include "core/preview/CommandRules.h"

#include <optional>

// The assistant's rules: what each entry of its action list runs and when its OK button is usable, and
// where it opens. It only triggers the main window's commands, so these follow the main window's
// enabling.
namespace AssistantSteps {

enum Step { OpenFolders = 1, Rename = 2, TakeOrReject = 3 };

constexpr int kActionCount = 13;
// The entry that leads to the assistant's own last step instead of a command.
constexpr int kTakeOrRejectAction = 12;

// The command an entry of the action list runs; nothing for the entry that goes to the last step.
std::optional<CommandId> actionCommand(int action);

// Whether OK may run the entry, given the main window's enabled commands. A rename function is usable
// exactly when the main window's own command is, so OK never looks usable and does nothing.
bool actionUsable(int action, const CommandSet& enabled);

// The step the assistant opens at.
Step firstStep(bool listHasEntries);

// One coordinate of the stored position (twips): kept when it is at least 500 minus the window's extent
// and less than the screen's extent minus 500, so the window stays within reach; otherwise the designed
// coordinate stays.
int restoredCoordinate(int stored, int designed, int windowExtent, int screenExtent);

} // namespace AssistantSteps
