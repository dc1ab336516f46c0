#include "settings/SettingsStore.h"
#include "settings/CharClasses.h"
#include "settings/Language.h"
#include "settings/TextCodec.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class SettingsStoreTest : public ::testing::Test
{
protected:
    QString file(const QString& text)
    {
        const QString path = m_dir.filePath(QStringLiteral("s.vlp"));
        TextCodec::writeFileAtomically(path, text);
        return path;
    }
    QTemporaryDir m_dir;
};

TEST_F(SettingsStoreTest, ReadsCaseInsensitiveTrimmedValues)
{
    const QString f = file(QStringLiteral("[Main]\n  Key =  some value  \n[Other]\nkey=x\n"));
    EXPECT_EQ(ReadSetting(QStringLiteral("main"), QStringLiteral("KEY"), f), QStringLiteral("some value"));
    EXPECT_EQ(ReadSetting(QStringLiteral("Other"), QStringLiteral("key"), f), QStringLiteral("x"));
    EXPECT_EQ(ReadSetting(QStringLiteral("Missing"), QStringLiteral("key"), f), QString());
    EXPECT_EQ(ReadSettingInt(QStringLiteral("Missing"), QStringLiteral("key"), f), -1);
}

TEST_F(SettingsStoreTest, CutsLongValuesAt999Characters)
{
    const QString f = file(QStringLiteral("[A]\nk=") + QString(1200, QLatin1Char('v')) + QStringLiteral("\n"));
    EXPECT_EQ(ReadSetting(QStringLiteral("A"), QStringLiteral("k"), f).size(), 999);
}

TEST_F(SettingsStoreTest, WritesIntoExistingSectionAndCreatesMissingOnes)
{
    const QString f = file(QStringLiteral("[A]\nx=1\n\n[B]\ny=2\n"));
    ASSERT_TRUE(WriteSetting(QStringLiteral("a"), QStringLiteral("z"), QStringLiteral("3"), f));
    ASSERT_TRUE(WriteSetting(QStringLiteral("B"), QStringLiteral("Y"), QStringLiteral("4"), f));
    ASSERT_TRUE(WriteSetting(QStringLiteral("C"), QStringLiteral("w"), QString(), f));
    EXPECT_EQ(TextCodec::readFile(f), QStringLiteral("[A]\nx=1\nz=3\n\n[B]\nY=4\n[C]\nw=\n"));
}

TEST_F(SettingsStoreTest, CompactionDropsDeletedKeysAndSeparatesSections)
{
    const QString f = file(QStringLiteral("[A]\nx=<<DELETE>>\ny=1\n[B]\nz=1 <<DELETE>>  \n\n[C]\n"));
    ASSERT_TRUE(CompactSettingsFile(f));
    EXPECT_EQ(TextCodec::readFile(f), QStringLiteral("[A]\ny=1\n\n[B]\n\n[C]\n"));
}

TEST_F(SettingsStoreTest, CompactionKeepsOneBlankLineBeforeHeadersAndIsIdempotent)
{
    struct Case
    {
        const char* in;
        const char* out;
    };
    const Case cases[] = {
        // A dropped key after a blank line must not leave two blank lines before the next header.
        {"[A]\na=1\n\nb=<<DELETE>>\n[B]\n", "[A]\na=1\n\n[B]\n"},
        // A dropped key right before a header still gets the header its blank line.
        {"[A]\nb=<<DELETE>>\n[B]\nc=2\n", "[A]\n\n[B]\nc=2\n"},
        {"x=1\n[A]\n", "x=1\n\n[A]\n"},
        {"[A]\n\n\n[B]\n", "[A]\n\n\n[B]\n"},
        {"[A]\r\nk=v\r\n[B]\r\n", "[A]\nk=v\n\n[B]\n"},
        {"[A]\nk=<<DELETE>>\n", "[A]\n"},
        {"", ""},
    };
    for (const Case& c : cases) {
        const QString f = file(QString::fromUtf8(c.in));
        ASSERT_TRUE(CompactSettingsFile(f));
        EXPECT_EQ(TextCodec::readFile(f), QString::fromUtf8(c.out)) << c.in;
        ASSERT_TRUE(CompactSettingsFile(f));
        EXPECT_EQ(TextCodec::readFile(f), QString::fromUtf8(c.out)) << "second run of " << c.in;
    }
    EXPECT_FALSE(CompactSettingsFile(m_dir.filePath(QStringLiteral("missing.vlp"))));
    EXPECT_FALSE(QFile::exists(m_dir.filePath(QStringLiteral("missing.vlp"))));
}

