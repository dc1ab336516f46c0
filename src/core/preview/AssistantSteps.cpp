#include "core/preview/AssistantSteps.h"

#include <array>

namespace AssistantSteps {

namespace {

// In the order of the rename menu, then undo.
constexpr std::array<CommandId, kTakeOrRejectAction> kCommands{
    CommandId::Rename01, CommandId::Rename02, CommandId::Rename09,        CommandId::Rename03,
    CommandId::Rename04, CommandId::Rename05, CommandId::Rename06,        CommandId::Rename07,
    CommandId::Rename08, CommandId::Rename10, CommandId::RenameStructure, CommandId::Undo,
};

} // namespace

std::optional<CommandId> actionCommand(int action)
{
    if (action < 0 || action >= kTakeOrRejectAction)
        return std::nullopt;
    return kCommands[static_cast<size_t>(action)];
}

bool actionUsable(int action, const CommandSet& enabled)
{
    if (action == kTakeOrRejectAction)
        return contains(enabled, CommandId::TakeMenu);
    const std::optional<CommandId> command = actionCommand(action);
    return command && contains(enabled, *command);
}

Step firstStep(bool listHasEntries)
{
    return listHasEntries ? Rename : OpenFolders;
}

int restoredCoordinate(int stored, int designed, int windowExtent, int screenExtent)
{
    constexpr int kReach = 500;
    return stored >= kReach - windowExtent && stored < screenExtent - kReach ? stored : designed;
}

} // namespace AssistantSteps
