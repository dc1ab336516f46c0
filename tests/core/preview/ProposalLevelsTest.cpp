#include "core/commit/CommitTestSupport.h"
#include "core/preview/PreviewList.h"
#include "core/preview/ProposalHistory.h"

#include <algorithm>
#include <vector>

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

namespace {

// The levels as a plain row of eleven names: what the history must behave like, however it stores them.
struct PlainLevels
{
    std::vector<QString> levels = std::vector<QString>(ProposalHistory::kLevels);

    void push(const QString& name)
    {
        levels.insert(levels.begin(), name);
        levels.pop_back();
    }
    bool stepBack()
    {
        if (levels[1].isEmpty())
            return false;
        levels.erase(levels.begin());
        levels.emplace_back();
        return true;
    }
};

} // namespace

// Random runs of every change, compared level by level with the plain row after each step.
TEST(ProposalHistory, BehavesLikeAPlainRowOfElevenLevels)
{
    const QString names[] = {QString(), QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")};
    unsigned seed = 7;
    const auto next = [&seed](unsigned n) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) % n;
    };
    for (int run = 0; run < 200; ++run) {
        ProposalHistory history;
        PlainLevels plain;
        for (int step = 0; step < 40; ++step) {
            const QString& name = names[next(4)];
            const int level = static_cast<int>(next(ProposalHistory::kLevels + 1)) - 1;
            switch (next(7)) {
            case 0:
            case 1:
                history.push(name);
                plain.push(name);
                break;
            case 2:
                ASSERT_EQ(history.stepBack(), plain.stepBack());
                break;
            case 3:
                history.set(level, name);
                if (level >= 0 && level < ProposalHistory::kLevels)
                    plain.levels[static_cast<size_t>(level)] = name;
                break;
            case 4: {
                const int earlier = static_cast<int>(next(13));
                history.reset(name, earlier);
                for (int l = 0; l < ProposalHistory::kLevels; ++l)
                    plain.levels[static_cast<size_t>(l)] = l <= earlier && !name.isEmpty() ? name : QString();
                plain.levels[0] = name;
                break;
            }
            case 5:
                history.collapseTo(name);
                for (QString& l : plain.levels)
                    l = l.isEmpty() ? l : name;
                break;
            default:
                history.dropEarlier();
                std::fill(plain.levels.begin() + 1, plain.levels.end(), QString());
                break;
            }
            int used = 0;
            for (int l = 0; l < ProposalHistory::kLevels; ++l) {
                ASSERT_EQ(history.at(l), plain.levels[static_cast<size_t>(l)]) << "run " << run << " level " << l;
                used += l > 0 && !plain.levels[static_cast<size_t>(l)].isEmpty() ? 1 : 0;
            }
            ASSERT_EQ(history.earlierLevels(), used);
            ASSERT_TRUE(history.at(ProposalHistory::kLevels).isEmpty());
        }
    }
}