TEST_F(SettingsStoreTest, FlagsTakeTheCallersDefaultWhenMissingOrEmpty)
{
    const QString f = file(QStringLiteral("[S]\non=1\noff=0\nempty=\nblank=   \nodd=7\nword=yes\n"));
    struct Case
    {
        const char* key;
        int raw;
        bool withDefaultOn;
        bool withDefaultOff;
    };
    const Case cases[] = {
        {"on", 1, true, true},        {"off", 0, false, false}, {"empty", -1, true, false}, {"blank", -1, true, false},
        {"missing", -1, true, false}, {"odd", 7, true, false},  {"word", 0, false, false},
    };
    for (const Case& c : cases) {
        const int raw = ReadSettingInt(QStringLiteral("S"), QString::fromLatin1(c.key), f);
        EXPECT_EQ(raw, c.raw) << c.key;
        EXPECT_EQ(FlagFromInt(raw, true), c.withDefaultOn) << c.key;
        EXPECT_EQ(FlagFromInt(raw, false), c.withDefaultOff) << c.key;
    }
    EXPECT_EQ(IntFromFlag(true), 1);
    EXPECT_EQ(IntFromFlag(false), 0);
}

TEST_F(SettingsStoreTest, TheCutNeverSplitsACharacterOrKeepsANul)
{
    // 998 letters and an emoji: cutting at 999 code units would keep half of the emoji.
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
    const QString f = file(QStringLiteral("[A]\nk=") + QString(998, QLatin1Char('a')) + emoji + QStringLiteral("\n"));
    const QString value = ReadSetting(QStringLiteral("A"), QStringLiteral("k"), f);
    EXPECT_EQ(value, QString(998, QLatin1Char('a')));
    EXPECT_EQ(SettingText(QStringLiteral("ab") + QChar(0) + QStringLiteral("cd")), QStringLiteral("ab"));
}

TEST_F(SettingsStoreTest, BadFilesGiveEmptyValuesAndNeverHang)
{
    QByteArray binary;
    for (int i = 0; i < 4096; ++i)
        binary.append(char(i * 37));
    const QList<QByteArray> contents = {
        QByteArray(),
        binary,
        QByteArray("[S]\nk=") + QByteArray(4 << 20, 'x') + "\nother=1\n",
        QByteArray(2 << 20, '['),
        QByteArray(1 << 20, '\n'),
        QByteArray("[S]\nno equals sign\n=value without key\n[S\nk2=v2\n"),
        QByteArray("[S]\nk=first\nK=second\n[s]\nk=third\nlater=1\n"),
    };
    const QString path = m_dir.filePath(QStringLiteral("bad.vlp"));
    for (const QByteArray& content : contents) {
        QFile out(path);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(content);
        out.close();
        ReadSetting(QStringLiteral("S"), QStringLiteral("k"), path);
        EXPECT_EQ(ReadSettingInt(QStringLiteral("Main"), QStringLiteral("ws"), path), -1);
        ASSERT_TRUE(WriteSetting(QStringLiteral("Main"), QStringLiteral("ws"), QStringLiteral("2"), path));
        EXPECT_EQ(ReadSettingInt(QStringLiteral("Main"), QStringLiteral("ws"), path), 2);
        EXPECT_TRUE(CompactSettingsFile(path));
    }
    // The last file: duplicates resolve to the first key of the first section.
    EXPECT_EQ(ReadSetting(QStringLiteral("S"), QStringLiteral("k"), path), QStringLiteral("first"));
    EXPECT_EQ(ReadSetting(QStringLiteral("S"), QStringLiteral("later"), path), QString());
    EXPECT_EQ(ReadSetting(QStringLiteral("S"), QStringLiteral("k"), m_dir.filePath(QStringLiteral("none"))), QString());
    EXPECT_EQ(ReadSetting(QStringLiteral("S"), QStringLiteral("k"), QString()), QString());
}

