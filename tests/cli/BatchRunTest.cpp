#include "cli/BatchRun.h"
#include "cli/BatchOptions.h"
#include "core/commit/RenameFailure.h"
#include "core/platform/FileNames.h"
#include "core/rename/RenameSteps.h"
#include "core/script/BatchScript.h"
#include "core/script/ScriptStore.h"
#include "core/settings/TextCodec.h"
#include "support/FaultInjectingFileSystem.h"
#include "support/TestApp.h"
#include "support/TestTree.h"
#include "support/WriteTextFile.h"

#include <QBuffer>
#include <QDir>
#include <cerrno>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

using Status = BatchRun::Status;

class BatchRunTest : public ::testing::Test
{
protected:
    // Runs the batch mode in the test process on a TestApp's state and keeps what it prints.
    int batch(const QStringList& arguments)
    {
        QBuffer o, e;
        o.open(QIODevice::WriteOnly);
        e.open(QIODevice::WriteOnly);
        const int status = BatchRun(app.state(), o, e).run(ParseBatchArguments(arguments));
        rawOut = o.data();
        out = FileNames::decode(rawOut);
        err = FileNames::decode(e.data());
        return status;
    }
    void add(const QStringList& entries)
    {
        for (const QString& entry : entries)
            tree.add(entry);
    }
    QString change(const QString& relative, const QString& newName) const
    {
        const QFileInfo info(tree.path(relative));
        return BatchRun::changeLine(info.path() + QLatin1Char('/'), info.fileName(), newName) + QLatin1Char('\n');
    }
    QString saveScript(const QString& fileName, const QByteArray& bytes)
    {
        const QString folder = ScriptStore::scriptFolder(app.state());
        QDir().mkpath(folder);
        EXPECT_TRUE(WriteTextFile(folder + fileName, QString::fromLatin1(bytes)));
        return folder + fileName;
    }
    TestApp app;
    TestTree tree;
    QString out, err;
    QByteArray rawOut;
};

TEST_F(BatchRunTest, AFailedRenameIsReportedTheOthersAreTakenAndOnlyTheyAreProtocolled)
{
    add({"P/a/", "P/b/", "P/same/", "P/b1"}); // a file where b wants to go
    app.state().settings.setFlag(Settings::Key::ProtocolRenames, true);
    // In list order: the safe take would refuse the whole run up front (see below).
    EXPECT_EQ(batch({"--list-order", "--structure", "<NAME>1", "--structure", "<NAME_L(4)>", tree.path("P/a"),
                     tree.path("P/same"), tree.path("P/b")}),
              Status::SomeFailed);
    const QString parent = tree.key("P");
    EXPECT_EQ(err,
              app.state().message(QStringLiteral("MsgText05"), {'"' + parent + "b/\"", '"' + parent + "b1/\""}) + '\n');
    EXPECT_EQ(tree.folders("P"), QStringList({"a1", "b", "same"}));
    EXPECT_EQ(TextCodec::readFile(app.settingsPath(QStringLiteral("renamed.vlp"))),
              QStringLiteral("20240131153045\"%1\"a\"a1\n").arg(parent));
}

