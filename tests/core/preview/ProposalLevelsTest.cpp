#include "core/commit/CommitTestSupport.h"
#include "core/preview/PreviewList.h"

#include <gtest/gtest.h>

using namespace CommitTestSupport;

namespace {

// Each entry as "new name | history levels" ("a1 | a1 a"); an empty level in the middle shows as two blanks.
QStringList described(const PreviewList& list)
{
    QStringList result;
    for (const FolderEntry& e : list.entries()) {
        QString text = e.newName + QStringLiteral(" |");
        for (int level = 0; level < FolderEntry::kHistoryLevels; ++level)
            text += QLatin1Char(' ') + e.history.at(level);
        result.append(text.trimmed());
    }
    return result;
}

class ProposalLevelsTest : public ::testing::Test
{
protected:
    ProposalLevelsTest()
    {
        useTestMessages(app);
        for (const char* name : {"a", "b"})
            list.append(MakeEntry(QStringLiteral("/p/"), QLatin1String(name)));
    }
    // A rename function appending text to the new names of the rows, then the refresh's push of one level.
    void apply(const QString& text, std::initializer_list<int> rows)
    {
        for (int row : rows)
            list.setNewName(row, list.entry(row).newName + text);
        ASSERT_TRUE(list.refreshEntries().pushed);
    }

    TestApp app;
    PreviewList list;
};

TEST_F(ProposalLevelsTest, UndoStepsBackOneLevelOfEachEntryAndRejectThrowsEverythingAway)
{
    apply("1", {0, 1});
    apply("2", {0}); // b is not touched by the second function
    EXPECT_EQ(described(list), QStringList({"a12 | a12 a1 a", "b1 | b1 b1 b"}));
    list.undoProposals();
    EXPECT_EQ(described(list), QStringList({"a1 | a1 a", "b1 | b1 b"}));
    list.undoProposals();
    EXPECT_EQ(described(list), QStringList({"a | a", "b | b"})) << "no level left: undo becomes unavailable";

    apply("1", {0, 1});
    apply("2", {1});
    list.rejectProposals();
    EXPECT_EQ(described(list), QStringList({"a | a", "b | b"}));

    // An entry without an earlier proposal keeps its name.
    apply("1", {0, 1});
    // As a take-changes run leaves a renamed entry.
    list.markRenamed(1, QStringLiteral("/p/b1/"));
    list.dropEarlierProposals(1);
    list.undoProposals();
    EXPECT_EQ(described(list), QStringList({"a | a", "b1 | b1"}));
}

} // namespace
