#include "rename/NameStructure.h"
#include "app/FolderEntry.h"
#include "platform/PosixFileSystem.h"
#include "support/TestTree.h"

#include <QLocale>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

FolderEntry makeEntry(const QString& parentPath, const QString& newName, const QString& oldName = QString())
{
    FolderEntry e;
    e.col[FolderEntry::ColParentPath] = parentPath;
    e.col[FolderEntry::ColOldName] = oldName.isEmpty() ? newName : oldName;
    e.col[FolderEntry::ColNewName] = newName;
    e.key = parentPath + e.col[FolderEntry::ColOldName] + QLatin1Char('/');
    return e;
}

// Counts how often the evaluator asks for folder times.
class CountingFileSystem : public PosixFileSystem
{
public:
    std::optional<FolderTimes> folderTimes(const QString& path) const override
    {
        ++calls;
        return PosixFileSystem::folderTimes(path);
    }
    mutable int calls = 0;
};

class NameStructureTest : public ::testing::Test
{
protected:
    QString eval(const char* name, const char* structure, const char* parent = "/D/Photos/")
    {
        const FolderEntry e = makeEntry(QString::fromUtf8(parent), QString::fromUtf8(name));
        const QString result = EvaluateStructure(e, QString::fromUtf8(structure), fs, english);
        EXPECT_TRUE(result.isValidUtf16()) << structure;
        return result;
    }

    CountingFileSystem fs;
    QLocale english{QLocale::English, QLocale::UnitedStates};
};

struct Case
{
    const char* structure;
    const char* expected;
};