TEST_F(BatchRunTest, AStructureOfTheLibraryIsAppliedByItsName)
{
    add({"P/holiday.raw/", "P/Trip/"});
    ASSERT_TRUE(WriteTextFile(app.settingsPath(QStringLiteral("structures.vlp")),
                              "Name;Structure;\nUpper;<UC><NAME></UC><.EXT>;\nupper;<LC><NAME></LC>;\n"
                              "|a|b;\"<PATH>;<NAME>\";\n"));
    const QStringList paths{tree.path("P/holiday.raw"), tree.path("P/Trip")};
    EXPECT_EQ(batch(QStringList{"--dry-run", "--structure-name", "Upper"} + paths), Status::Done) << err.toStdString();
    EXPECT_EQ(out, change("P/holiday.raw", "HOLIDAY.raw") + change("P/Trip", "TRIP"));
    // Letter case decides only between names that differ in nothing else; "|" and ";" are the name's own.
    EXPECT_EQ(batch(QStringList{"--dry-run", "--structure-name=UPPER", "--structure-name", "a|b"} + paths),
              Status::Done);
    EXPECT_EQ(out, change("P/holiday.raw", "P;HOLIDAY") + change("P/Trip", "P;TRIP"));

    // A name the library lacks stops the run before anything is loaded, and the names it has are listed.
    EXPECT_EQ(batch(QStringList{"--structure-name", "Lower"} + paths), Status::CannotRun);
    EXPECT_TRUE(out.isEmpty());
    const QString library = '"' + app.settingsPath(QStringLiteral("structures.vlp")) + '"';
    EXPECT_EQ(err, app.state().language.GetLngText("Batch", "StructureNameNotFoundListed",
                                                   {"Lower", library, "\n  Upper\n  upper\n  a|b"}) +
                       '\n' + app.state().language.GetLngText("Batch", "NothingRenamed") + '\n');
    EXPECT_EQ(tree.folders("P"), QStringList({"Trip", "holiday.raw"}));
    QFile::remove(app.settingsPath(QStringLiteral("structures.vlp")));
    EXPECT_EQ(batch(QStringList{"--structure-name", "Upper"} + paths), Status::CannotRun);
    EXPECT_TRUE(err.startsWith(app.state().language.GetLngText("Batch", "StructureNameNotFound", {"Upper", library})));
}

TEST_F(BatchRunTest, AHistoryFileThatIsAPipeIsReportedAndDoesNotStallTheRun)
{
    add({"P/a/"});
    app.state().settings.setFlag(Settings::Key::ProtocolRenames, true);
    ASSERT_EQ(mkfifo(FileNames::encode(app.settingsPath(QStringLiteral("renamed.vlp"))).constData(), 0600), 0);
    EXPECT_EQ(batch({"--structure", "b", tree.path("P/a")}), Status::SomeFailed);
    EXPECT_TRUE(err.contains(QStringLiteral("protocol file"))) << err.toStdString();
    EXPECT_EQ(tree.folders("P"), QStringList({"b"}));
}

// The history from the command line: every line with whether it can be undone, then the latest run undone
// newest first, and only that run.
TEST_F(BatchRunTest, HistoryIsPrintedAndTheLatestRunUndone)
{
    add({"P/a/", "P/b/"});
    app.state().settings.setFlag(Settings::Key::ProtocolRenames, true);
    ASSERT_EQ(batch({"--structure", "<NAME>1", tree.path("P/a")}), Status::Done);
    ASSERT_EQ(batch({"--structure", "<NAME>2", tree.path("P/a1"), tree.path("P/b")}), Status::Done);
    const QString parent = tree.key("P");
    EXPECT_EQ(batch({"--history"}), Status::Done);
    EXPECT_EQ(out, QStringLiteral("20240131153045\t%1\ta\ta1\tno\n"
                                  "20240131153045\t%1\ta1\ta12\tyes\n"
                                  "20240131153045\t%1\tb\tb2\tyes\n")
                       .arg(parent));
    EXPECT_EQ(batch({"--undo-last"}), Status::Done);
    EXPECT_EQ(out, change("P/b2", "b") + change("P/a12", "a1"));
    EXPECT_EQ(tree.folders("P"), QStringList({"a1", "b"}));
    EXPECT_EQ(TextCodec::readFile(app.settingsPath(QStringLiteral("renamed.vlp"))),
              QStringLiteral("20240131153045\"%1\"a\"a1\n").arg(parent));
    EXPECT_EQ(batch({"--undo-last"}), Status::Done);
    EXPECT_EQ(out, QString());
    EXPECT_EQ(err, app.state().language.GetLngText("Batch", "NothingToUndo") + '\n');
    EXPECT_EQ(batch({"--history", "--structure", "x"}), Status::CannotRun);
}

// A history that cannot be written is no success: status 1 and the count of renames it misses.
TEST_F(BatchRunTest, RenamesTheHistoryMissesGiveStatusOne)
{
    add({"P/a/", "P/b/"});
    app.state().settings.setFlag(Settings::Key::ProtocolRenames, true);
    auto fs = std::make_unique<FaultInjectingFileSystem>();
    const QString protocol = app.settingsPath(QStringLiteral("renamed.vlp"));
    fs->fail(FaultInjectingFileSystem::Op::Append, protocol);
    app.state().services.fileSystem = std::move(fs);
    EXPECT_EQ(batch({"--structure", "<NAME>1", tree.path("P/a"), tree.path("P/b")}), Status::SomeFailed);
    EXPECT_EQ(tree.folders("P"), QStringList({"a1", "b1"}));
    EXPECT_EQ(err, app.state().language.GetLngText("Batch", "ProtocolFailed", {'"' + protocol + '"', "2"}) + '\n');
}

