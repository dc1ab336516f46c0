#include "core/rename/StructureLibrary.h"
#include "core/platform/PosixFileSystem.h"
#include "core/rename/CsvLine.h"
#include "core/rename/NameStructure.h"
#include "core/rename/StructureCheck.h"
#include "core/settings/IniDocument.h"
#include "core/settings/TextCodec.h"
#include "support/PreviewFixture.h"
#include "support/WriteTextFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using Entries = QList<NamedStructure>;

TEST(StructureLibraryTest, WritesAHeaderAndOneLinePerStructure)
{
    StructureLibrary library;
    library.entries = {{"Date first", "<DT(C,yyyy-mm-dd)>_<NAME>"}, {"Upper", "<UC><NAME></UC><.EXT>"}};
    EXPECT_EQ(library.text(), "Name;Structure;\nDate first;<DT(C,yyyy-mm-dd)>_<NAME>;\nUpper;<UC><NAME></UC><.EXT>;\n");
}

TEST(StructureLibraryTest, EveryNameAndStructureComesBackAsItWasWritten)
{
    const struct
    {
        const char* row;
        NamedStructure entry;
        const char* line; // how it is written
    } rows[] = {
        {"plain", {"Upper", "<UC><NAME></UC>"}, "Upper;<UC><NAME></UC>;"},
        {"semicolon in the structure", {"Semi", "<NAME>;<EXT>"}, "Semi;\"<NAME>;<EXT>\";"},
        {"semicolon in the name", {"A;B", "<NAME>"}, "\"A;B\";<NAME>;"},
        {"bar in the name", {"Photos|2004", "<NAME>"}, "|Photos|2004;<NAME>;"},
        {"bar in the structure only", {"Bar", "<NAME>|<EXT>"}, "|Bar;<NAME>|<EXT>;"},
        {"bar and semicolon", {"x|y;z", "a;b|c"}, "\"|x|y;z\";\"a;b|c\";"},
        {"quotes and a semicolon", {"Quoted", "<DT(C,\"yyyy;mm\")>"}, "Quoted;\"<DT(C,\"yyyy;mm\")>\";"},
        {"leading quote", {"\"Best\"", "<NAME>"}, "\"\"Best\"\";<NAME>;"},
        {"leading blank", {" Indented", " <NAME>"}, "\" Indented\";\" <NAME>\";"},
        {"commas", {"Middle", "<NAME_M(2,4)>"}, "Middle;<NAME_M(2,4)>;"},
    };
    StructureLibrary all;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.row);
        StructureLibrary one;
        one.entries = {row.entry};
        EXPECT_EQ(one.text().section('\n', 1, 1), QString::fromUtf8(row.line));
        EXPECT_EQ(StructureLibrary::parse(one.text()).entries, one.entries);
        all.entries.append(row.entry);
    }
    // Together, and through the disk.
    QTemporaryDir dir;
    PosixFileSystem fs;
    const QString path = dir.filePath("structures.vlp");
    ASSERT_TRUE(all.write(fs, path).ok());
    EXPECT_EQ(StructureLibrary::read(fs, path).entries, all.entries);
}

