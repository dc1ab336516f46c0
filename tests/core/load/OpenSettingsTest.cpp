#include "core/load/OpenSettings.h"
#include "core/platform/PosixFileSystem.h"
#include "core/settings/SettingsStore.h"
#include "support/TestTree.h"

#include <gtest/gtest.h>

namespace {

TEST(OpenChecks, ReadAndWriteTheBitsOfTheSettingsKey)
{
    for (int bits = 0; bits < 8; ++bits)
        EXPECT_EQ(OpenChecks::fromBits(bits).bits(), bits);
    EXPECT_EQ(OpenChecks::fromBits(-1), OpenChecks{});
    TestTree tree;
    const QString file = tree.path("settings.vlp");
    EXPECT_EQ(OpenChecks::read(file), OpenChecks{}) << "no file: all unchecked";
    ASSERT_TRUE((OpenChecks{true, true, false}).write(file));
    EXPECT_EQ(ReadSetting("frmOpen", "chkOpen", file), QStringLiteral("3"));
    WriteSetting("frmOpen", "chkOpen", "5", file);
    EXPECT_EQ(OpenChecks::read(file), (OpenChecks{true, false, true}));
}

TEST(LastPath, SavesTheShownFolderOnlyWhenSomethingWasLoadedAndStartsThere)
{
    EXPECT_EQ(LastPath::valueToSave("/data/Photos", true), QStringLiteral("/data/Photos/"));
    EXPECT_EQ(LastPath::valueToSave("/data/Photos/", false), QString());
    EXPECT_EQ(LastPath::valueToSave("/", true), QString());
    EXPECT_EQ(LastPath::valueToSave(QString(), true), QString());

    TestTree tree({"Photos/", "Music/"});
    const QString file = tree.path("settings.vlp");
    PosixFileSystem fs;
    EXPECT_EQ(LastPath::startFolder(fs, file), QString());
    ASSERT_TRUE(LastPath::save(file, tree.key("Photos"), true));
    EXPECT_EQ(LastPath::startFolder(fs, file), tree.key("Photos"));
    WriteSetting("Settings", "lastpath", tree.path("Gone"), file);
    EXPECT_EQ(LastPath::startFolder(fs, file), QString());
    EXPECT_EQ(LastPath::startFolder(fs, file, tree.key("Music")), tree.key("Music"));
}

} // namespace
