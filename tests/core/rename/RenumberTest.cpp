#include "core/preview/PreviewList.h"
#include "core/rename/RenameRun.h"
#include "core/rename/RenameSteps.h"
#include "core/rename/RenumberParams.h"
#include "core/rename/RenumberPlan.h"
#include "core/script/DialogValues.h"
#include "support/PreviewFixture.h"
#include "support/TestApp.h"

#include <gtest/gtest.h>

namespace {

using Position = RenumberPlan::Position;

QStringList names(std::initializer_list<const char*> items)
{
    QStringList list;
    for (const char* item : items)
        list.append(QString::fromUtf8(item));
    return list;
}

// A list of entries with these names, renumbered by a script step with these values; the new names.
QStringList runStep(const QStringList& oldNames, std::initializer_list<std::pair<const char*, const char*>> values,
                    int applyTo = 0)
{
    TestApp app;
    PreviewList list;
    for (const QString& name : oldNames)
        list.append(MakeEntry(QStringLiteral("/p/"), name));
    DialogValues stored;
    for (const auto& [key, value] : values)
        stored.set(QString::fromUtf8(key), QString::fromUtf8(value));
    RenameRun run(app.state(), list, applyTo);
    EXPECT_TRUE(RenameSteps::run(2, stored, run));
    QStringList out;
    for (const FolderEntry& e : list.entries())
        out.append(e.newName);
    return out;
}

TEST(RenumberPlan, SplitsNamesIntoLeadMiddleTrail)
{
    struct Row
    {
        const char* name;
        const char* folder;
        const char* lead;
        const char* middle;
        const char* trail;
        const char* ext;
    };
    const Row rows[] = {
        {"number at both ends", "01 Song 7", "01", " Song ", "7", ""},
        {"digits only: lead and trail alike", "2004", "2004", "", "2004", ""},
        {"extension is not part of the base", "Trip 12.2004", "", "Trip ", "12", ".2004"},
        {"no digits", "Music", "", "Music", "", ""},
        {"digits inside stay in the middle", "a1b", "", "a1b", "", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const RenumberPlan plan(names({row.folder}));
        const RenumberPlan::Record& r = plan.records().first();
        EXPECT_EQ(r.lead, QString::fromUtf8(row.lead));
        EXPECT_EQ(r.middle, QString::fromUtf8(row.middle));
        EXPECT_EQ(r.trail, QString::fromUtf8(row.trail));
        EXPECT_EQ(r.ext, QString::fromUtf8(row.ext));
    }
}

TEST(RenumberPlan, OffersAPositionWhenEnoughNamesCarryANumber)
{
    struct Row
    {
        const char* name;
        QStringList folders;
        QList<Position> offered;
    };
    const Row rows[] = {
        {"two of five qualify (2.5 rounds to 2)", names({"1 a", "2 b", "c", "d", "e"}), {Position::Start}},
        {"three of seven do not (3.5 rounds to 4)", names({"1 a", "2 b", "3 c", "d", "e", "f", "g"}), {}},
        {"four of seven do", names({"1 a", "2 b", "3 c", "4 d", "e", "f", "g"}), {Position::Start}},
        {"a single numbered entry never", names({"1 a"}), {}},
        {"both ends, start first", names({"1 a 1", "2 b 2"}), {Position::Start, Position::End}},
        {"end only", names({"a 1", "b 2", "c"}), {Position::End}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(RenumberPlan(row.folders).positions(), row.offered);
    }
}

TEST(RenumberPlan, OrdersByNumberValueAndProposes)
{
    const RenumberPlan tracks(names({"Track 10", "Track 2", "Intro", "Track 1"}));
    const RenumberPlan::Order order = tracks.orderFor(Position::End);
    EXPECT_EQ(order.numbered, (QList<int>{3, 1, 0}));
    EXPECT_EQ(order.unnumbered, (QList<int>{2}));
    const RenumberPlan::Proposal p = tracks.proposalFor(Position::End, order.numbered);
    EXPECT_EQ(p.first, QStringLiteral("1"));
    EXPECT_EQ(p.increment, QStringLiteral("8"));
    EXPECT_TRUE(p.commonMiddle);
    EXPECT_EQ(p.middle, QStringLiteral("Track "));

    const RenumberPlan songs(names({"05 Alpha", "07 Beta", "09 Gamma"}));
    const RenumberPlan::Proposal q = songs.proposalFor(Position::Start, songs.orderFor(Position::Start).numbered);
    EXPECT_EQ(q.first, QStringLiteral("5"));
    EXPECT_TRUE(q.autoWidth);
    EXPECT_EQ(q.increment, QStringLiteral("2"));
    EXPECT_FALSE(q.commonMiddle);

    // Two equal last numbers would propose a step of 0: every folder the same number.
    const RenumberPlan same(names({"3 a", "3 b"}));
    EXPECT_EQ(same.proposalFor(Position::Start, same.orderFor(Position::Start).numbered).increment,
              QStringLiteral("1"));
    // Numbers longer than 20 digits still sort by value.
    const RenumberPlan huge(names({"100000000000000000000000 a", "99999999999999999999999 b"}));
    EXPECT_EQ(huge.orderFor(Position::Start).numbered, (QList<int>{1, 0}));
}

TEST(Renumbering, ScriptStepGivesTheNames)
{
    struct Row
    {
        const char* name;
        QStringList folders;
        std::initializer_list<std::pair<const char*, const char*>> values;
        QStringList expected;
    };
    const Row rows[] = {
        {"auto width from the last number",
         names({"05 Alpha", "07 Beta", "09 Gamma"}),
         {{"txtInit", "5"}, {"txtInc", "2"}, {"optPrefix", "-1"}},
         names({"5 Alpha", "7 Beta", "9 Gamma"})},
        {"two digits",
         names({"05 Alpha", "07 Beta", "09 Gamma"}),
         {{"txtInit", "5"}, {"txtInc", "2"}, {"cmbAnzahl", "2"}},
         names({"05 Alpha", "07 Beta", "09 Gamma"})},
        {"three digits from 8",
         names({"1 a", "2 b", "3 c"}),
         {{"txtInit", "8"}, {"txtInc", "1"}, {"cmbAnzahl", "3"}},
         names({"008 a", "009 b", "010 c"})},
        {"numeric order, not text order",
         names({"Track 10", "Track 2", "Track 1"}),
         {{"txtInit", "1"}},
         names({"Track 3", "Track 2", "Track 1"})},
        {"the number at the other end goes",
         names({"01 Song 7", "02 Song 8"}),
         {{"txtInit", "3"}},
         names({"3 Song ", "4 Song "})},
        {"end position chosen by index",
         names({"1 a 1", "2 b 9"}),
         {{"erkNum", "1"}, {"txtInit", "5"}},
         names({" a 5", " b 6"})},
        {"an index beyond the offered positions takes the first",
         names({"a 1", "b 2"}),
         {{"erkNum", "3"}, {"txtInit", "7"}},
         names({"a 7", "b 8"})},
        {"fixed middle, characters a name cannot hold dropped",
         names({"1 x", "2 y", "z"}),
         {{"chkReplace", "1"},
          {"txtRepName", "\xc2\x90"
                         "Disc/"}},
         names({"1 Disc", "2 Disc", "z"})},
        {"extension kept, unnumbered entries keep their names",
         names({"3 a.jpg", "1 b.2004", "2004", "Music"}),
         {{"txtInit", "10"}, {"txtInc", "10"}},
         names({"20 a.jpg", "10 b.2004", "30", "Music"})},
        {"nothing qualifies: nothing changes", names({"1 a", "b", "c"}), {{"txtInit", "5"}}, names({"1 a", "b", "c"})},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(runStep(row.folders, row.values), row.expected);
    }
}

TEST(Renumbering, ChangesEveryEntryWhateverTheApplyToChoice)
{
    // Apply to selected entries, none selected: renumbering still looks at and changes all of them.
    EXPECT_EQ(runStep(names({"1 a", "2 b"}), {{"txtInit", "4"}}, 1), names({"4 a", "5 b"}));
}

TEST(Renumbering, UsersOrderAndUnassignedEntries)
{
    const RenumberPlan plan(names({"05 Alpha", "07 Beta", "09 Gamma"}));
    RenumberPlan::Numbering numbering;
    numbering.first = 1;
    numbering.width = 2;
    // Gamma first, Beta moved to the unassigned list keeps its whole base name.
    EXPECT_EQ(plan.renumbered({2, 0}, numbering), names({"02 Alpha", "07 Beta", "01 Gamma"}));
    numbering.atStart = false;
    EXPECT_EQ(plan.renumbered({0}, numbering), names({" Alpha01", "07 Beta", "09 Gamma"}));
}

} // namespace