TEST_F(BatchRunTest, SortKeysPutTheEntriesInTheirOrder)
{
    // Natural order puts b9 before b10; sizes and times are chosen to disagree with the names.
    add({"R1/b10/f=5", "R1/b9/f=300", "R2/a/f=100", "R2/c/f=5"});
    const std::pair<const char*, int> modified[] = {{"R2/a", 1}, {"R1/b10", 2}, {"R2/c", 2}, {"R1/b9", 3}};
    for (const auto& [folder, day] : modified) {
        const timespec stamp{static_cast<time_t>(QDateTime(QDate(2020, 1, day), QTime(12, 0)).toSecsSinceEpoch()), 0};
        const timespec times[2] = {stamp, stamp};
        ASSERT_EQ(utimensat(AT_FDCWD, QFile::encodeName(tree.path(folder)).constData(), times, 0), 0);
    }
    // Ties (equal sizes or times) fall back to the parent folder, then the name.
    const std::pair<const char*, QStringList> cases[] = {
        {nullptr, {"b9", "b10", "a", "c"}}, {"path", {"b9", "b10", "a", "c"}},     {"name", {"a", "b9", "b10", "c"}},
        {"size", {"b10", "c", "a", "b9"}},  {"modified", {"a", "b10", "c", "b9"}}, {"none", {"c", "b10", "a", "b9"}}};
    // The folders given one by one, or in a list file (where a run that needs no times finds them in
    // their parents' listings).
    const QStringList folders{tree.path("R2/c"), tree.path("R1/b10"), tree.path("R2/a"), tree.path("R1/b9")};
    const QString list = tree.path("folders.txt");
    ASSERT_TRUE(WriteTextFile(list, folders.join(QLatin1Char('\n'))));
    for (const bool listed : {false, true}) {
        for (const auto& [key, expected] : cases) {
            QStringList arguments{"--dry-run", "--structure", "<NAME>_"};
            if (key)
                arguments << "--sort" << key;
            ASSERT_EQ(batch(arguments << (listed ? QStringList{"--list", list} : folders)), Status::Done)
                << err.toStdString();
            QStringList order;
            for (const QString& line : out.split('\n', Qt::SkipEmptyParts))
                order.append(line.section('\t', 1, 1));
            EXPECT_EQ(order, expected) << (key ? key : "default") << (listed ? " listed" : "");
        }
    }
}

TEST_F(BatchRunTest, SubfoldersAreLoadedAtEveryDepthAndRenamedBelowRenamedParents)
{
    add({"Top/A/B/", "Top/A/C/", "Top/D/"});
    EXPECT_EQ(batch({"--subfolders", "--structure", "<NAME>-x", tree.path("Top")}), Status::Done) << err.toStdString();
    EXPECT_EQ(out,
              change("Top/A", "A-x") + change("Top/D", "D-x") + change("Top/A/B", "B-x") + change("Top/A/C", "C-x"));
    EXPECT_EQ(tree.folders("Top") + tree.folders("Top/A-x"), QStringList({"A-x", "D-x", "B-x", "C-x"}));
    EXPECT_EQ(TextCodec::readFile(app.settingsPath(QStringLiteral("renamed.vlp"))), QString()) << "protocol is off";
}

TEST_F(BatchRunTest, ListFilesAndPathsLoadTogether)
{
    add({"L/one/", "L/two/", "L/three/", "L/four/"});
    const QString list = tree.path("L/list.m3u");
    ASSERT_TRUE(
        WriteTextFile(list, QStringLiteral("#EXTM3U\n#EXTINF:1,x\none\n%1\nmissing\n").arg(tree.path("L/two"))));
    EXPECT_EQ(batch({"--structure", "<NAME>!", "--list", list, tree.path("L/four")}), Status::Done)
        << err.toStdString();
    EXPECT_EQ(out, change("L/four", "four!") + change("L/one", "one!") + change("L/two", "two!"));
    EXPECT_EQ(err, QString()) << "an entry of a list that names nothing is passed over";
    EXPECT_EQ(tree.folders("L"), QStringList({"four!", "one!", "three", "two!"}));
}

