#include "load/CommandLine.h"
#include "app/PreviewList.h"
#include "load/FolderLoader.h"
#include "platform/FileNames.h"
#include "support/TestApp.h"
#include "support/TestTree.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <ostream>

namespace {

struct SplitCase
{
    const char* text;
    QStringList expected;
};

// Readable test names: the command line with quotes and blanks made visible.
void PrintTo(const SplitCase& c, std::ostream* os)
{
    *os << QString::fromUtf8(c.text)
               .replace(QLatin1Char('"'), QLatin1Char('`'))
               .replace(QLatin1Char(' '), QLatin1Char('_'))
               .toStdString();
}

class SplitCommandLineCases : public ::testing::TestWithParam<SplitCase>
{};

TEST_P(SplitCommandLineCases, FollowTheQuoteRules)
{
    EXPECT_EQ(SplitCommandLine(QString::fromUtf8(GetParam().text)), GetParam().expected) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Table, SplitCommandLineCases,
    ::testing::Values(SplitCase{"", {}}, SplitCase{"   ", {}}, SplitCase{"/a /b", {"/a", "/b"}},
                      SplitCase{"  /a   /b  ", {"/a", "/b"}},
                      SplitCase{"\"/my photos\" \"/old stuff\"", {"/my photos", "/old stuff"}},
                      SplitCase{"\"/my photos\" /plain", {"/my photos", "/plain"}},
                      SplitCase{"\"/a b\"/c", {"/a b", "/c"}}, SplitCase{"\"unclosed quote", {"unclosed", "quote"}},
                      SplitCase{"\"unclosed", {"unclosed"}}, SplitCase{"\"\" x", {"", "x"}},
                      SplitCase{"/runscript=\"my script.vls\" /x", {"/runscript=\"my script.vls\"", "/x"}},
                      SplitCase{"/runscript=\"a b\"c d", {"/runscript=\"a b\"", "c", "d"}},
                      SplitCase{"/runscript=\"open end", {"/runscript=\"open", "end"}},
                      SplitCase{"a\"b\" c", {"a\"b\"", "c"}},
                      SplitCase{"/ümlaut \"/emoji 🌍\"", {"/ümlaut", "/emoji 🌍"}}));

class HandleArgumentsTest : public ::testing::Test
{
protected:
    HandleArgumentsTest()
    {
        loader.onRefresh = [this] { ++refreshes; };
    }

    void run(const QStringList& arguments)
    {
        HandleArguments(arguments, app.state(), loader, [this](const QString& path) { scripts.append(path); });
    }
    QStringList keys() const
    {
        QStringList result;
        for (const FolderEntry& e : list.entries())
            result.append(e.key);
        return result;
    }

    TestApp app;
    PreviewList list;
    FolderLoader loader{app.state(), list};
    QStringList scripts;
    int refreshes = 0;
};

TEST_F(HandleArgumentsTest, LoadsFoldersAndTheFoldersOfFiles)
{
    TestTree tree({"My Photos/", "Old Stuff/a.txt=1"});
    run(SplitCommandLine(QStringLiteral("\"%1\" \"%2\" /nonexistent/x /unknown=1")
                             .arg(tree.path("My Photos"), tree.path("Old Stuff/a.txt"))));
    EXPECT_EQ(keys(), QStringList({tree.key("My Photos"), tree.key("Old Stuff")}));
    EXPECT_EQ(refreshes, 1);
}

TEST_F(HandleArgumentsTest, OpenFromFileIgnoresCaseOfTheOptionAndQuotesInTheValue)
{
    TestTree tree({"A/", "B/", "lists dir/"});
    QFile list(tree.path("lists dir/a.m3u"));
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write("#EXTM3U\n" + FileNames::encode(tree.path("A")) + "\n");
    list.close();
    run({QStringLiteral("/OpenFromFile=\"%1\"").arg(tree.path("lists dir/a.m3u")), QStringLiteral("/openfromfile="),
         tree.path("B")});
    EXPECT_EQ(keys(), QStringList({tree.key("A"), tree.key("B")}));
}

TEST_F(HandleArgumentsTest, RunScriptFindsTheScriptByPathOrInTheScriptFolder)
{
    TestTree tree({"elsewhere/given.vls=3"});
    QDir().mkpath(app.state().settingsFolder + QStringLiteral("Script"));
    QFile saved(app.state().settingsFolder + QStringLiteral("Script/20240131153045.vls"));
    ASSERT_TRUE(saved.open(QIODevice::WriteOnly));
    saved.close();

    run({QStringLiteral("/RUNSCRIPT=20240131153045.vls"),
         QStringLiteral("/runscript=\"%1\"").arg(tree.path("elsewhere/given.vls")),
         QStringLiteral("/runscript=missing.vls"), QStringLiteral("/runscript="), QStringLiteral("/runscript=\"\"")});
    EXPECT_EQ(scripts, QStringList({saved.fileName(), tree.path("elsewhere/given.vls")}));
    EXPECT_EQ(refreshes, 3) << "before each script and at the end";
}

TEST(ArgumentsFromArgv, KeepsBytesThatAreNotUtf8)
{
    const char* argv[] = {"dirwright", "/tmp/caf\xE9", "/plain"};
    const QStringList arguments = ArgumentsFromArgv(3, argv);
    ASSERT_EQ(arguments.size(), 2);
    EXPECT_EQ(FileNames::encode(arguments.at(0)), QByteArray("/tmp/caf\xE9"));
    EXPECT_EQ(arguments.at(1), QStringLiteral("/plain"));
}

} // namespace
