#include "core/platform/PosixFileSystem.h"
#include "core/preview/PreviewList.h"
#include "core/rename/CsvFile.h"
#include "core/rename/CsvNamesParams.h"
#include "core/rename/CsvText.h"
#include "support/PreviewFixture.h"
#include "support/TestTree.h"

#include <gtest/gtest.h>

namespace {

QStringList texts(std::initializer_list<const char*> items)
{
    QStringList list;
    for (const char* item : items)
        list.append(QString::fromUtf8(item));
    return list;
}

TEST(CsvText, DetectSeparator)
{
    struct Row
    {
        const char* name;
        QStringList lines;
        const char* expected;
    };
    const Row rows[] = {
        {"tabs everywhere, commas in some lines", texts({"a\tb", "c,d\te", "f\tg"}), "\t"},
        {"comma and semicolon in every line", texts({"a,b;c", "d;e,f"}), ""},
        {"commas", texts({"a,b", "c,d"}), ","},
        {"semicolons, a comma in one line", texts({"a;b", "c,d;e"}), ";"},
        {"tab and comma in every line", texts({"a\tb,c", "d\te,f"}), ""},
        {"one line without any", texts({"a;b", "c"}), ""},
        {"blank lines do not count", texts({"a;b", "", "c;d", ""}), ";"},
        {"empty file", {}, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(DetectSeparator(row.lines), QString::fromUtf8(row.expected));
    }
}

TEST(CsvText, ParseCsvLine)
{
    struct Row
    {
        const char* name;
        const char* line;
        const char* separator;
        QStringList expected;
    };
    const Row rows[] = {
        {"blanks before fields dropped, empty field kept", "a; b;;d", ";", texts({"a", "b", "", "d", ""})},
        {"quoted field holds the separator", "\"x;y\";z", ";", texts({"x;y", "z", ""})},
        {"trailing blanks of a plain field kept", "a ;b", ";", texts({"a ", "b", ""})},
        {"quoted last field", "a;\"b c\"", ";", texts({"a", "b c", ""})},
        {"unclosed quote runs to the separator", "\"ab;c", ";", texts({"ab", "c", ""})},
        {"unclosed quote at the end runs to the end", "a;\"bc", ";", texts({"a", "bc", ""})},
        {"empty line: only the extra element", "", ";", texts({""})},
        {"separator at the end adds no field", "a;", ";", texts({"a", ""})},
        {"tab separator", "a\t\tb", "\t", texts({"a", "", "b", ""})},
        {"no separator: one field", "a;b", "", texts({"a;b", ""})},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(ParseCsvLine(QString::fromUtf8(row.line), QString::fromUtf8(row.separator)), row.expected);
    }
}

TEST(CsvNames, FillAndKeepExtension)
{
    CsvNamesParams params;
    params.structure = QStringLiteral("<F2> - <F1>");
    EXPECT_EQ(params.fill({QStringLiteral("Holiday"), QStringLiteral("2004"), {}, {}}),
              QStringLiteral("2004 - Holiday"));
    // A value is never searched for tokens.
    EXPECT_EQ(params.fill({QStringLiteral("<F2>"), QStringLiteral("x"), {}, {}}), QStringLiteral("x - <F2>"));

    struct Row
    {
        const char* name;
        const char* oldName;
        const char* newName;
        const char* expected;
    };
    const Row rows[] = {
        {"short extension replaced", "Photos.2004", "Trip.jpg", "Trip.2004"},
        {"long extension stays", "Photos.2004", "Trip.backup", "Trip.backup.2004"},
        {"no new extension", "Photos.2004", "Trip", "Trip.2004"},
        {"no old extension", "Photos", "Trip.jpg", "Trip"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(CsvNamesParams::keepExtensionOf(QString::fromUtf8(row.oldName), QString::fromUtf8(row.newName)),
                  QString::fromUtf8(row.expected));
    }
}

class CsvNamesList : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const char* name : {"Old", "OLD", "Other", "Name"})
            list.append(MakeEntry(QStringLiteral("/data/"), QString::fromUtf8(name)));
        list.append(MakeEntry(QStringLiteral("/data/sub/"), QStringLiteral("Old")));
        params.separator = QStringLiteral(";");
        params.matchColumn = 0;
        params.tokenColumns[0] = 1;
    }
    QStringList newNames() const
    {
        QStringList out;
        for (const FolderEntry& e : list.entries())
            out.append(e.newName);
        return out;
    }
    PreviewList list;
    CsvNamesParams params;
};