// Every wrong input is named, on one line each however it is spelt, and nothing at all is renamed.
TEST_F(BatchRunTest, PathsAndListFilesThatCannotBeUsedStopTheRunBeforeAnythingIsRenamed)
{
    add({"L/one/", "L/file.txt"});
    const QString gone = tree.path("gone\nx");
    ASSERT_EQ(mkfifo(FileNames::encode(tree.path("L/pipe")).constData(), 0600), 0);
    const struct
    {
        const char* name;
        QStringList arguments;
        QString problem;
    } rows[] = {
        {"missing path", {gone}, QStringLiteral("There is no file or folder \"%1\".").arg(BatchRun::escaped(gone))},
        {"missing list",
         {"--list", tree.path("L/nolist.txt")},
         QStringLiteral("The list file \"%1\" cannot be read: there is no such file.").arg(tree.path("L/nolist.txt"))},
        // A device or a pipe is no list: reading one could stall or never end.
        {"device as list",
         {"--list", "/dev/zero"},
         QStringLiteral("The list file \"/dev/zero\" cannot be read: it is not")},
        {"pipe as list",
         {"--list", tree.path("L/pipe")},
         QStringLiteral("The list file \"%1\" cannot be read: it is not a regular file").arg(tree.path("L/pipe"))},
        {"root", {"/"}, QStringLiteral("\"/\" is the root of a file system, which is never renamed.")},
        {"file with --subfolders",
         {"--subfolders", tree.path("L/file.txt")},
         QStringLiteral("\"%1\" is a file: --subfolders needs folders.").arg(tree.path("L/file.txt"))},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(batch(QStringList{"--structure", "<NAME>!", tree.path("L/one")} + row.arguments), Status::CannotRun);
        EXPECT_TRUE(err.startsWith(row.problem)) << err.toStdString();
        EXPECT_TRUE(err.endsWith(QStringLiteral(".\nNothing was renamed.\n"))) << err.toStdString();
        EXPECT_EQ(err.count(QLatin1Char('\n')), 2) << err.toStdString();
        EXPECT_EQ(out, QString());
        EXPECT_EQ(tree.folders("L"), QStringList({"one"}));
    }
}

// By default a chain works whatever the order and a name taken on disk stops the run before anything is
// renamed; --list-order renames in list order, where the chain's first link fails.
TEST_F(BatchRunTest, ChangesAreTakenInASafeOrderUnlessListOrderIsAsked)
{
    add({"P/x/", "P/x1/", "Q/y/", "Q/y1"});
    EXPECT_EQ(batch({"--structure", "<NAME>1", tree.path("P/x"), tree.path("P/x1")}), Status::Done);
    EXPECT_EQ(tree.folders("P"), QStringList({"x1", "x11"}));
    EXPECT_EQ(batch({"--structure", "<NAME>1", tree.path("P/x1"), tree.path("P/x11"), tree.path("Q/y")}),
              Status::CannotRun);
    EXPECT_TRUE(err.contains(Quoted(tree.path("Q/y")))) << err.toStdString();
    EXPECT_FALSE(err.contains(Quoted(tree.path("P/x1")))) << err.toStdString();
    EXPECT_EQ(tree.folders("P") + tree.folders("Q"), QStringList({"x1", "x11", "y"}));
    // No list of changes for a take the disk refuses, also one longer than a write block.
    EXPECT_EQ(out, QString());
    QStringList many;
    for (int i = 0; i < 400; ++i) {
        add({QStringLiteral("R/folder%1/").arg(i)});
        many.append(tree.path(QStringLiteral("R/folder%1").arg(i)));
    }
    EXPECT_EQ(batch(QStringList{"--structure", "<NAME>1"} + many + QStringList{tree.path("Q/y")}), Status::CannotRun);
    EXPECT_EQ(out, QString());
    EXPECT_EQ(tree.folders("R").size(), 400);
    EXPECT_TRUE(tree.folders("R").contains("folder0"));
    EXPECT_EQ(batch({"--list-order", "--structure", "<NAME>1", tree.path("P/x1"), tree.path("P/x11")}),
              Status::SomeFailed);
    EXPECT_EQ(tree.folders("P"), QStringList({"x1", "x111"}));
}

