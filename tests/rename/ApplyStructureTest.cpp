#include "app/PreviewList.h"
#include "rename/NameStructure.h"
#include "rename/RenameRun.h"
#include "support/TestApp.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

class ApplyStructureTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const char* name : {"one.a", "two.b", "three.c"}) {
            FolderEntry e;
            e.col[FolderEntry::ColParentPath] = QStringLiteral("/D/");
            e.col[FolderEntry::ColOldName] = QString::fromUtf8(name);
            e.col[FolderEntry::ColNewName] = QString::fromUtf8(name);
            e.key = QStringLiteral("/D/") + QString::fromUtf8(name) + QLatin1Char('/');
            list.append(e);
        }
        list.selectionModel()->select(list.index(1, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
        app.state().statusTexts[5] = QStringLiteral("Entry %1 of %2");
    }

    QStringList newNames() const
    {
        QStringList names;
        for (const FolderEntry& e : list.entries())
            names.append(e.newName());
        return names;
    }

    TestApp app;
    PreviewList list;
};

TEST_F(ApplyStructureTest, ChangesOnlyAdmittedEntries)
{
    const std::pair<int, QStringList> cases[] = {
        {0, {QStringLiteral("ONE.a"), QStringLiteral("TWO.b"), QStringLiteral("THREE.c")}},
        {1, {QStringLiteral("one.a"), QStringLiteral("TWO.b"), QStringLiteral("three.c")}},
        {2, {QStringLiteral("ONE.a"), QStringLiteral("two.b"), QStringLiteral("THREE.c")}},
    };
    for (const auto& [applyTo, expected] : cases) {
        for (FolderEntry& e : list.entries())
            e.setNewName(e.oldName());
        RenameRun run(app.state(), list, applyTo);
        ApplyStructure(run, QStringLiteral("<UC><NAME></UC><.EXT>"));
        EXPECT_EQ(newNames(), expected) << "apply to " << applyTo;
    }
}

TEST_F(ApplyStructureTest, WorksOnTheCurrentNewNameAndNotifiesOnce)
{
    list.entries()[0].setNewName(QStringLiteral("changed.x"));
    QSignalSpy changed(&list, &PreviewList::dataChanged);
    QStringList progress;
    RenameRun run(app.state(), list, 0, [&](const QString& text) { progress.append(text); });
    ApplyStructure(run, QStringLiteral("<NAME>_<EXT>"));
    EXPECT_EQ(newNames(),
              QStringList({QStringLiteral("changed_x"), QStringLiteral("two_b"), QStringLiteral("three_c")}));
    EXPECT_EQ(list.entries()[0].oldName(), QStringLiteral("one.a"));
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(progress, QStringList({QStringLiteral("Entry 1 of 3"), QStringLiteral("Entry 3 of 3")}));
}

} // namespace