TEST_F(CsvNamesList, MatchesByNameOrPathFirstRowWins)
{
    int matched = 0;
    const CsvNamesProblem problem = applyCsvNames(
        list, texts({"Name;New", "/DATA/sub/old/;ByPath", "old;First", "Old;Second", "/data/Other;NoSlash"}), params,
        &matched);
    ASSERT_TRUE(problem.ok());
    // The header "Name" is never matched; the path row comes first in the file for the sub entry.
    EXPECT_EQ(newNames(), texts({"First", "First", "Other", "Name", "ByPath"}));
    EXPECT_EQ(matched, 3);
}

TEST_F(CsvNamesList, MatchByChoice)
{
    const QStringList lines = texts({"Name;New", "/data/Other;ByPath", "old;ByName"});
    params.matchBy = CsvNamesParams::MatchBy::Path;
    ASSERT_TRUE(applyCsvNames(list, lines, params).ok());
    EXPECT_EQ(newNames(), texts({"Old", "OLD", "ByPath", "Name", "Old"}));
}

TEST_F(CsvNamesList, RefusedFilesChangeNothing)
{
    struct Row
    {
        const char* name;
        QStringList lines;
        CsvNamesProblem::Kind kind;
        int line;
    };
    const Row rows[] = {
        {"header only", texts({"Name;New", ""}), CsvNamesProblem::Kind::NoRows, 0},
        {"a short row after good ones", texts({"Name;New", "Old;A", "", "Other"}), CsvNamesProblem::Kind::ShortRow, 4},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const CsvNamesProblem problem = applyCsvNames(list, row.lines, params);
        EXPECT_EQ(problem.kind, row.kind);
        EXPECT_EQ(problem.line, row.line);
        EXPECT_EQ(newNames(), texts({"Old", "OLD", "Other", "Name", "Old"}));
    }
}

TEST(CsvFile, EncodingsAndRefusals)
{
    TestTree tree;
    tree.write(QStringLiteral("bom.csv"), QByteArray("\xEF\xBB\xBF"
                                                     "Alt;Neu\r\nM\xC3\xBCnchen;x\r\n"));
    tree.write(QStringLiteral("ansi.csv"), QByteArray("Alt;Neu\nM\xFC"
                                                      "nchen;\x80\n"));
    tree.write(QStringLiteral("binary.csv"), QByteArray("Alt;Neu\n\0\x01\x02", 11));
    tree.write(QStringLiteral("header.csv"), QByteArray("Alt;Neu\r\n\r\n"));
    const PosixFileSystem fs;

    const CsvFile bom = CsvFile::read(fs, tree.path(QStringLiteral("bom.csv")));
    ASSERT_EQ(bom.problem(), CsvFile::Problem::None);
    EXPECT_EQ(bom.header(QStringLiteral(";")), texts({"Alt", "Neu"}));
    EXPECT_EQ(bom.lines().at(1), QStringLiteral("München;x"));
    const CsvFile ansi = CsvFile::read(fs, tree.path(QStringLiteral("ansi.csv")));
    ASSERT_EQ(ansi.problem(), CsvFile::Problem::None);
    EXPECT_EQ(ansi.lines().at(1), QStringLiteral("München;€"));

    EXPECT_EQ(CsvFile::read(fs, tree.path(QStringLiteral("binary.csv"))).problem(), CsvFile::Problem::NotText);
    EXPECT_EQ(CsvFile::read(fs, tree.path(QStringLiteral("header.csv"))).problem(), CsvFile::Problem::NoRows);
    EXPECT_EQ(CsvFile::read(fs, tree.path(QStringLiteral("missing.csv"))).problem(), CsvFile::Problem::Unreadable);
    EXPECT_EQ(CsvFile::read(fs, tree.root()).problem(), CsvFile::Problem::Unreadable);
}

} // namespace