TEST_F(BatchRunTest, TwoFoldersGivenOneNewNameStopTheRunBeforeAnythingIsRenamed)
{
    add({"P/a/", "P/b/", "P/c/", "Q/d/"});
    // c keeps its name; d is in another folder and may well be called "c".
    EXPECT_EQ(
        batch({"--structure", "<NAME_L(0)>c", tree.path("P/a"), tree.path("P/b"), tree.path("P/c"), tree.path("Q/d")}),
        Status::CannotRun);
    const QString c = Quoted(tree.key("P") + QStringLiteral("c"));
    EXPECT_EQ(err, QStringLiteral("%1 and %2 would both be named %4.\n%1 and %3 would both be named %4.\n"
                                  "Nothing was renamed.\n")
                       .arg(Quoted(tree.path("P/a")), Quoted(tree.path("P/b")), Quoted(tree.path("P/c")), c))
        << err.toStdString();
    EXPECT_EQ(tree.folders("P") + tree.folders("Q"), QStringList({"a", "b", "c", "d"}));
    // No list of changes for a run that takes none, dry or not.
    EXPECT_EQ(out, QString());
    EXPECT_EQ(batch({"--dry-run", "--structure", "same", tree.path("P/a"), tree.path("P/b")}), Status::CannotRun);
    EXPECT_EQ(out, QString());
}

// Takes the first limit bytes, then fails every write, as a disk that fills up or a pipe closed half-way.
class FillingDevice : public QIODevice
{
public:
    explicit FillingDevice(qint64 limit)
        : m_limit(limit)
    {
        open(QIODevice::WriteOnly);
    }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64 size) override
    {
        if (m_taken + size > m_limit)
            return -1;
        m_taken += size;
        return size;
    }

private:
    qint64 m_limit;
    qint64 m_taken = 0;
};

TEST_F(BatchRunTest, AChangeListThatCannotBeWrittenStopsTheRunBeforeAnythingIsRenamed)
{
    // Enough folders for the list to take several writes.
    QStringList names;
    for (int i = 0; i < 400; ++i) {
        names.append(QStringLiteral("folder%1%2").arg(i).arg(QString(60, QLatin1Char('n'))));
        tree.add(QStringLiteral("P/") + names.last() + QLatin1Char('/'));
    }
    names.sort();
    for (const bool listOrder : {false, true}) {
        for (const qint64 limit : {0, 20000}) {
            SCOPED_TRACE(QStringLiteral("list order %1, fails after %2 bytes").arg(listOrder).arg(limit).toStdString());
            FillingDevice o(limit);
            QBuffer e;
            e.open(QIODevice::WriteOnly);
            QStringList arguments{"--structure", "x<NAME>", "--subfolders", tree.path("P")};
            if (listOrder)
                arguments.prepend(QStringLiteral("--list-order"));
            const int status = BatchRun(app.state(), o, e).run(ParseBatchArguments(arguments));
            EXPECT_EQ(status, Status::CannotRun);
            EXPECT_TRUE(e.data().startsWith("The list of changes could not be written to the standard output"))
                << e.data().toStdString();
            EXPECT_TRUE(e.data().endsWith("Nothing was renamed.\n"));
            EXPECT_EQ(tree.folders("P"), names);
        }
    }
}

TEST_F(BatchRunTest, ABadNewNameStopsTheRunBeforeAnythingIsRenamed)
{
    add({"P/a/x/", "P/b/"});
    // "a/x" would move b into a; markers show where a structure went wrong.
    const std::pair<QString, const char*> cases[] = {
        {"<NAME_L(1)>/x", "new name \"a/x\": The new name contains \"/\""},
        {"..", "new name \"..\": \".\" and \"..\" cannot"},
        {"<NAME_L(0)>", "new name \"\": The new name is empty."},
        {QString(256, QLatin1Char('x')), "The new name is 256 bytes long; folder names may have at most 255"},
        {"<NAME_L(a)>", "<No_Number> marks where"},
        {"<DT(X,yyyy)>", "<Check_DT>"},
    };
    for (const auto& [structure, expected] : cases) {
        // b would be fine, but the whole proposal is refused.
        EXPECT_EQ(batch({"--structure", structure, tree.path("P/b"), tree.path("P/a")}), Status::CannotRun) << expected;
        EXPECT_TRUE(err.contains(QLatin1String(expected)) && err.endsWith(QStringLiteral("Nothing was renamed.\n")))
            << err.toStdString();
        EXPECT_EQ(out, QString()) << "no change list for a run that renames nothing";
    }
    EXPECT_EQ(tree.folders("P") + tree.folders("P/a"), QStringList({"a", "b", "x"}));
}