TEST_F(NameStructureTest, PlaceholdersAndFunctions)
{
    // Base "Summer-trip" (11 characters), extension "2004", in /D/Photos/.
    const Case cases[] = {
        {"<NAME>", "Summer-trip"},
        {"<EXT>", "2004"},
        {"<.EXT>", ".2004"},
        {"<PATH>_<NAME>", "Photos_Summer-trip"},
        {"<name>-<Ext>-<path>", "Summer-trip-2004-Photos"},
        {"", "Summer-trip.2004"},
        {"plain", "plain"},
        {"<NAME_L(3)>", "Sum"},
        {"<NAME_R(4)>", "trip"},
        {"<NAME_L(0)>", ""},
        {"<NAME_L(-2)>", ""},
        {"<NAME_L(99)>", "Summer-trip"},
        {"<NAME_L(2.6)>", "Sum"},
        {"<name_l( 3 )>", "Sum"},
        {"<NAME_M(2,4)>", "umm"},
        {"<NAME_M(4,2)>", "umm"},
        {"<NAME_M(8,0)>", "trip"},
        {"<NAME_M(-3,0)>", "trip"},
        {"<NAME_M(0,3)>", "Sum"},
        {"<NAME_M(5,5)>", "e"},
        {"<NAME_M(-20,3)>", "Sum"},
        {"<NAME_M(2,-20)>", "ummer-trip"},
        {"<NAME_M(20,30)>", ""},
        {"<NAME_L(find(-))>", "Summer-"},
        {"<NAME_L(find(-,1,-1))>", "Summer"},
        {"<NAME_L(FIND(-, 1, -1))>", "Summer"},
        {"<NAME_L(find(x))>", ""},
        {"<NAME_R(find(-))>", "er-trip"},
        {"<NAME_M(find(-,1,1),find(p))>", "trip"},
        // find searches the whole name, extension included.
        {"<NAME_L(find(\"p.2\"))>", "Summer-trip"},
        {"<NAME_L(find(\"-\",,2))>", "Summer-tr"},
        {"<NAME_L(find(-)>", "Summer-"}, // find( without ")" takes the rest of the argument
        // Errors.
        {"<NAME_L(a)>", "<No_Number>"},
        {"<NAME_L(find(-)-1)>", "<No_Number>"},
        {"<NAME_L(find(,1))>", "<No_Number>"},
        {"<NAME_L(find()>", "<No_Number>"},
        {"<NAME_L(1,2)>", "<ERROR>"},
        {"<NAME_L()>", "<ERROR>"},
        {"<NAME_M(3)>", "<ERROR>"},
        {"<NAME_M(a,2)>", "<No_Number>"},
        {"<NAME_L(3)", "<ERROR>"},
        {"<NAME_L(3>x", "<ERROR>x"},
        {"<NAME_L(3>x<NAME_R(2)>", "<ERROR>xip"},
        {"<DT(X,yyyy)>", "<Check_DT>"},
        {"<DT(M)>", "<Check_DT>"},
        {"<DT(M,yyyy", "<Check_DT>"},
        // Numbers beyond 32 bits give nothing.
        {"<NAME_L(99999999999)>", ""},
        {"<NAME_M(1,99999999999)>", ""},
        {"<NAME_L(1e400)>", ""},
        {"<NAME_L(find(-,1,99999999999))>", ""},
        // Case functions.
        {"<uc><name></uc>", "SUMMER-TRIP"},
        {"<WC><NAME></WC>", "Summer-Trip"},
        {"<SC>aB</SC>", "Ab"},
        {"<LC><UC>Ab</UC></LC>", "ab"},
        {"<1C>sUMMER</1C>", "Summer"},
        {"<UC>a</UC>b<UC>c</UC>", "AbC"},
        // Separator blocks: only an empty (or "x") first block goes; the marker is case-sensitive.
        {"a<IntChar>  <IntChar>b", "ab"},
        {"a<IntChar>x<IntChar>b", "ab"},
        {"a<IntChar>-<IntChar>b", "a<IntChar>-<IntChar>b"},
        {"a<intchar><intchar>b", "a<intchar><intchar>b"},
        {"<IntChar>y<IntChar><IntChar><IntChar>", "<IntChar>y<IntChar><IntChar><IntChar>"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(eval("Summer-trip.2004", c.structure), QString::fromUtf8(c.expected)) << c.structure;
    EXPECT_EQ(fs.calls, 0) << "folder times asked for without a <DT( tag";
}

TEST_F(NameStructureTest, PassOrder)
{
    // "<LC>" runs after "<UC>" and wins where the pairs overlap, however they nest.
    EXPECT_EQ(eval("x", "<UC><LC>ab</UC>cd</LC>"), QStringLiteral("abcd"));
    EXPECT_EQ(eval("x", "<LC>ab<UC>cd</LC>ef</UC>"), QStringLiteral("abcdEF"));
    // "<NAME>" is resolved before the find( that searches for it...
    EXPECT_EQ(eval("Summer-trip.2004", "<NAME_L(find(<NAME>))>"), QStringLiteral("S"));
    EXPECT_EQ(eval("3.x", "<NAME_L(<NAME>)>"), QStringLiteral("3"));
    // Later passes see the values of earlier ones.
    EXPECT_EQ(eval("a<EXT>b.z", "<NAME>"), QStringLiteral("azb"));
    // Case tags coming from the name itself are applied, since case passes come last.
    EXPECT_EQ(eval("a<UC>b</UC>", "<NAME>"), QStringLiteral("aB"));
    EXPECT_EQ(eval("LOG.TXT", "<1C><NAME></1C><1C><.EXT></1C>"), QStringLiteral("Log.Txt"));
}

TEST_F(NameStructureTest, ValuesAreNotEvaluatedAgainByTheirOwnPass)
{
    // A name may hold "<" and ">" here; a function whose value holds its own tag must not loop.
    EXPECT_EQ(eval("a<NAME_L(99)>b", "<NAME_L(99)>"), QStringLiteral("a<NAME_L(99)>b"));
    EXPECT_EQ(eval("a<NAME_L(99)>b", ""), QStringLiteral("aa<NAME_L(99)>bb"));
}

TEST_F(NameStructureTest, AFunctionTagEndsAtItsFirstGreaterThan)
{
    // "<EXT>" is not resolved yet when the length functions run, and its ">" ends the tag: the argument
    // list has no closing ")>", so the tag is an error and the rest stays.
    EXPECT_EQ(eval("abcdef.2", "<NAME_L(<EXT>)>"), QStringLiteral("<ERROR>)>"));
    EXPECT_EQ(eval("abcdef.2", "<NAME_L(a>b)><NAME_R(2)>"), QStringLiteral("<ERROR>b)>ef"));
}

TEST_F(NameStructureTest, ReversedOrUnpairedCaseTagsLeaveTheTextAlone)
{
    EXPECT_EQ(eval("x", "</UC>abc<UC>"), QStringLiteral("</UC>abc<UC>"));
    EXPECT_EQ(eval("x", "<UC>a</UC>b</UC>c<UC>d"), QStringLiteral("Ab</UC>c<UC>d"));
    EXPECT_EQ(eval("x", "<WC>no end"), QStringLiteral("<WC>no end"));
}

TEST_F(NameStructureTest, HugeMalformedStructuresFinish)
{
    // Each of these takes quadratic time (hours) when a pass splices or rescans per tag.
    const auto repeat = [](const char* piece, int times) { return QString::fromUtf8(piece).repeated(times); };
    const QString structures[] = {
        repeat("<NAME_L(1>", 50000) + QStringLiteral(")>"),
        QStringLiteral("<NAME_L(") + repeat("find(a)", 50000) + QStringLiteral(")>"),
        QStringLiteral("<NAME_M(find(") + repeat("(\"", 100000) + QStringLiteral(",2)>"),
        repeat("<NAME_R(find(-,1,-1))>", 20000),
        repeat("<UC><lc><1C>", 30000) + repeat("</1C></LC></UC>", 30000),
        repeat("</WC>x<WC>", 50000),
        repeat("<DT(M,yyyy)>", 20000),
        repeat("<IntChar>", 50000),
        repeat("<NAME><.EXT><PATH><DOSNAME_E>", 20000),
    };
    for (const QString& structure : structures) {
        const FolderEntry e = makeEntry(QStringLiteral("/nonexistent-dirwright-test/"), QStringLiteral("a-b.c"));
        const QString result = EvaluateStructure(e, structure, fs, english);
        EXPECT_TRUE(result.isValidUtf16());
        EXPECT_LE(result.size(), 2 * structure.size()) << qPrintable(structure.left(40));
    }
}

TEST_F(NameStructureTest, ParentFolderDirectlyUnderTheRootIsEmpty)
{
    EXPECT_EQ(eval("Trip", "<PATH>|<NAME>", "/"), QStringLiteral("|Trip"));
    EXPECT_EQ(eval("Trip", "<PATH>", "/home/"), QStringLiteral("home"));
}

TEST_F(NameStructureTest, ShortNamesAreTheNameOnDisk)
{
    const FolderEntry e = makeEntry(QStringLiteral("/D/"), QStringLiteral("New"), QStringLiteral("Old.Name.txt"));
    EXPECT_EQ(EvaluateStructure(e, QStringLiteral("<DOSNAME>|<DOSNAME_N>|<DOSNAME_E>|<NAME>"), fs, english),
              QStringLiteral("Old.Name.txt|Old.Name|.txt|New"));
}

TEST_F(NameStructureTest, WordCapitalsFollowEveryAlphabet)
{
    const Case cases[] = {
        {"<WC>o'neil-smith jr</WC>", "O'neil-Smith Jr"},
        {"<WC>ёлка-палка</WC>", "Ёлка-Палка"},
        {"<WC>αβγ δεζ</WC>", "Αβγ Δεζ"},
        {"<WC>o’brien</WC>", "O’brien"},
        // Digits end a word.
        {"<WC>2nd take</WC>", "2Nd Take"},
        // A combining mark belongs to the letter before it and does not start a word.
        {"<WC>e\u0301cole nai\u0308ve</WC>", "E\u0301cole Nai\u0308ve"},
        {"<1C>e\u0301COLE</1C>", "E\u0301cole"},
        {"<1C>ǆungla</1C>", "ǅungla"},
        {"<UC>straße</UC>", "STRAßE"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(eval("x", c.structure), QString::fromUtf8(c.expected)) << c.structure;
}

TEST_F(NameStructureTest, PositionsCountCharactersNotUtf16Units)
{
    const Case cases[] = {
        {"<NAME_L(3)>", "😀ab"},         {"<NAME_R(3)>", "😀cd"},          {"<NAME_M(4,4)>", "😀"},
        {"<NAME_L(find(c))>", "😀ab😀c"}, {"<NAME_L(find(😀,2))>", "😀ab😀"}, {"<UC><NAME></UC>", "😀AB😀CD"},
        {"<SC><.EXT></SC>", ".𐐀"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(eval("😀ab😀cd.𐐨", c.structure), QString::fromUtf8(c.expected)) << c.structure;
    EXPECT_EQ(eval("שלום-עולם.txt", "<NAME_L(4)><NAME_R(1)>"), QString::fromUtf8("שלוםם"));
}

class NameStructureTimesTest : public NameStructureTest
{
protected:
    void setTimes(const QString& path, const QDateTime& access, const QDateTime& write)
    {
        struct timespec times[2];
        times[0].tv_sec = static_cast<time_t>(access.toSecsSinceEpoch());
        times[0].tv_nsec = 0;
        times[1].tv_sec = static_cast<time_t>(write.toSecsSinceEpoch());
        times[1].tv_nsec = 0;
        ASSERT_EQ(utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);
    }
};

TEST_F(NameStructureTimesTest, DateTimeOfTheFolder)
{
    TestTree tree({QStringLiteral("Photos/Trip/")});
    setTimes(tree.path(QStringLiteral("Photos/Trip")), QDateTime(QDate(2001, 12, 24), QTime(23, 5, 1)),
             QDateTime(QDate(2004, 3, 5), QTime(14, 7, 9)));
    const FolderEntry e = makeEntry(tree.key(QStringLiteral("Photos")), QStringLiteral("Trip"));
    const Case cases[] = {
        {"<DT(M,yyyy-mm-dd hh-nn-ss)>_<NAME>", "2004-03-05 14-07-09_Trip"},
        {"<DT(\"m\",\"dd. mmmm yyyy\")>", "05. March 2004"},
        {"<dt(a,yymmdd hh_nn AM/PM)>", "011224 11_05 PM"},
        {"<DT(A,\"dd, mm\")>", "24, 12"},
        {"<DT(M,yyyy)><DT(A,yyyy)>", "20042001"},
        {"<DT(M,\"Day dd\")>", "DAY 05"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(EvaluateStructure(e, QString::fromUtf8(c.structure), fs, english), QString::fromUtf8(c.expected))
            << c.structure;
    // Asked once per evaluation, however many DT tags there are.
    EXPECT_EQ(fs.calls, static_cast<int>(std::size(cases)));

    const std::optional<FolderTimes> times = fs.folderTimes(e.key);
    ASSERT_TRUE(times.has_value());
    const QString created =
        times->created.isValid() ? times->created.toString(QStringLiteral("yyyy")) : QStringLiteral("1899");
    EXPECT_EQ(EvaluateStructure(e, QStringLiteral("<DT(C,yyyy)>"), fs, english), created);
}

TEST_F(NameStructureTimesTest, UnreadableTimesGiveTheZeroDate)
{
    const FolderEntry e = makeEntry(QStringLiteral("/nonexistent-dirwright-test/"), QStringLiteral("Gone"));
    EXPECT_EQ(EvaluateStructure(e, QStringLiteral("<DT(M,yyyy-mm-dd hh-nn-ss)>"), fs, english),
              QStringLiteral("1899-12-30 00-00-00"));
}

} // namespace
