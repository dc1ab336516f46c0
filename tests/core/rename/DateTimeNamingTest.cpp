#include "core/preview/PreviewList.h"
#include "core/rename/DateTimeParams.h"
#include "core/rename/RenameRun.h"
#include "core/rename/RenameSteps.h"
#include "core/script/DialogValues.h"
#include "support/PreviewFixture.h"
#include "support/TestApp.h"

#include <gtest/gtest.h>

namespace {

DialogValues values(std::initializer_list<std::pair<const char*, const char*>> pairs)
{
    DialogValues v;
    for (const auto& [key, value] : pairs)
        v.set(QLatin1String(key), DialogValues::encodeText(QString::fromUtf8(value)));
    return v;
}

TEST(DateTimeNaming, TheCreationTimeAsShownGoesBeforeOrAfterTheBaseName)
{
    TestApp app;
    PreviewList list;
    FolderEntry dated = MakeEntry(QStringLiteral("/p/"), QStringLiteral("Trip.old"));
    dated.created = QDateTime(QDate(2004, 3, 5), QTime(10, 0)).toSecsSinceEpoch();
    FolderEntry unknown = MakeEntry(QStringLiteral("/p/"), QStringLiteral("Lost"));
    unknown.created = PathInfo::kUnknownTime;
    struct Row
    {
        const char* name;
        DialogValues values;
        const char* dated;
        const char* unknown;
    };
    const Row rows[] = {
        {"before with a separator", values({{"txtFormat", "yyyy-mm-dd"}, {"chkIChr", "1"}, {"cmbIChr", "3"}}),
         "2004-03-05 _ Trip.old", "1980-01-01 _ Lost"},
        {"after without a separator", values({{"txtFormat", "yymmdd"}, {"opt1(1)", "-1"}, {"cmbIChr", "3"}}),
         "Trip040305.old", "Lost800101"},
        {"replaced base name",
         values({{"chkReplace", "1"}, {"txtRepName", "Scan"}, {"chkIChr", "1"}, {"cmbIChr", "4"}}),
         "2004-03-05_Scan.old", "1980-01-01_Scan"},
        {"empty format is the default", values({{"opt1(0)", "-1"}}), "2004-03-05Trip.old", "1980-01-01Lost"},
        {"classic codes", values({{"txtFormat", "d.m.yy 'week' ww, h'h'"}}), "5.3.04 week 10, 10hTrip.old",
         "1.1.80 week 1, 0hLost"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        list.clear();
        list.append(dated);
        list.append(unknown);
        RenameRun run(app.state(), list, 0);
        run.locale = QLocale(QLocale::English, QLocale::UnitedStates);
        EXPECT_TRUE(RenameSteps::run(9, row.values, run));
        EXPECT_EQ(list.entry(0).newName, QString::fromUtf8(row.dated));
        EXPECT_EQ(list.entry(1).newName, QString::fromUtf8(row.unknown));
    }
}

} // namespace
