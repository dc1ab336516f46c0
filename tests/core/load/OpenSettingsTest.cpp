#include "core/load/OpenSettings.h"
#include "core/platform/PosixFileSystem.h"
#include "core/settings/Settings.h"
#include "support/TestTree.h"

#include <gtest/gtest.h>

namespace {

TEST(OpenChecks, ReadAndWriteTheBitsOfTheSettingsKey)
{
    for (int bits = 0; bits < 8; ++bits)
        EXPECT_EQ(OpenChecks::fromBits(bits).bits(), bits);
    EXPECT_EQ(OpenChecks::fromBits(-1), OpenChecks{});
    Settings settings;
    EXPECT_EQ(OpenChecks::read(settings), OpenChecks{}) << "nothing stored: all unchecked";
    (OpenChecks{true, true, false}).write(settings);
    EXPECT_EQ(settings.document().value("frmOpen", "chkOpen"), QStringLiteral("3"));
    settings.document().setValue("frmOpen", "chkOpen", "5");
    EXPECT_EQ(OpenChecks::read(settings), (OpenChecks{true, false, true}));
}

TEST(LastPath, SavesTheShownFolderOnlyWhenSomethingWasLoadedAndStartsThere)
{
    EXPECT_EQ(LastPath::valueToSave("/data/Photos", true), QStringLiteral("/data/Photos/"));
    EXPECT_EQ(LastPath::valueToSave("/data/Photos/", false), QString());
    EXPECT_EQ(LastPath::valueToSave("/", true), QString());
    EXPECT_EQ(LastPath::valueToSave(QString(), true), QString());

    TestTree tree({"Photos/", "Music/"});
    Settings settings;
    PosixFileSystem fs;
    EXPECT_EQ(LastPath::startFolder(fs, settings), QString());
    LastPath::store(settings, tree.key("Photos"), true);
    EXPECT_EQ(LastPath::startFolder(fs, settings), tree.key("Photos"));
    settings.setText(Settings::Key::LastPath, tree.path("Gone"));
    EXPECT_EQ(LastPath::startFolder(fs, settings), QString());
    EXPECT_EQ(LastPath::startFolder(fs, settings, tree.key("Music")), tree.key("Music"));
}

} // namespace