TEST(StructureLibraryTest, TheSeparatorIsTheOneInEveryLine)
{
    const struct
    {
        const char* row;
        const char* text;
        Entries expected;
    } rows[] = {
        {"semicolons", "Name;Structure;\nA;<NAME>;\n", {{"A", "<NAME>"}}},
        {"tabs", "Name\tStructure\nA, B\t<NAME_M(2,4)>\n", {{"A, B", "<NAME_M(2,4)>"}}},
        {"tabs with a semicolon somewhere",
         "Name\tStructure\nA;B\t<NAME>\nC\t<EXT>\n",
         {{"A;B", "<NAME>"}, {"C", "<EXT>"}}},
        {"commas", "Name,Structure\nA,<NAME>\n", {{"A", "<NAME>"}}},
        {"commas and semicolons in every line", "Name;Structure;,\nA;<NAME_M(2,4)>;\n", {{"A", "<NAME_M(2,4)>"}}},
        {"tabs and semicolons in every line", "Name;\tStructure;\nA;\t<NAME>;\n", {{"A", "\t<NAME>"}}},
        {"a blank line between",
         "Name;Structure;\r\n\r\nA;<NAME>;\r\n  \r\nB;<EXT>;\r\n",
         {{"A", "<NAME>"}, {"B", "<EXT>"}}},
        {"no separator in every line", "Name;Structure;\nA <NAME>\n", {}},
        {"empty", "", {}},
        {"blank names are skipped", "Name;Structure;\n  ;<NAME>;\n1| ;<PATH>;\nA;<EXT>;\n", {{"A", "<EXT>"}}},
        {"a line without a structure", "Name;Structure;\nA;\n", {{"A", ""}}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.row);
        EXPECT_EQ(StructureLibrary::parse(QString::fromUtf8(row.text)).entries, row.expected);
    }
}

TEST(StructureLibraryTest, ALibraryOfAnOlderVersionIsReadUnchanged)
{
    // Windows-1252, CRLF, names with the prefix older versions kept before a "|", a number as a name and
    // a quoted field: read as they were meant, and reading leaves the file alone.
    const QByteArray bytes = "Name;Structure;\r\n"
                             "1|Gr\xf6\xdf"
                             "e zuerst;<DT(C,yyyy-mm-dd)>_<NAME><.EXT>;\r\n"
                             "2|Teil;\"<NAME_L(find(;))>\";\r\n"
                             "2004.1;<PATH> <NAME>;\r\n";
    QTemporaryDir dir;
    const QString path = dir.filePath("structures.vlp");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    file.close();
    PosixFileSystem fs;
    const StructureLibrary library = StructureLibrary::read(fs, path);
    EXPECT_EQ(library.entries, (Entries{{"Größe zuerst", "<DT(C,yyyy-mm-dd)>_<NAME><.EXT>"},
                                        {"Teil", "<NAME_L(find(;))>"},
                                        {"2004.1", "<PATH> <NAME>"}}));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), bytes);
    EXPECT_TRUE(StructureLibrary::read(fs, dir.filePath("missing.vlp")).entries.isEmpty());
}

TEST(StructureLibraryTest, FindsByNameExactlyBeforeIgnoringCase)
{
    StructureLibrary library;
    library.entries = {{"upper", "1"}, {"Upper", "2"}, {"Upper", "3"}};
    ASSERT_TRUE(library.find("Upper"));
    EXPECT_EQ(library.find("Upper")->structure, "2");
    EXPECT_EQ(library.find("UPPER")->structure, "1");
    EXPECT_EQ(library.find("Lower"), nullptr);
}

