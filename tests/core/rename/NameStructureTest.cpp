#include "core/rename/NameStructure.h"
#include "core/platform/PosixFileSystem.h"
#include "support/PreviewFixture.h"
#include "support/TestTree.h"

#include <QLocale>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <tuple>

namespace {

using Case = std::pair<const char*, const char*>; // structure, expected

class NameStructureTest : public ::testing::Test
{
protected:
    QString eval(const FolderEntry& e, const QString& structure)
    {
        const QString result = EvaluateStructure(e, structure, fs, english);
        EXPECT_TRUE(result.isValidUtf16()) << qPrintable(structure.left(40));
        return result;
    }
    QString eval(const char* name, const char* structure, const char* parent = "/D/Photos/")
    {
        return eval(MakeEntry(QString::fromUtf8(parent), QString::fromUtf8(name)), QString::fromUtf8(structure));
    }
    PosixFileSystem fs;
    QLocale english{QLocale::English, QLocale::UnitedStates};
};

TEST_F(NameStructureTest, PlaceholdersAndFunctions)
{
    // Base "Summer-trip" (11 characters), extension "2004", in /D/Photos/.
    const Case cases[] = {
        {"<NAME>|<EXT>|<.EXT>|<path>_<name>-<Ext>", "Summer-trip|2004|.2004|Photos_Summer-trip-2004"},
        {"", "Summer-trip.2004"},
        {"plain", "plain"},
        {"<NAME_L(3)>|<NAME_L(0)>|<NAME_L(-2)>|<NAME_L(99)>", "Sum|||Summer-trip"},
        {"<NAME_L(2.6)>|<name_l( 3 )>|<NAME_R(4)>", "Sum|Sum|trip"},
        {"<NAME_M(2,4)>|<NAME_M(4,2)>|<NAME_M(8,0)>|<NAME_M(-3,0)>", "umm|umm|trip|trip"},
        {"<NAME_M(0,3)>|<NAME_M(5,5)>|<NAME_M(-20,3)>|<NAME_M(2,-20)>|<NAME_M(20,30)>", "Sum|e|Sum|ummer-trip|"},
        {"<NAME_L(find(-))>|<NAME_L(find(-,1,-1))>|<NAME_L(FIND(-, 1, -1))>", "Summer-|Summer|Summer"},
        {"<NAME_L(find(x))>|<NAME_R(find(-))>|<NAME_M(find(-,1,1),find(p))>", "|er-trip|trip"},
        // find searches the whole name, extension included.
        {"<NAME_L(find(\"p.2\"))>|<NAME_L(find(\"-\",,2))>", "Summer-trip|Summer-tr"},
        {"<NAME_L(find(-)>", "Summer-"}, // find( without ")" takes the rest of the argument
        {"<NAME_L(a)>|<NAME_L(find(-)-1)>|<NAME_L(find(,1))>", "<No_Number>|<No_Number>|<No_Number>"},
        {"<NAME_L(find()>|<NAME_M(a,2)>", "<No_Number>|<No_Number>"},
        {"<NAME_L(1,2)>|<NAME_L()>|<NAME_M(3)>", "<ERROR>|<ERROR>|<ERROR>"},
        {"<NAME_L(3)", "<ERROR>"},
        {"<NAME_L(3>x<NAME_R(2)>", "<ERROR>xip"},
        {"<DT(X,yyyy)>|<DT(M)>|<DT(M,yyyy", "<Check_DT>|<Check_DT>|<Check_DT>"},
        // Numbers beyond 32 bits give nothing.
        {"<NAME_L(99999999999)><NAME_M(1,99999999999)><NAME_L(1e400)><NAME_L(find(-,1,99999999999))>", ""},
        {"<uc><name></uc>|<WC><NAME></WC>|<SC>aB</SC>", "SUMMER-TRIP|Summer-Trip|Ab"},
        {"<LC><UC>Ab</UC></LC>|<1C>sUMMER</1C>|<UC>a</UC>b<UC>c</UC>", "ab|Summer|AbC"},
        // Separator blocks: only an empty (or "x") first block goes; the marker is case-sensitive.
        {"a<IntChar>  <IntChar>b", "ab"},
        {"a<IntChar>x<IntChar>b", "ab"},
        {"a<IntChar>-<IntChar>b", "a<IntChar>-<IntChar>b"},
        {"a<intchar><intchar>b", "a<intchar><intchar>b"},
        {"<IntChar>y<IntChar><IntChar><IntChar>", "<IntChar>y<IntChar><IntChar><IntChar>"},
    };
    for (const auto& [structure, expected] : cases)
        EXPECT_EQ(eval("Summer-trip.2004", structure), QString::fromUtf8(expected)) << structure;
}

TEST_F(NameStructureTest, PassOrderAndOtherNames)
{
    const std::tuple<const char*, const char*, const char*> cases[] = {
        // "<LC>" runs after "<UC>" and wins where the pairs overlap, however they nest.
        {"x", "<UC><LC>ab</UC>cd</LC>", "abcd"},
        {"x", "<LC>ab<UC>cd</LC>ef</UC>", "abcdEF"},
        // "<NAME>" is resolved before the find( that searches for it...
        {"Summer-trip.2004", "<NAME_L(find(<NAME>))>", "S"},
        {"3.x", "<NAME_L(<NAME>)>", "3"},
        // ...but "<EXT>" is not, and its ">" ends the function tag, which then lacks its ")>".
        {"abcdef.2", "<NAME_L(<EXT>)>", "<ERROR>)>"},
        // Text taken from a name stays as it is: later passes find no tags in it, case tags around it
        // still convert it.
        {"a<EXT>b.z", "<NAME>", "a<EXT>b"},
        {"x<EXT>y.z", "<NAME>-1", "x<EXT>y-1"},
        {"a<UC>b</UC>", "<NAME>", "a<UC>b</UC>"},
        {"a<UC>b</UC>", "<LC><NAME></LC>", "a<uc>b</uc>"},
        {"p<IntChar>q", "<NAME><IntChar>x<IntChar>", "p<IntChar>q"},
        {"x.<DT(M,yyyy)>", "<EXT><.EXT>", "<DT(M,yyyy)>.<DT(M,yyyy)>"},
        {"a)>b", "<NAME_L(<NAME>)>|<NAME_R(2)>", "<No_Number>|>b"},
        // Stand-in characters in names and structures survive the evaluation.
        {"\uE000\uE002<.\uE001", "<NAME>\uE001<EXT>", "\uE000\uE002<\uE001\uE001"},
        {"LOG.TXT", "<1C><NAME></1C><1C><.EXT></1C>", "Log.Txt"},
        // A function whose value holds its own tag is not evaluated again (and does not loop).
        {"a<NAME_L(99)>b", "<NAME_L(99)>", "a<NAME_L(99)>b"},
        {"a<NAME_L(99)>b", "", "aa<NAME_L(99)>bb"},
        // Reversed or unpaired case tags leave the text alone.
        {"x", "</UC>abc<UC>", "</UC>abc<UC>"},
        {"x", "<UC>a</UC>b</UC>c<UC>d", "Ab</UC>c<UC>d"},
        // Word capitals in every alphabet; digits end a word, a combining mark does not.
        {"x", "<WC>o'neil-smith jr</WC>|<WC>o’brien</WC>", "O'neil-Smith Jr|O’brien"},
        {"x", "<WC>ёлка-палка</WC>|<WC>2nd take</WC>", "Ёлка-Палка|2Nd Take"},
        {"x", "<WC>e\u0301cole nai\u0308ve</WC>|<1C>e\u0301COLE</1C>", "E\u0301cole Nai\u0308ve|E\u0301cole"},
        {"x", "<1C>ǆungla</1C>|<UC>straße</UC>", "ǅungla|STRAßE"},
        // Positions count characters, not UTF-16 units.
        {"😀ab😀cd.𐐨", "<NAME_L(3)>|<NAME_R(3)>|<NAME_M(4,4)>", "😀ab|😀cd|😀"},
        {"😀ab😀cd.𐐨", "<NAME_L(find(c))>|<NAME_L(find(😀,2))>", "😀ab😀c|😀ab😀"},
        {"😀ab😀cd.𐐨", "<UC><NAME></UC>|<SC><.EXT></SC>", "😀AB😀CD|.𐐀"},
    };
    for (const auto& [name, structure, expected] : cases)
        EXPECT_EQ(eval(name, structure), QString::fromUtf8(expected)) << name << " / " << structure;
    // A parent directly under the root has no name; short names are the name on disk.
    EXPECT_EQ(eval("Trip", "<PATH>|<NAME>", "/"), "|Trip");
    EXPECT_EQ(eval("n.z", "<PATH>", "/D/x<EXT>y/"), "x<EXT>y");
    EXPECT_EQ(eval(MakeEntry(QStringLiteral("/D/"), QStringLiteral("Old.Name.txt"), QStringLiteral("New")),
                   QStringLiteral("<DOSNAME>|<DOSNAME_N>|<DOSNAME_E>|<NAME>")),
              "Old.Name.txt|Old.Name|.txt|New");
}

TEST_F(NameStructureTest, HugeMalformedStructuresFinish)
{
    // Each of these takes quadratic time (hours) when a pass splices or rescans per tag.
    const auto repeat = [](const char* piece, int times) { return QString::fromUtf8(piece).repeated(times); };
    const QString structures[] = {
        repeat("<NAME_L(1>", 50000) + QStringLiteral(")>"),
        QStringLiteral("<NAME_L(") + repeat("find(a)", 50000) + QStringLiteral(")>"),
        QStringLiteral("<NAME_M(find(") + repeat("(\"", 100000) + QStringLiteral(",2)>"),
        repeat("<UC><lc><1C>", 30000) + repeat("</1C></LC></UC>", 30000),
        repeat("</WC>x<WC>", 50000),
        repeat("<DT(M,yyyy)>", 20000),
        repeat("<NAME><.EXT><PATH><DOSNAME_E>", 20000),
    };
    const FolderEntry e = MakeEntry(QStringLiteral("/nonexistent-dirwright-test/"), "a-b.c");
    for (const QString& structure : structures)
        EXPECT_LE(eval(e, structure).size(), 2 * structure.size()) << qPrintable(structure.left(40));
}

TEST_F(NameStructureTest, DateTimeOfTheFolder)
{
    TestTree tree({QStringLiteral("Photos/Trip/")});
    const auto stamp = [](QDate date, QTime time) {
        return timespec{static_cast<time_t>(QDateTime(date, time).toSecsSinceEpoch()), 0};
    };
    const timespec times[2] = {stamp(QDate(2001, 12, 24), QTime(23, 5, 1)), stamp(QDate(2004, 3, 5), QTime(14, 7, 9))};
    ASSERT_EQ(utimensat(AT_FDCWD, QFile::encodeName(tree.path("Photos/Trip")).constData(), times, 0), 0);
    const FolderEntry e = MakeEntry(tree.key("Photos"), "Trip");
    const Case cases[] = {
        {"<DT(M,yyyy-mm-dd hh-nn-ss)>_<NAME>", "2004-03-05 14-07-09_Trip"},
        {"<DT(\"m\",\"dd. mmmm yyyy\")>", "05. March 2004"},
        {"<dt(a,yymmdd hh_nn AM/PM)>", "011224 11_05 PM"},
        {"<DT(A,\"dd, mm\")>", "24, 12"},
        {"<DT(M,yyyy)><DT(A,yyyy)>", "20042001"},
        {"<DT(M,\"'Day' dd\")>", "DAY 05"},
        {"<DT(M,d.m.yyyy)>", "5.3.2004"},
    };
    for (const auto& [structure, expected] : cases)
        EXPECT_EQ(eval(e, QString::fromUtf8(structure)), QString::fromUtf8(expected)) << structure;
    const std::optional<FolderTimes> read = fs.folderTimes(e.key());
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(eval(e, QStringLiteral("<DT(C,yyyy)>")),
              read->created.isValid() ? read->created.toString(QStringLiteral("yyyy")) : QStringLiteral("1899"));
    // Unreadable times give the zero date.
    EXPECT_EQ(eval("Gone", "<DT(M,yyyy-mm-dd hh-nn-ss)>", "/nonexistent-dirwright-test/"), "1899-12-30 00-00-00");
}

} // namespace