TEST_F(SettingsStoreTest, WindowsFilesAreReadAndRewrittenAsUtf8)
{
    const QString path = m_dir.filePath(QStringLiteral("win.vlp"));
    QFile out(path);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write("[Settings]\r\nletters=abc\xe4\xf6\xfc\r\n");
    out.close();
    EXPECT_EQ(ReadSetting(QStringLiteral("Settings"), QStringLiteral("letters"), path),
              QStringLiteral("abc\u00e4\u00f6\u00fc"));
    ASSERT_TRUE(WriteSetting(QStringLiteral("Settings"), QStringLiteral("lng"), QStringLiteral("Deutsch"), path));
    QFile in(path);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    EXPECT_EQ(in.readAll(), QByteArray("[Settings]\nletters=abc\xc3\xa4\xc3\xb6\xc3\xbc\nlng=Deutsch\n"));
}

TEST_F(SettingsStoreTest, StrayWhitespaceAroundNamesAndLineEndsIsIgnored)
{
    const QString f = file(QStringLiteral("[ Main\t]\r\r\n\tws\r=2\r\r\nlng = Deutsch\r\r\n"));
    EXPECT_EQ(ReadSettingInt(QStringLiteral("Main"), QStringLiteral("ws"), f), 2);
    EXPECT_EQ(ReadSetting(QStringLiteral("main"), QStringLiteral("LNG"), f), QStringLiteral("Deutsch"));
    ASSERT_TRUE(WriteSetting(QStringLiteral("Main"), QStringLiteral("ws"), QStringLiteral("0"), f));
    EXPECT_EQ(TextCodec::readFile(f), QStringLiteral("[ Main\t]\nws=0\nlng = Deutsch\n"));
}

TEST(CharClassesTest, LettersRules)
{
    struct Case
    {
        QString letters;
        QString lower;
        QString upper;
        QString numeralsUpper;
    };
    const Case cases[] = {
        {QStringLiteral("  "), CharClasses::defaultLetters(),
         QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ\u00c4\u00d6\u00dc"), QStringLiteral("-ABCDEFGHIJKLMNOPQRSTUVWXYZ")},
        {QString(), CharClasses::defaultLetters(), QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ\u00c4\u00d6\u00dc"),
         QStringLiteral("-ABCDEFGHIJKLMNOPQRSTUVWXYZ")},
        {QStringLiteral("ABC"), QStringLiteral("abc"), QStringLiteral("ABC"), QStringLiteral("-ABC")},
        {QStringLiteral("a1b\u00df"), QStringLiteral("a1b\u00df"), QStringLiteral("AB"), QStringLiteral("-A1B\u00df")},
        {QStringLiteral("\u03b1\u03b2"), QStringLiteral("\u03b1\u03b2"), QStringLiteral("\u0391\u0392"),
         QStringLiteral("-\u0391\u0392")},
    };
    for (const Case& c : cases) {
        const CharClasses classes = CharClasses::fromLetters(c.letters);
        EXPECT_EQ(classes.lower, c.lower) << c.letters.toStdString();
        EXPECT_EQ(classes.upper, c.upper) << c.letters.toStdString();
        EXPECT_EQ(classes.letterNumeralsUpper, c.numeralsUpper) << c.letters.toStdString();
        EXPECT_EQ(classes.letterNumeralsLower, c.numeralsUpper.toLower()) << c.letters.toStdString();
    }
}

TEST(SubstituteArgsTest, PlaceholdersAreFilledInOrder)
{
    const QString text = QStringLiteral("%1 -> %2 (%1)");
    EXPECT_EQ(SubstituteArgs(text, {QStringLiteral("a"), QStringLiteral("b")}), QStringLiteral("a -> b (a)"));
    // The first argument is substituted first, so a "%2" inside it is filled by the second argument.
    EXPECT_EQ(SubstituteArgs(text, {QStringLiteral("x%2"), QStringLiteral("y")}), QStringLiteral("xy -> y (xy)"));
    // A "%1" inside the second argument stays: its turn has passed.
    EXPECT_EQ(SubstituteArgs(text, {QStringLiteral("x"), QStringLiteral("%1")}), QStringLiteral("x -> %1 (x)"));
    EXPECT_EQ(SubstituteArgs(text, {}), text);
    EXPECT_EQ(SubstituteArgs(QStringLiteral("100%"), {QStringLiteral("a")}), QStringLiteral("100%"));
}

} // namespace