TEST_F(BatchRunTest, NamesAreEscapedOnPrintingAndNonUtf8NamesKeptByteForByte)
{
    EXPECT_EQ(BatchRun::changeLine("/p\\q/", "a\tb", "c\nd\re\x1b"), "/p\\\\q/\ta\\tb\tc\\nd\\re\\x1b");
    EXPECT_EQ(BatchRun::changeLine("/ü/", "🌍", "x"), "/ü/\t🌍\tx");
    // C1 controls and the Unicode line and paragraph separators end lines for some readers.
    EXPECT_EQ(BatchRun::escaped(QStringLiteral("a\u0085b\u2028c\u2029d\u009b\u007f\u00a0")),
              QStringLiteral("a\\x85b\\u2028c\\u2029d\\x9b\\x7f\u00a0"));
    tree.add("P/");
    const QByteArray raw = QFile::encodeName(tree.path("P")) + "/caf\xe9";
    ASSERT_EQ(mkdir(raw.constData(), 0755), 0);
    EXPECT_EQ(batch({"--structure", "<NAME>-1", FileNames::decode(raw)}), Status::Done) << err.toStdString();
    EXPECT_EQ(rawOut, QFile::encodeName(tree.path("P")) + "/\tcaf\xe9\tcaf\xe9-1\n");
    // Removed here: the temporary folder cannot remove a name that is not UTF-8.
    EXPECT_EQ(rmdir(raw + "-1"), 0);
}

TEST_F(BatchRunTest, ABadScriptStopsTheRunBeforeAnythingIsRenamed)
{
    tree.add("P/a/");
    // The script file (null: none) and what the message says about it.
    QList<std::pair<const char*, QString>> cases{
        {nullptr, "There is no script \"nope\", neither as a file nor in the script folder."},
        {"[Main]\nName=x\n", "is not a script: [Main] has no \"Steps\"."},
        {"[Main]\nSteps=3\n[2]\nType=5\n", "\"Steps\" is 3, but step 1 is missing."},
        {"[Main]\nSteps=2\n[1]\nType=5\ntxtPr=x\n", "\"Steps\" is 2, but step 2 is missing."},
        {"[Main]\nSteps=1\n[1]\ntxtPr=x\n", "step 1 has no \"Type\"."},
        {"[Main]\nSteps=1\n[1]\nType=42\n", "step 1 has the type 42, which no rename function has."},
        {"[Main]\nSteps=1\n[1]\nType=3\nchkAddOldFE=3\n", "in step 1, \"3\" is not a valid value for chkAddOldFE."},
        {"[Main]\nSteps=1\n[1]\nType=5\nlstX=1,a\n", "in step 1, \"1,a\" is not a valid value for lstX."},
    };
    QByteArray missingType; // a rename function this build lacks
    for (int type = 1; type <= 10 && missingType.isEmpty(); ++type) {
        if (!RenameSteps::available(type)) {
            missingType = "[Main]\nSteps=1\n[1]\nType=" + QByteArray::number(type) + "\n";
            cases.append({missingType.constData(), "(" + RenameSteps::formName(type) + "), a rename function that"});
        }
    }
    for (const auto& [text, expected] : cases) {
        const QString path = text ? saveScript("bad.vls", text) : QStringLiteral("nope");
        // The structure comes first on the command line, yet nothing happens: scripts are checked beforehand.
        EXPECT_EQ(batch({"--structure", "<NAME>x", "--script", path, tree.path("P/a")}), Status::CannotRun) << text;
        EXPECT_TRUE(err.contains('"' + path + '"') && err.contains(expected) &&
                    err.endsWith("\nNothing was renamed.\n"))
            << err.toStdString();
        EXPECT_EQ(out, QString());
    }
    batch({"--script", "/dev/zero", tree.path("P/a")});
    EXPECT_EQ(err, "The script \"/dev/zero\" cannot be read: it is not a regular file (a folder, a pipe or a device "
                   "is never read).\nNothing was renamed.\n");
    EXPECT_EQ(tree.folders("P"), QStringList({"a"}));
}

