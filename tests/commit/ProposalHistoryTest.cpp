#include "commit/ProposalHistory.h"

#include "app/PreviewList.h"
#include "commit/CommitTestSupport.h"

#include <gtest/gtest.h>

using namespace CommitTestSupport;

namespace {

FolderEntry entry(const QString& name)
{
    FolderEntry e;
    e.key = QStringLiteral("/p/") + name + QLatin1Char('/');
    e.col[FolderEntry::ColParentPath] = QStringLiteral("/p/");
    e.col[FolderEntry::ColOldName] = name;
    e.col[FolderEntry::ColNewName] = name;
    e.history(0) = name;
    return e;
}

// What the list's refresh does after a rename function: one level pushed on every entry when a proposal
// differs from level 0.
void pushLevel(PreviewList& list)
{
    for (FolderEntry& e : list.entries()) {
        for (int level = FolderEntry::kHistoryLevels - 1; level > 0; --level)
            e.history(level) = e.history(level - 1);
        e.history(0) = e.newName();
    }
}

// A rename function that appends a text to the new name of the entries at the given rows.
void apply(PreviewList& list, const QString& text, std::initializer_list<int> rows)
{
    for (int row : rows)
        list.entries()[static_cast<size_t>(row)].setNewName(list.entry(row).newName() + text);
    pushLevel(list);
}

class ProposalHistoryTest : public ::testing::Test
{
protected:
    ProposalHistoryTest()
    {
        useTestMessages(app);
        for (const char* name : {"a", "b"})
            list.append(entry(QString::fromLatin1(name)));
    }
    TestApp app;
    PreviewList list;
};

TEST_F(ProposalHistoryTest, TwoUndosAfterTwoFunctionsGiveTheOldNamesBack)
{
    apply(list, QStringLiteral("1"), {0, 1});
    apply(list, QStringLiteral("2"), {0}); // b is not touched by the second function
    EXPECT_EQ(list.entry(0).newName(), QStringLiteral("a12"));

    UndoProposals(list);
    EXPECT_EQ(list.entry(0).newName(), QStringLiteral("a1"));
    EXPECT_EQ(list.entry(1).newName(), QStringLiteral("b1"));
    EXPECT_EQ(list.entry(0).history(0), QStringLiteral("a1"));
    EXPECT_EQ(list.entry(0).history(1), QStringLiteral("a"));
    EXPECT_TRUE(list.entry(0).history(2).isEmpty());

    UndoProposals(list);
    for (int row = 0; row < list.size(); ++row) {
        const FolderEntry& e = list.entry(row);
        EXPECT_FALSE(e.isChanged()) << row;
        EXPECT_EQ(e.history(0), e.oldName());
        EXPECT_TRUE(e.history(1).isEmpty()); // no level left: undo becomes unavailable
    }
}

TEST_F(ProposalHistoryTest, AnEntryWithoutAnEarlierProposalKeepsItsName)
{
    apply(list, QStringLiteral("1"), {0, 1});
    FolderEntry& b = list.entries()[1];
    for (int level = 1; level < FolderEntry::kHistoryLevels; ++level)
        b.history(level).clear(); // as a take-changes run leaves a renamed entry
    b.col[FolderEntry::ColOldName] = b.newName();

    UndoProposals(list);

    EXPECT_EQ(list.entry(0).newName(), QStringLiteral("a"));
    EXPECT_EQ(list.entry(1).newName(), QStringLiteral("b1"));
    EXPECT_EQ(list.entry(1).history(0), QStringLiteral("b1"));
}

TEST_F(ProposalHistoryTest, RejectThrowsEveryProposalAway)
{
    apply(list, QStringLiteral("1"), {0, 1});
    apply(list, QStringLiteral("2"), {1});
    RejectProposals(list);
    for (int row = 0; row < list.size(); ++row) {
        const FolderEntry& e = list.entry(row);
        EXPECT_EQ(e.newName(), e.oldName());
        EXPECT_EQ(e.history(0), e.oldName());
        for (int level = 1; level < FolderEntry::kHistoryLevels; ++level)
            EXPECT_TRUE(e.history(level).isEmpty());
    }
}

TEST_F(ProposalHistoryTest, CommandsAskOnlyWhenTheUserWantsToBeAsked)
{
    AppState& state = app.state();
    ScriptedPrompter& prompter = app.prompter();
    apply(list, QStringLiteral("1"), {0, 1});

    state.confirm = {true, false, true};
    prompter.expectButton(Prompter::No);
    EXPECT_FALSE(undoCommand(state, list));
    EXPECT_EQ(list.entry(0).newName(), QStringLiteral("a1"));
    prompter.expectButton(Prompter::No);
    EXPECT_FALSE(rejectCommand(state, list));
    EXPECT_EQ(list.entry(0).newName(), QStringLiteral("a1"));
    ASSERT_EQ(prompter.asked().size(), 2);
    EXPECT_EQ(prompter.asked().at(0).text, QStringLiteral("undo?"));
    EXPECT_EQ(prompter.asked().at(0).title, QStringLiteral("Dirwright"));
    EXPECT_EQ(prompter.asked().at(0).buttons, Prompter::Yes | Prompter::No);
    EXPECT_EQ(prompter.asked().at(1).text, QStringLiteral("reject?"));
    EXPECT_EQ(prompter.asked().at(1).title, QStringLiteral("Reject"));
    EXPECT_EQ(prompter.asked().at(1).defaultButton, Prompter::No);

    prompter.expectButton(Prompter::Yes);
    EXPECT_TRUE(rejectCommand(state, list));
    EXPECT_EQ(list.entry(0).newName(), QStringLiteral("a"));

    state.confirm = {false, false, false};
    apply(list, QStringLiteral("3"), {1});
    EXPECT_TRUE(undoCommand(state, list)); // no question
    EXPECT_EQ(list.entry(1).newName(), QStringLiteral("b"));
}

} // namespace