TEST(StructureLibraryTest, QuotedFieldsRunToTheQuoteBeforeTheSeparator)
{
    const struct
    {
        const char* row;
        const char* line;
        QStringList fields;
    } rows[] = {
        {"blanks before a field go, after it stay", "a; b;;d", {"a", "b", "", "d"}},
        {"quoted separator", "\"x;y\";z", {"x;y", "z"}},
        {"quote inside", "\"a\"b\";c", {"a\"b", "c"}},
        {"unclosed quote", "\"ab;c", {"ab", "c"}},
        {"quoted last field", "a;\"b;c\"", {"a", "b;c"}},
        {"trailing separator", "a;b;", {"a", "b"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.row);
        EXPECT_EQ(CsvLine::fields(QString::fromUtf8(row.line), u';'), row.fields);
    }
}

TEST(StructureCheckTest, FindsMisplacedUnclosedAndUnpairedTags)
{
    using P = StructureCheck::Problem;
    const struct
    {
        const char* structure;
        P problem;
        qsizetype position;
        const char* detail; // the fragment or the opening tag
    } rows[] = {
        {"<NAME>_<DT(C,yyyy)>", P::None, 0, ""},
        {"", P::None, 0, ""},
        {"<NAME", P::Unclosed, 0, "<NAME"},
        {"<NAME>x<EXT", P::Unclosed, 0, "<EXT"},
        {"a>b", P::Misplaced, 2, ""},
        {"<NA<ME>", P::Misplaced, 4, ""},
        {"😀>", P::Misplaced, 2, ""}, // characters as the user counts them
        {"<UC><NAME>", P::UnpairedCase, 0, "<UC>"},
        {"</UC><NAME><UC>", P::UnpairedCase, 0, "<UC>"},
        {"<uc><NAME></UC><UC><EXT></uc>", P::None, 0, ""},
        {"<UC><UC><NAME></UC></UC>", P::UnpairedCase, 0, "<UC>"},
        {"<LC><UC><NAME></UC></LC>", P::None, 0, ""},
        {"<LC><NAME></LC></LC>", P::UnpairedCase, 0, "<LC>"},
        {"<1C><NAME>", P::None, 0, ""},
        {"<NAME_L(x)>", P::None, 0, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.structure);
        const StructureCheck check = CheckStructure(QString::fromUtf8(row.structure));
        EXPECT_EQ(check.problem, row.problem);
        if (row.problem == P::Misplaced) {
            EXPECT_EQ(check.position, row.position);
        } else if (row.problem == P::Unclosed) {
            EXPECT_EQ(check.fragment, QString::fromUtf8(row.detail));
        } else if (row.problem == P::UnpairedCase) {
            EXPECT_EQ(check.openTag, QString::fromUtf8(row.detail));
        }
    }
}

TEST(StructureCheckTest, ListsOfferOnlyWhatTheLanguageEvaluates)
{
    PosixFileSystem fs;
    for (const char* known : {"<NAME>", "<DT(C,yyyy-mm-dd)>", "<UC></UC>", "find(-)", "find(-,2,-1)", "<DOSNAME_E>"})
        EXPECT_TRUE(StructureUnderstands(QString::fromUtf8(known), fs)) << known;
    for (const char* unknown : {"<EXIF_DATE>", "<ID3_Artist>", "plain", "<NAME_L(x)>", "find()", "<NAME>>"})
        EXPECT_FALSE(StructureUnderstands(QString::fromUtf8(unknown), fs)) << unknown;

    // Every entry the language files offer.
    for (const char* lng : {"English.lng", "Deutsch.lng"}) {
        const IniDocument doc = IniDocument::load(QStringLiteral(DIRWRIGHT_SOURCE_DIR "/lang/") + lng);
        int offered = 0;
        for (const QString& key : doc.keys(QStringLiteral("ComboBoxes"))) {
            if (!key.startsWith("cmbElements-") && !key.startsWith("cmbFunctions-") && !key.startsWith("cmbDOSTag-"))
                continue;
            const QString value = doc.value(QStringLiteral("ComboBoxes"), key);
            EXPECT_TRUE(value.contains('|')) << lng << " " << qPrintable(key);
            EXPECT_TRUE(StructureUnderstands(value.section('|', 0, 0), fs)) << lng << " " << qPrintable(value);
            ++offered;
        }
        EXPECT_GE(offered, 20) << lng;
    }
}

TEST(StructureCheckTest, TheShippedStructuresPassTheCheckAndLeaveNoMarker)
{
    PosixFileSystem fs;
    const StructureLibrary library =
        StructureLibrary::read(fs, QStringLiteral(DIRWRIGHT_SOURCE_DIR "/data/structures.vlp"));
    ASSERT_GE(library.entries.size(), 10);
    const FolderEntry entry = MakeEntry("/Photos/", "holiday in ROME - 2004.raw");
    for (const NamedStructure& s : library.entries) {
        SCOPED_TRACE(s.name.toStdString());
        EXPECT_TRUE(CheckStructure(s.structure).ok());
        const QString name = EvaluateStructure(entry, s.structure, fs, QLocale::c());
        EXPECT_FALSE(name.contains('<') || name.contains('>')) << name.toStdString();
        EXPECT_FALSE(name.trimmed().isEmpty());
    }
}

} // namespace
