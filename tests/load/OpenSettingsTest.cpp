#include "load/OpenSettings.h"
#include "platform/PosixFileSystem.h"
#include "settings/SettingsStore.h"
#include "support/TestTree.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(OpenChecks, BitsRoundTrip)
{
    EXPECT_EQ(OpenChecks::fromBits(5), (OpenChecks{true, false, true}));
    EXPECT_EQ(OpenChecks::fromBits(2), (OpenChecks{false, true, false}));
    EXPECT_EQ(OpenChecks::fromBits(-1), OpenChecks{});
    for (int bits = 0; bits < 8; ++bits)
        EXPECT_EQ(OpenChecks::fromBits(bits).bits(), bits);
}

TEST(OpenChecks, ReadsAndWritesTheSettingsKey)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("settings.vlp"));
    EXPECT_EQ(OpenChecks::read(file), OpenChecks{}); // no file: all unchecked
    ASSERT_TRUE((OpenChecks{true, true, false}).write(file));
    EXPECT_EQ(ReadSetting(QStringLiteral("frmOpen"), QStringLiteral("chkOpen"), file), QStringLiteral("3"));
    WriteSetting(QStringLiteral("frmOpen"), QStringLiteral("chkOpen"), QStringLiteral("5"), file);
    EXPECT_EQ(OpenChecks::read(file), (OpenChecks{true, false, true}));
}

TEST(LastPath, SavesTheShownFolderOnlyWhenSomethingWasLoaded)
{
    EXPECT_EQ(LastPath::valueToSave(QStringLiteral("/data/Photos/"), true), QStringLiteral("/data/Photos/"));
    EXPECT_EQ(LastPath::valueToSave(QStringLiteral("/data/Photos"), true), QStringLiteral("/data/Photos/"));
    EXPECT_EQ(LastPath::valueToSave(QStringLiteral("/data/Photos/"), false), QString());
    EXPECT_EQ(LastPath::valueToSave(QStringLiteral("/"), true), QString());
    EXPECT_EQ(LastPath::valueToSave(QString(), true), QString());
}

TEST(LastPath, StartsInTheStoredFolderOrFallsBack)
{
    TestTree tree({QStringLiteral("Photos/"), QStringLiteral("Music/")});
    const QString file = tree.path(QStringLiteral("settings.vlp"));
    PosixFileSystem fs;
    EXPECT_EQ(LastPath::startFolder(fs, file), QString());

    ASSERT_TRUE(LastPath::save(file, tree.key(QStringLiteral("Photos")), true));
    EXPECT_EQ(LastPath::startFolder(fs, file), tree.key(QStringLiteral("Photos")));

    WriteSetting(QStringLiteral("Settings"), QStringLiteral("lastpath"), tree.path(QStringLiteral("Gone")), file);
    EXPECT_EQ(LastPath::startFolder(fs, file), QString());
    EXPECT_EQ(LastPath::startFolder(fs, file, tree.key(QStringLiteral("Music"))), tree.key(QStringLiteral("Music")));
}

} // namespace
