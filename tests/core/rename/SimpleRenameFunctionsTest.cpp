#include "core/preview/PreviewList.h"
#include "core/rename/NameStructure.h"
#include "core/rename/RenameRun.h"
#include "core/rename/RenameSteps.h"
#include "core/script/DialogValues.h"
#include "support/PreviewFixture.h"
#include "support/TestApp.h"

#include <QSignalSpy>
#include <gtest/gtest.h>
#include <tuple>

namespace {

// Stored values as a dialog leaves them: texts with the blank stand-in, the selected option as "-1".
DialogValues values(std::initializer_list<std::pair<const char*, const char*>> pairs)
{
    DialogValues v;
    for (const auto& [key, value] : pairs) {
        const QString k = QLatin1String(key);
        v.set(k, k.startsWith(u"txt") ? DialogValues::encodeText(QString::fromUtf8(value)) : QString::fromUtf8(value));
    }
    return v;
}

QStringList newNames(const PreviewList& list)
{
    QStringList names;
    for (const FolderEntry& e : list.entries())
        names.append(e.newName);
    return names;
}

class SimpleRenameFunctions : public ::testing::Test
{
protected:
    PreviewList list;
    TestApp app;
};

TEST_F(SimpleRenameFunctions, StepsGiveTheNamesOfTheirFunctions)
{
    // Prefix/suffix (5) keep blanks and go before the extension; new extensions (3) are cleaned of outer dots and
    // blanks; case changes (4) work on name and extension separately; only "-1" selects an option, and without
    // one, 3 sets a new extension and 4 capitalises the first letter of the name.
    const std::tuple<int, DialogValues, const char*, const char*> cases[] = {
        {5, values({{"txtPr", "01 "}, {"txtSu", " (2)"}}), "Trip", "01 Trip (2)"},
        {5, values({{"txtSu", "x"}}), ".hidden", "x.hidden"},
        {3, values({{"optFE(1)", "-1"}, {"txtFE", "..bak "}}), "Trip.2004", "Trip.bak"},
        {3, values({{"optFE(1)", "-1"}, {"txtFE", "  .tar. gz"}}), "T", "T.tar. gz"},
        {3, values({{"optFE(1)", "-1"}, {"txtFE", "bak"}, {"chkAddOldFE", "1"}}), "Trip.2004", "Trip.2004.bak"},
        {3, values({{"optFE(1)", "-1"}, {"chkAddOldFE", "1"}}), "Trip.2004", "Trip.2004"},
        {3, values({{"optFE(1)", "-1"}, {"txtFE", "..."}}), "Trip.2004", "Trip"},
        {3, values({{"txtFE", "bak"}}), "Trip.2004", "Trip.bak"},
        {3, values({{"optFE(0)", "-1"}, {"txtFE", "bak"}}), "Trip.2004", "Trip"},
        {3, values({{"optFE(0)", "-1"}}), "Trip", "Trip"},
        {4, values({{"opt1(3)", "-1"}, {"opt2(1)", "-1"}}), "Trip.abc", "TRIP.abc"},
        {4, values({{"opt1(3)", "-1"}, {"opt2(2)", "-1"}}), "Trip.abc", "Trip.ABC"},
        {4, values({{"opt1(1)", "-1"}, {"opt2(3)", "-1"}}), "MY TRIP.ABC", "My trip.Abc"},
        {4, values({{"opt1(4)", "-1"}, {"opt2(3)", "-1"}}), "ÄRGER.TXT", "ärger.txt"},
        {4, values({{"opt1(5)", "-1"}, {"opt2(3)", "-1"}}), "aB.cD", "Ab.Cd"},
        {4, values({}), "MY TRIP.ABC", "My trip.ABC"},
        // Tags in a name are the name's own text, converted like any other.
        {4, values({{"opt1(4)", "-1"}}), "A<UC>b</UC>.X", "a<uc>b</uc>.X"},
        {4, values({{"opt1(3)", "1"}, {"opt2(3)", "0"}}), "MY TRIP.ABC", "My trip.ABC"},
    };
    for (const auto& [type, stored, name, expected] : cases) {
        list.clear();
        list.append(MakeEntry(QStringLiteral("/p/"), QString::fromUtf8(name)));
        RenameRun run(app.state(), list, 0);
        EXPECT_TRUE(RenameSteps::run(type, stored, run)) << name;
        EXPECT_EQ(list.entry(0).newName, QString::fromUtf8(expected)) << type << ": " << name;
    }
}

TEST_F(SimpleRenameFunctions, AStructureChangesAdmittedEntriesFromTheirNewNameAndNotifiesOnce)
{
    app.state().statusTexts[5] = QStringLiteral("Entry %1 of %2");
    for (const char* name : {"one.a", "two.b", "three.c"})
        list.append(MakeEntry(QStringLiteral("/D/"), QString::fromUtf8(name)));
    list.selectionModel()->select(list.index(1, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    // Apply to all, the selected row only, the unselected rows only.
    const QStringList expected[] = {
        {"ONE.a", "TWO.b", "THREE.c"}, {"one.a", "TWO.b", "three.c"}, {"ONE.a", "two.b", "THREE.c"}};
    for (int applyTo = 0; applyTo < 3; ++applyTo) {
        list.rejectProposals();
        RenameRun run(app.state(), list, applyTo);
        ApplyStructure(run, QStringLiteral("<UC><NAME></UC><.EXT>"));
        EXPECT_EQ(newNames(list), expected[applyTo]) << "apply to " << applyTo;
    }
    list.setNewName(0, QStringLiteral("changed.x"));
    QSignalSpy changed(&list, &PreviewList::dataChanged);
    QStringList progress;
    RenameRun run(app.state(), list, 0, [&](const QString& text) { progress.append(text); });
    ApplyStructure(run, QStringLiteral("<NAME>_<EXT>"));
    EXPECT_EQ(newNames(list), QStringList({"changed_x", "two_b", "THREE_c"}));
    EXPECT_EQ(list.entry(0).oldName, "one.a");
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(progress, QStringList({"Entry 1 of 3", "Entry 3 of 3"}));
}

} // namespace
