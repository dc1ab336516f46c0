#include "gui/platform/MessageBoxPrompter.h"
#include "core/platform/FileNames.h"
#include "gui/platform/PropertySheet.h"

#include <gtest/gtest.h>

namespace {

TEST(MessageBoxPrompter, FiltersBecomeQtNameFilters)
{
    const std::pair<const char*, const char*> cases[] = {
        {"*.*|*.*|m3u Playlist|*.m3u|pls Playlist|*.pls", "*.* (*);;m3u Playlist (*.m3u);;pls Playlist (*.pls)"},
        {"Pictures|*.jpg;*.png|Text (plain)|*.txt", "Pictures (*.jpg *.png);;Text [plain] (*.txt)"},
        {"CSV| *.csv ; *.txt |Odd", "CSV (*.csv *.txt)"},
        {"Empty||", "Empty (*)"},
        {"", ""}};
    for (const auto& [ours, qt] : cases)
        EXPECT_EQ(MessageBoxPrompter::qtFilter(QString::fromUtf8(ours)), QString::fromUtf8(qt)) << ours;
}

TEST(PropertySheet, FileUrlKeepsEveryByteOfThePath)
{
    EXPECT_EQ(PropertySheet::fileUrl(QStringLiteral("/a b/#x/")), QStringLiteral("file:///a%20b/%23x"));
    EXPECT_EQ(PropertySheet::fileUrl(FileNames::decode(QByteArray("/caf\xE9", 5))), QStringLiteral("file:///caf%E9"));
    EXPECT_EQ(PropertySheet::fileUrl(QString::fromUtf8("/M\xC3\xBCnchen")), QStringLiteral("file:///M%C3%BCnchen"));
}

} // namespace
