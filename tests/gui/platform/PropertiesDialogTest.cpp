#include "gui/platform/PropertiesDialog.h"
#include "core/platform/PosixFileSystem.h"
#include "support/TestTree.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

TEST(FolderProperties, ReadsSizeTimesAndPermissions)
{
    TestTree tree({"F/a=1500", "F/Sub/b=548"});
    chmod(QFile::encodeName(tree.path("F")).constData(), 02755);
    PosixFileSystem fs;
    ASSERT_TRUE(
        fs.setFolderTime(tree.path("F"), FolderTimeKind::LastWrite, QDateTime(QDate(2020, 2, 29), QTime(1, 2, 3)))
            .ok());
    const FolderProperties p = FolderProperties::read(fs, tree.key("F"));
    EXPECT_EQ(p.path, tree.path("F"));
    EXPECT_EQ(p.size, 2048);
    EXPECT_EQ(p.lastWrite, QDateTime(QDate(2020, 2, 29), QTime(1, 2, 3)));
    ASSERT_TRUE(p.permissions);
    EXPECT_EQ(*p.permissions, 02755u);
    EXPECT_FALSE(FolderProperties::read(fs, tree.path("none")).exists);
}

TEST(FolderProperties, PermissionTextShowsSpecialBitsLikeLs)
{
    const std::pair<unsigned, const char*> cases[] = {
        {0755, "rwxr-xr-x"}, {01777, "rwxrwxrwt"}, {02750, "rwxr-s---"}, {04644, "rwSr--r--"}, {01000, "--------T"}};
    for (const auto& [mode, text] : cases)
        EXPECT_EQ(FolderProperties::permissionText(mode), QLatin1String(text)) << mode;
}

} // namespace
