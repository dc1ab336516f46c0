#include "app/PreviewList.h"
#include "rename/NameStructure.h"
#include "rename/RenameRun.h"
#include "support/PreviewFixture.h"
#include "support/TestApp.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

QStringList newNames(const PreviewList& list)
{
    QStringList names;
    for (const FolderEntry& e : list.entries())
        names.append(e.newName());
    return names;
}

TEST(ApplyStructureTest, ChangesAdmittedEntriesFromTheirNewNameAndNotifiesOnce)
{
    TestApp app;
    app.state().statusTexts[5] = QStringLiteral("Entry %1 of %2");
    PreviewList list;
    for (const char* name : {"one.a", "two.b", "three.c"})
        list.append(MakeEntry(QStringLiteral("/D/"), QString::fromUtf8(name)));
    list.selectionModel()->select(list.index(1, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    // Apply to all, the selected row only, the unselected rows only.
    const QStringList expected[] = {
        {"ONE.a", "TWO.b", "THREE.c"}, {"one.a", "TWO.b", "three.c"}, {"ONE.a", "two.b", "THREE.c"}};
    for (int applyTo = 0; applyTo < 3; ++applyTo) {
        for (FolderEntry& e : list.entries())
            e.setNewName(e.oldName());
        RenameRun run(app.state(), list, applyTo);
        ApplyStructure(run, "<UC><NAME></UC><.EXT>");
        EXPECT_EQ(newNames(list), expected[applyTo]) << "apply to " << applyTo;
    }

    for (FolderEntry& e : list.entries())
        e.setNewName(e.oldName());
    list.entries()[0].setNewName(QStringLiteral("changed.x"));
    QSignalSpy changed(&list, &PreviewList::dataChanged);
    QStringList progress;
    RenameRun run(app.state(), list, 0, [&](const QString& text) { progress.append(text); });
    ApplyStructure(run, "<NAME>_<EXT>");
    EXPECT_EQ(newNames(list), QStringList({"changed_x", "two_b", "three_c"}));
    EXPECT_EQ(list.entries()[0].oldName(), "one.a");
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(progress, QStringList({"Entry 1 of 3", "Entry 3 of 3"}));
}

} // namespace
