#include "core/load/CommandLine.h"
#include "core/load/FolderLoader.h"
#include "core/load/StartOptions.h"
#include "core/platform/FileNames.h"
#include "core/preview/PreviewList.h"
#include "support/PreviewFixture.h"
#include "support/TestApp.h"
#include "support/TestTree.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <optional>
#include <tuple>

namespace {

TEST(SplitCommandLine, FollowsTheQuoteRules)
{
    const std::pair<const char*, QStringList> cases[] = {
        {"", {}},
        {"   ", {}},
        {"  /a   /b  ", {"/a", "/b"}},
        {"\"/my photos\" \"/old stuff\"", {"/my photos", "/old stuff"}},
        {"\"/a b\"/c", {"/a b", "/c"}},
        {"\"unclosed quote", {"unclosed", "quote"}},
        {"\"\" x", {"", "x"}},
        {"/runscript=\"my script.vls\" /x", {"/runscript=\"my script.vls\"", "/x"}},
        {"/runscript=\"a b\"c d", {"/runscript=\"a b\"", "c", "d"}},
        {"/runscript=\"open end", {"/runscript=\"open", "end"}},
        {"a\"b\" c", {"a\"b\"", "c"}},
        {"/ümlaut \"/emoji 🌍\"", {"/ümlaut", "/emoji 🌍"}}};
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(SplitCommandLine(QString::fromUtf8(text)), expected) << text;
}

TEST(ArgumentsFromArgv, KeepsBytesThatAreNotUtf8)
{
    const char* argv[] = {"dirwright", "/tmp/caf\xE9", "/plain"};
    const QStringList arguments = ArgumentsFromArgv(3, argv);
    ASSERT_EQ(arguments.size(), 2);
    EXPECT_EQ(FileNames::encode(arguments.at(0)), QByteArray("/tmp/caf\xE9"));
    EXPECT_EQ(arguments.at(1), QStringLiteral("/plain"));
}

TEST(HandleArguments, LoadsFoldersTheFoldersOfFilesListFilesAndScripts)
{
    TestApp app;
    PreviewList list;
    FolderLoader loader{app.state(), list};
    int refreshes = 0;
    loader.onRefresh = [&] { ++refreshes; };
    TestTree tree({"My Photos/", "Old Stuff/a.txt=1", "A/", "lists dir/", "elsewhere/given.vls=3"});
    tree.write("lists dir/a.m3u", "#EXTM3U\n" + FileNames::encode(tree.path("A")) + "\n");
    QDir().mkpath(app.state().settingsFolder + QStringLiteral("Script"));
    QFile saved(app.state().settingsFolder + QStringLiteral("Script/20240131153045.vls"));
    ASSERT_TRUE(saved.open(QIODevice::WriteOnly));
    QStringList scripts;
    HandleArguments(
        SplitCommandLine(QStringLiteral("\"%1\" \"%2\" /nonexistent/x /unknown=1 /OpenFromFile=\"%3\" /openfromfile=")
                             .arg(tree.path("My Photos"), tree.path("Old Stuff/a.txt"), tree.path("lists dir/a.m3u"))) +
            QStringList{"/RUNSCRIPT=20240131153045.vls",
                        QStringLiteral("/runscript=\"%1\"").arg(tree.path("elsewhere/given.vls")),
                        "/runscript=missing.vls", "/runscript=", "/runscript=\"\""},
        app.state(), loader, [&](const QString& path) { scripts.append(path); });
    EXPECT_EQ(Keys(list), QStringList({tree.key("My Photos"), tree.key("Old Stuff"), tree.key("A")}));
    EXPECT_EQ(scripts, QStringList({saved.fileName(), tree.path("elsewhere/given.vls")}));
    EXPECT_EQ(refreshes, 3) << "before each script and at the end";
}

// ".." after a link leaves the link's target, as the kernel has it; one folder named several ways is one row.
TEST(HandleArguments, PathsMeanWhatTheKernelMeansAndEachFolderLoadsOnce)
{
    TestApp app;
    PreviewList list;
    FolderLoader loader{app.state(), list};
    TestTree tree({"x/", "y/deep/", "y/z/"});
    ASSERT_TRUE(tree.link(QStringLiteral("../y/deep"), "x/lk"));
    ASSERT_TRUE(tree.link(tree.path("y"), "x/ly"));
    HandleArguments({tree.path("x/lk/.."), tree.path("y"), tree.path("x/ly/."), tree.path("y/z/../../y/"),
                     tree.path("x/ly"), tree.path("x/lk/../z")},
                    app.state(), loader, {});
    // x/ly is listed as the link it is; the others are y and y/z.
    EXPECT_EQ(Keys(list), QStringList({tree.key("y"), tree.key("x/ly"), tree.key("y/z")}));
}

TEST(StartRequests, ListFileChoiceAndGuide)
{
    // arguments, choose list files when the window opens, guide section (nullopt: no guide)
    const std::tuple<const char*, QStringList, bool, std::optional<QString>> cases[] = {
        {"nothing", {"/home/me/Photos"}, false, std::nullopt},
        {"bare list option", {"/openfromfile"}, true, std::nullopt},
        {"empty list option", {"/OpenFromFile="}, true, std::nullopt},
        {"quoted empty", {"/openfromfile=\"\""}, true, std::nullopt},
        {"list file given", {"/openfromfile=/tmp/list.m3u"}, false, std::nullopt},
        {"guide", {"--guide"}, false, QString()},
        {"guide section", {"/x", "--guide=batch"}, false, QStringLiteral("batch")},
        {"not the guide", {"--guidebook"}, false, std::nullopt},
    };
    for (const auto& [name, arguments, choose, guide] : cases) {
        SCOPED_TRACE(name);
        EXPECT_EQ(WantsListFileChoice(arguments), choose);
        EXPECT_EQ(GuideRequest(arguments), guide);
    }
}

} // namespace