TEST_F(BatchRunTest, ScriptsAreFoundByNameOrPathAndTakeTurnsWithStructures)
{
    tree.add("P/home/");
    const QString path = saveScript(QStringLiteral("20240131153045.vls"), "[Main]\nSteps=1\n[1]\nType=5\ntxtPr=x\n");
    for (const QString& name : {QStringLiteral("20240131153045"), QStringLiteral("20240131153045.vls"), path}) {
        EXPECT_EQ(batch({"--structure", "<UC><NAME></UC>", "--script", name, "--structure", "<NAME>_", "--dry-run",
                         tree.path("P/home")}),
                  Status::Done)
            << name.toStdString() << err.toStdString();
        EXPECT_EQ(out, change("P/home", "xHOME_")) << name.toStdString();
    }
    // A name with a folder in it is a path, not a name in the script folder.
    EXPECT_EQ(BatchScript::resolve(app.state(), QStringLiteral("x/20240131153045.vls")), QString());
    EXPECT_EQ(BatchScript::resolve(app.state(), QString()), QString());
}

TEST_F(BatchRunTest, ScriptsAreFoundByTheNameTheWindowShowsAndAnUnknownNameListsThem)
{
    tree.add("P/home/");
    saveScript(QStringLiteral("20240131153045.vls"), "[Main]\nName=Tidy photos\nSteps=1\n[1]\nType=5\ntxtPr=x\n");
    saveScript(QStringLiteral("20240201000000.vls"), "[Main]\nName=Other\nSteps=1\n[1]\nType=5\ntxtPr=y\n");
    for (const char* name : {"Tidy photos", "Tidy photos [2024-01-31, 15:30:45]"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(batch({"--script", name, "--dry-run", tree.path("P/home")}), Status::Done) << err.toStdString();
        EXPECT_EQ(out, change("P/home", "xhome"));
    }
    EXPECT_EQ(batch({"--script", "Tidy", "--dry-run", tree.path("P/home")}), Status::CannotRun);
    EXPECT_TRUE(err.startsWith("There is no script \"Tidy\"") &&
                err.contains(":\n  Tidy photos [2024-01-31, 15:30:45]\n  Other [2024-02-01, 00:00:00]\n"))
        << err.toStdString();
}

} // namespace

namespace {

// Numbering and date naming replay from a script as their dialogs recorded them.
TEST_F(BatchRunTest, ScriptsNumberAndDateTheFolders)
{
    add({"N/a/", "N/b/", "N/c/"});
    const QString script = saveScript(QStringLiteral("20240131153045.vls"),
                                      "[Main]\nSteps=2\nName=Number and date\n"
                                      "[1]\nType=1\ntxtInit=9\ntxtInc=-4\noptSuffix=-1\nchkIntChr=1\ncmbIChr=4\n"
                                      "[2]\nType=9\ntxtFormat=yyyy\nopt1(0)=-1\nchkIChr=1\ncmbIChr=2\n");
    // The year as the list shows the creation time: the birth time, or 1980 where there is none.
    const QDateTime born = QFileInfo(tree.path("N/a")).birthTime();
    const QString year = born.isValid() ? QString::number(born.date().year()) : QStringLiteral("1980");
    // Given one by one or in a list file: the date step needs the times either way.
    const QStringList folders{tree.path("N/a"), tree.path("N/b"), tree.path("N/c")};
    const QString list = tree.path("folders.txt");
    ASSERT_TRUE(WriteTextFile(list, folders.join(QLatin1Char('\n'))));
    for (const bool listed : {false, true}) {
        SCOPED_TRACE(listed);
        EXPECT_EQ(batch(QStringList{"--script", script, "--dry-run", "--sort", "name"} +
                        (listed ? QStringList{"--list", list} : folders)),
                  Status::Done)
            << err.toStdString();
        EXPECT_EQ(out, change("N/a", year + "-a_9") + change("N/b", year + "-b_5") + change("N/c", year + "-c_1"));
    }
    EXPECT_EQ(tree.folders("N"), (QStringList{"a", "b", "c"}));
}

} // namespace

