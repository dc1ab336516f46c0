#include "core/preview/AssistantSteps.h"

#include <gtest/gtest.h>

namespace {

using namespace AssistantSteps;

TEST(AssistantStepsTest, EachActionRunsItsCommandWhenTheMainWindowAllowsIt)
{
    struct Row
    {
        const char* name;
        int action;
        std::optional<CommandId> command;
    };
    const Row rows[] = {
        {"numbering first", 0, CommandId::Rename01},
        {"date and time third, as in the rename menu", 2, CommandId::Rename09},
        {"trim", 9, CommandId::Rename10},
        {"name structures", 10, CommandId::RenameStructure},
        {"undo", 11, CommandId::Undo},
        {"take or reject is the assistant's own step", kTakeOrRejectAction, std::nullopt},
        {"below the list", -1, std::nullopt},
        {"past the list", kActionCount, std::nullopt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(actionCommand(row.action), row.command);
    }
}

TEST(AssistantStepsTest, OkFollowsTheEnablingOfTheMainWindow)
{
    CommandSet enabled;
    enabled.set(static_cast<size_t>(CommandId::Rename05));
    EXPECT_TRUE(actionUsable(5, enabled));
    EXPECT_FALSE(actionUsable(0, enabled)) << "a command the window does not offer";
    EXPECT_FALSE(actionUsable(11, enabled)) << "undo without a proposal to undo";
    EXPECT_FALSE(actionUsable(kTakeOrRejectAction, enabled)) << "nothing to take";
    enabled.set(static_cast<size_t>(CommandId::TakeMenu));
    enabled.set(static_cast<size_t>(CommandId::Undo));
    EXPECT_TRUE(actionUsable(11, enabled));
    EXPECT_TRUE(actionUsable(kTakeOrRejectAction, enabled));
    EXPECT_FALSE(actionUsable(-1, enabled));
}

TEST(AssistantStepsTest, FirstStepDependsOnTheList)
{
    EXPECT_EQ(firstStep(false), OpenFolders);
    EXPECT_EQ(firstStep(true), Rename);
}

TEST(AssistantStepsTest, StoredPositionIsKeptOnlyWithinReachOfTheScreen)
{
    struct Row
    {
        const char* name;
        int stored;
        int window;
        int screen;
        int expected;
    };
    // Designed coordinate 7000 throughout.
    const Row rows[] = {
        {"inside", 3000, 4000, 20000, 3000},
        {"a missing key (-1) passes with a window wider than 501", -1, 4000, 20000, -1},
        {"a missing key with a narrow window", -1, 400, 20000, 7000},
        {"partly off the left edge but reachable", -3400, 4000, 20000, -3400},
        {"too far left", -3600, 4000, 20000, 7000},
        {"just before the right limit", 19499, 4000, 20000, 19499},
        {"at the right limit", 19500, 4000, 20000, 7000},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(restoredCoordinate(row.stored, 7000, row.window, row.screen), row.expected);
    }
}

} // namespace
