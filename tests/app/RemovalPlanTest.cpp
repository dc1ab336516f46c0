#include "app/RemovalPlan.h"

#include "support/PreviewFixture.h"

#include <gtest/gtest.h>

namespace {

// Four entries: a (changed, selected), b (unchanged, selected), c (changed), d (unchanged).
void fill(PreviewList& list, bool select)
{
    list.append(MakeEntry(QStringLiteral("/p/"), QStringLiteral("a"), QStringLiteral("A")));
    list.append(MakeEntry(QStringLiteral("/p/"), QStringLiteral("b")));
    list.append(MakeEntry(QStringLiteral("/p/"), QStringLiteral("c"), QStringLiteral("C")));
    list.append(MakeEntry(QStringLiteral("/p/"), QStringLiteral("d")));
    if (select) {
        list.selectionModel()->select(list.index(0, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
        list.selectionModel()->select(list.index(1, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
}

QString removedNames(const PreviewList& list, const RemovalPlan& plan)
{
    QString names;
    for (int row = 0; row < list.size(); ++row) {
        if (plan.remove[static_cast<size_t>(row)])
            names += list.entry(row).oldName();
    }
    return names;
}

} // namespace

TEST(RemovalPlan, VariantsFromTags)
{
    EXPECT_EQ(RemovalVariantFromTag(QString()), RemovalVariant::All);
    EXPECT_EQ(RemovalVariantFromTag(QStringLiteral("dellist1")), RemovalVariant::All);
    EXPECT_EQ(RemovalVariantFromTag(QStringLiteral("DelList2")), RemovalVariant::Selected);
    EXPECT_EQ(RemovalVariantFromTag(QStringLiteral("DelList3")), RemovalVariant::NotSelected);
    EXPECT_EQ(RemovalVariantFromTag(QStringLiteral("DelList4")), RemovalVariant::Changed);
    EXPECT_EQ(RemovalVariantFromTag(QStringLiteral("DELLIST5")), RemovalVariant::Unchanged);
    EXPECT_EQ(RemovalVariantFromTag(QStringLiteral("DelList6")), RemovalVariant::None);
    EXPECT_EQ(RemovalVariantFromTag(QStringLiteral("Rename01")), RemovalVariant::None);
}

TEST(RemovalPlan, EntriesAndQuestionPerVariant)
{
    const struct
    {
        RemovalVariant variant;
        bool select;
        const char* removed;
        bool ask;
    } cases[] = {
        {RemovalVariant::All, true, "abcd", true},       {RemovalVariant::Selected, true, "ab", true},
        {RemovalVariant::Selected, false, "", false}, // nothing selected: nothing removed
        {RemovalVariant::NotSelected, true, "cd", true}, {RemovalVariant::Changed, true, "ac", true},
        {RemovalVariant::Unchanged, true, "bd", false}, // never asks
        {RemovalVariant::None, true, "", false},
    };
    for (const auto& c : cases) {
        PreviewList list;
        fill(list, c.select);
        const RemovalPlan plan = PlanRemoval(list, c.variant);
        EXPECT_EQ(removedNames(list, plan), QLatin1String(c.removed)) << static_cast<int>(c.variant);
        EXPECT_EQ(plan.count, static_cast<int>(qstrlen(c.removed)));
        EXPECT_EQ(plan.ask, c.ask) << static_cast<int>(c.variant);
    }
}

TEST(RemovalPlan, QuestionOnlyWhenARemovedEntryIsChanged)
{
    PreviewList list;
    list.append(MakeEntry(QStringLiteral("/p/"), QStringLiteral("a")));
    list.append(MakeEntry(QStringLiteral("/p/"), QStringLiteral("b"), QStringLiteral("B")));
    list.selectionModel()->select(list.index(0, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    EXPECT_FALSE(PlanRemoval(list, RemovalVariant::Selected).ask);
    EXPECT_TRUE(PlanRemoval(list, RemovalVariant::NotSelected).ask);
    // Every entry changed: removing the unchanged ones removes nothing.
    list.entries()[0].setNewName(QStringLiteral("A"));
    EXPECT_EQ(PlanRemoval(list, RemovalVariant::Unchanged).count, 0);
}
