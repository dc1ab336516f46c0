#include "app/PreviewList.h"
#include "rename/CaseParams.h"
#include "rename/FolderExtensionParams.h"
#include "rename/PrefixSuffixParams.h"
#include "rename/RenameRun.h"
#include "rename/RenameSteps.h"
#include "script/DialogValues.h"
#include "support/PreviewFixture.h"
#include "support/TestApp.h"

#include <gtest/gtest.h>

namespace {

// Stored values as a dialog leaves them: texts with the blank stand-in, the selected option as "-1".
DialogValues values(std::initializer_list<std::pair<const char*, QString>> pairs)
{
    DialogValues v;
    for (const auto& [key, value] : pairs)
        v.set(QLatin1String(key), value);
    return v;
}

QString text(const char* t)
{
    return DialogValues::encodeText(QString::fromUtf8(t));
}

const QString kSelected = QStringLiteral("-1");

struct Case
{
    const char* what;
    int type;
    DialogValues stored;
    const char* name;
    const char* expected;
};

class SimpleRenameFunctions : public ::testing::Test
{
protected:
    // One entry with this name; runs the step of a type number on it, as a script or the batch mode does.
    QString run(int type, const DialogValues& stored, const QString& name)
    {
        PreviewList list;
        list.append(MakeEntry(QStringLiteral("/p/"), name));
        RenameRun r(app.state(), list, 0);
        EXPECT_TRUE(RenameSteps::run(type, stored, r));
        return list.entry(0).newName();
    }

    TestApp app;
};

TEST_F(SimpleRenameFunctions, StepsGiveTheNamesOfTheirFunctions)
{
    const Case cases[] = {
        {"prefix and suffix, blanks kept", 5, values({{"txtPr", text("01 ")}, {"txtSu", text("_old")}}), "Trip.2004",
         "01 Trip_old.2004"},
        {"suffix only, no extension", 5, values({{"txtSu", text(" (2)")}}), "Trip", "Trip (2)"},
        {"suffix goes before the extension of a dot name", 5, values({{"txtSu", text("x")}}), ".hidden", "x.hidden"},
        {"nothing to add", 5, values({}), "Trip.2004", "Trip.2004"},
        {"new extension cleaned", 3, values({{"optFE(1)", kSelected}, {"txtFE", text("..bak ")}}), "Trip.2004",
         "Trip.bak"},
        {"new extension after the old", 3,
         values({{"optFE(1)", kSelected}, {"txtFE", text("..bak ")}, {"chkAddOldFE", QStringLiteral("1")}}),
         "Trip.2004", "Trip.2004.bak"},
        {"empty extension, old kept: unchanged", 3,
         values({{"optFE(1)", kSelected}, {"chkAddOldFE", QStringLiteral("1")}}), "Trip.2004", "Trip.2004"},
        {"empty extension, old not kept: removed", 3, values({{"optFE(1)", kSelected}}), "Trip.2004", "Trip"},
        {"mode 0 removes", 3, values({{"optFE(0)", kSelected}, {"txtFE", text("bak")}}), "Trip.2004", "Trip"},
        {"mode 0 without extension", 3, values({{"optFE(0)", kSelected}}), "Trip", "Trip"},
        {"UC on the name", 4, values({{"opt1(3)", kSelected}, {"opt2(1)", kSelected}}), "Trip.abc", "TRIP.abc"},
        {"UC on the extension", 4, values({{"opt1(3)", kSelected}, {"opt2(2)", kSelected}}), "Trip.abc", "Trip.ABC"},
        {"1C on both, separately", 4, values({{"opt1(1)", kSelected}, {"opt2(3)", kSelected}}), "MY TRIP.ABC",
         "My trip.Abc"},
        {"WC", 4, values({{"opt1(2)", kSelected}, {"opt2(1)", kSelected}}), "o'neil-smith jr", "O'neil-Smith Jr"},
        {"LC on both", 4, values({{"opt1(4)", kSelected}, {"opt2(3)", kSelected}}), "ÄRGER.TXT", "ärger.txt"},
        {"SC", 4, values({{"opt1(5)", kSelected}, {"opt2(3)", kSelected}}), "aB.cD", "Ab.Cd"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(run(c.type, c.stored, QString::fromUtf8(c.name)), QString::fromUtf8(c.expected)) << c.what;
}

TEST_F(SimpleRenameFunctions, MissingOptionsFallBackToTheDialogDefaults)
{
    const CaseParams c = CaseParams::fromValues(values({}));
    EXPECT_EQ(c.function, CaseParams::kDefaultFunction);
    EXPECT_EQ(c.scope, CaseParams::kDefaultScope);
    EXPECT_EQ(FolderExtensionParams::fromValues(values({})).mode, FolderExtensionParams::kDefaultMode);
    // A value other than the selection mark does not select.
    EXPECT_EQ(CaseParams::fromValues(values({{"opt1(3)", QStringLiteral("1")}})).function,
              CaseParams::kDefaultFunction);
}

TEST_F(SimpleRenameFunctions, ExtensionCleaning)
{
    const std::pair<const char*, const char*> cases[] = {{"  .tar.gz", "tar.gz"}, {"...", ""}, {". bak", " bak"}};
    for (const auto& [typed, cleaned] : cases)
        EXPECT_EQ(FolderExtensionParams::cleanExtension(QString::fromUtf8(typed)), QString::fromUtf8(cleaned)) << typed;
}

TEST_F(SimpleRenameFunctions, OnlyBuiltTypesRun)
{
    PreviewList list;
    list.append(MakeEntry(QStringLiteral("/p/"), QStringLiteral("a")));
    RenameRun r(app.state(), list, 0);
    for (int type : {3, 4, 5})
        EXPECT_TRUE(RenameSteps::available(type)) << type;
    for (int type : {0, 1, 2, 6, 11})
        EXPECT_FALSE(RenameSteps::run(type, values({{"txtPr", text("x")}}), r)) << type;
    EXPECT_EQ(list.entry(0).newName(), QStringLiteral("a"));
}

} // namespace
