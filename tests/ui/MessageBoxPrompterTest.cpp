#include "platform/MessageBoxPrompter.h"
#include "platform/FileNames.h"
#include "platform/PropertySheet.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

struct FilterCase
{
    const char* ours;
    const char* qt;
};

void PrintTo(const FilterCase& c, std::ostream* os)
{
    *os << QString::fromUtf8(c.ours).replace(QLatin1Char(' '), QLatin1Char('_')).toStdString();
}

class FilterConversion : public ::testing::TestWithParam<FilterCase>
{};

TEST_P(FilterConversion, GivesQtNameFilters)
{
    EXPECT_EQ(MessageBoxPrompter::qtFilter(QString::fromUtf8(GetParam().ours)), QString::fromUtf8(GetParam().qt));
}

INSTANTIATE_TEST_SUITE_P(Table, FilterConversion,
                         ::testing::Values(FilterCase{"*.*|*.*|m3u Playlist|*.m3u|pls Playlist|*.pls",
                                                      "*.* (*);;m3u Playlist (*.m3u);;pls Playlist (*.pls)"},
                                           FilterCase{"Pictures|*.jpg;*.png|Text (plain)|*.txt",
                                                      "Pictures (*.jpg *.png);;Text [plain] (*.txt)"},
                                           FilterCase{"CSV| *.csv ; *.txt |Odd", "CSV (*.csv *.txt)"},
                                           FilterCase{"Empty||", "Empty (*)"}, FilterCase{"", ""}));

TEST(PropertySheet, FileUrlKeepsEveryByteOfThePath)
{
    EXPECT_EQ(PropertySheet::fileUrl(QStringLiteral("/a b/#x/")), QStringLiteral("file:///a%20b/%23x"));
    EXPECT_EQ(PropertySheet::fileUrl(FileNames::decode(QByteArray("/caf\xE9", 5))), QStringLiteral("file:///caf%E9"));
    EXPECT_EQ(PropertySheet::fileUrl(QString::fromUtf8("/M\xC3\xBCnchen")), QStringLiteral("file:///M%C3%BCnchen"));
}

} // namespace
