#include "core/preview/RemovalPlan.h"

#include "support/PreviewFixture.h"

#include <gtest/gtest.h>

namespace {

// The old names of the entries a plan removes; "Xy" makes an entry x with the new name X, "*" selects it.
QString removed(std::initializer_list<const char*> entries, RemovalVariant variant, bool* ask = nullptr)
{
    PreviewList list;
    for (const char* e : entries) {
        const QString name = QString::fromLatin1(e).remove(QLatin1Char('*'));
        list.append(MakeEntry(QStringLiteral("/p/"), name.toLower(), name));
        if (e[qstrlen(e) - 1] == '*')
            list.selectionModel()->select(list.index(list.size() - 1, 0),
                                          QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    const RemovalPlan plan = PlanRemoval(list, variant);
    QString names;
    for (int row = 0; row < list.size(); ++row) {
        if (plan.remove[static_cast<size_t>(row)])
            names += list.entry(row).oldName;
    }
    EXPECT_EQ(plan.count, names.size());
    if (ask)
        *ask = plan.ask;
    return names;
}

} // namespace

TEST(RemovalPlan, EntriesAndQuestionPerVariant)
{
    // The question comes only when a removed entry is changed, and never for the unchanged ones.
    const struct
    {
        RemovalVariant variant;
        std::initializer_list<const char*> entries;
        const char* removed;
        bool ask;
    } cases[] = {
        {RemovalVariant::All, {"A*", "b*", "C", "d"}, "abcd", true},
        {RemovalVariant::Selected, {"A*", "b*", "C", "d"}, "ab", true},
        {RemovalVariant::Selected, {"A", "b", "C", "d"}, "", false},
        {RemovalVariant::Selected, {"a*", "B"}, "a", false},
        {RemovalVariant::NotSelected, {"A*", "b*", "C", "d"}, "cd", true},
        {RemovalVariant::NotSelected, {"a*", "B"}, "b", true},
        {RemovalVariant::Changed, {"A*", "b*", "C", "d"}, "ac", true},
        {RemovalVariant::Unchanged, {"A*", "b*", "C", "d"}, "bd", false},
        {RemovalVariant::Unchanged, {"A", "B"}, "", false},
        {RemovalVariant::None, {"A*", "b*", "C", "d"}, "", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.variant));
        bool ask = false;
        EXPECT_EQ(removed(c.entries, c.variant, &ask), QLatin1String(c.removed));
        EXPECT_EQ(ask, c.ask);
    }
}