TEST_F(BatchRunTest, AListOfChangesLongerThanOneWriteBlockArrivesWholeInOrder)
{
    // Long names make the list cross several of the blocks it is written in.
    const QString filler(200, QLatin1Char('n'));
    QStringList names;
    for (int i = 0; i < 600; ++i) {
        names.append(QStringLiteral("%1%2").arg(i, 4, 10, QLatin1Char('0')).arg(filler));
        tree.add(QStringLiteral("P/") + names.last() + QLatin1Char('/'));
    }
    QString expected;
    for (const QString& name : names)
        expected += change(QStringLiteral("P/") + name, QStringLiteral("x") + name);
    EXPECT_GT(expected.size(), 3 * 16 * 1024);
    // Dry, and while the take checks the folders.
    ASSERT_EQ(batch({"--dry-run", "--structure", "x<NAME>", "--subfolders", tree.path("P")}), Status::Done)
        << err.toStdString();
    EXPECT_EQ(out, expected);
    ASSERT_EQ(batch({"--structure", "x<NAME>", "--subfolders", tree.path("P")}), Status::Done) << err.toStdString();
    EXPECT_EQ(out, expected);
    QStringList renamed;
    for (const QString& name : names)
        renamed.append(QStringLiteral("x") + name);
    EXPECT_EQ(tree.folders("P"), renamed);
}

namespace {

TEST_F(BatchRunTest, TouchGivesEveryFolderTheTimeOfItsNewestFileAfterTheRenames)
{
    add({"P/a/x", "P/a/y", "P/empty/"});
    const QDateTime photo(QDate(2004, 7, 1), QTime(10, 0));
    const QDateTime own(QDate(2010, 1, 1), QTime(9, 0));
    for (const auto& [file, time] : {std::pair("P/a/x", photo.addDays(-3)), std::pair("P/a/y", photo)}) {
        QFile f(tree.path(file));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite) && f.setFileTime(time, QFileDevice::FileModificationTime));
    }
    ASSERT_TRUE(app.state().fs().setFolderTime(tree.path("P/empty"), FolderTimeKind::LastWrite, own).ok());
    const auto modified = [this](const char* folder) { return QFileInfo(tree.path(folder)).lastModified(); };

    // A dry run touches nothing.
    EXPECT_EQ(batch({"--dry-run", "--touch", "files-latest", tree.path("P/a")}), Status::Done);
    EXPECT_NE(modified("P/a"), photo);
    EXPECT_EQ(batch({"--structure", "<NAME>1", "--touch", "files-latest:+00:00:00:01:00:00", tree.path("P/a"),
                     tree.path("P/empty")}),
              Status::Done)
        << err.toStdString();
    EXPECT_EQ(modified("P/a1"), photo.addSecs(3600));
    EXPECT_EQ(modified("P/empty1"), own.addSecs(3600));
}

TEST_F(BatchRunTest, AFolderTouchCannotChangeIsReportedAndGivesStatusOne)
{
    add({"P/a/", "P/b/"});
    auto fs = std::make_unique<FaultInjectingFileSystem>();
    fs->fail(FaultInjectingFileSystem::Op::SetTime, tree.path("P/a"));
    app.state().services.fileSystem = std::move(fs);
    EXPECT_EQ(batch({"--touch", "2020-02-29T12:00:00", tree.path("P/a"), tree.path("P/b")}), Status::SomeFailed);
    // The line names the folder and the system's reason.
    const QString reason = app.state().message(QStringLiteral("msgFileAccess")) + QStringLiteral(" (") +
                           PosixFileSystem::fromErrno(EACCES).systemText + ')';
    EXPECT_EQ(err,
              app.state().message(QStringLiteral("msgModifiedNotSet"), {'"' + tree.path("P/a") + '"', reason}) + '\n');
    EXPECT_EQ(QFileInfo(tree.path("P/b")).lastModified(), QDateTime(QDate(2020, 2, 29), QTime(12, 0)));
    EXPECT_TRUE(out.isEmpty());
}

} // namespace
