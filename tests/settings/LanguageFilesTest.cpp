#include "settings/IniDocument.h"
#include "settings/TextCodec.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

// The language files are data every window and message depends on; these tests keep the two files in
// step with each other and with the keys the code asks for.

namespace {

const QString kLangFolder = QStringLiteral(DIRWRIGHT_SOURCE_DIR "/lang/");
const QStringList kLanguages = {QStringLiteral("English.lng"), QStringLiteral("Deutsch.lng")};

// Lower-case "section/key" -> value, with every structural fault of the file listed in `problems`.
struct ParsedLanguage
{
    QMap<QString, QString> values;
    QStringList problems;
};

ParsedLanguage parse(const QString& name)
{
    ParsedLanguage parsed;
    bool ok = false;
    const QString text = TextCodec::readFile(kLangFolder + name, &ok);
    if (!ok) {
        parsed.problems << name + QStringLiteral(": cannot be read");
        return parsed;
    }
    QSet<QString> sections;
    QString section;
    const QStringList lines = TextCodec::splitLines(text);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines.at(i).trimmed();
        const QString where = QStringLiteral("%1:%2: ").arg(name).arg(i + 1);
        if (line.isEmpty())
            continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            section = line.mid(1, line.size() - 2).trimmed().toLower();
            if (sections.contains(section))
                parsed.problems << where + QStringLiteral("section repeated");
            sections.insert(section);
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0 || section.isEmpty()) {
            parsed.problems << where + QStringLiteral("not a key line: ") + line;
            continue;
        }
        const QString key = section + QLatin1Char('/') + line.left(eq).trimmed().toLower();
        const QString value = line.mid(eq + 1).trimmed();
        if (parsed.values.contains(key))
            parsed.problems << where + QStringLiteral("key repeated: ") + key;
        if (value.isEmpty())
            parsed.problems << where + QStringLiteral("empty value: ") + key;
        if (value.size() > 999)
            parsed.problems << where + QStringLiteral("longer than a setting can be read: ") + key;
        parsed.values.insert(key, value);
    }
    return parsed;
}

QSet<QString> placeholders(const QString& text)
{
    static const QRegularExpression placeholder(QStringLiteral("%\\d"));
    QSet<QString> found;
    for (const auto& match : placeholder.globalMatch(text))
        found.insert(match.captured());
    return found;
}

TEST(LanguageFilesTest, BothFilesHoldTheSameKeysWithTheSamePlaceholders)
{
    const ParsedLanguage english = parse(kLanguages.at(0));
    const ParsedLanguage german = parse(kLanguages.at(1));
    EXPECT_TRUE(english.problems.isEmpty()) << english.problems.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(german.problems.isEmpty()) << german.problems.join(QLatin1Char('\n')).toStdString();

    const QStringList englishKeys = english.values.keys();
    const QStringList germanKeys = german.values.keys();
    QStringList onlyEnglish;
    QStringList onlyGerman;
    for (const QString& key : englishKeys) {
        if (!german.values.contains(key))
            onlyEnglish << key;
        else if (placeholders(english.values.value(key)) != placeholders(german.values.value(key)))
            ADD_FAILURE() << "placeholders differ in " << key.toStdString();
    }
    for (const QString& key : germanKeys) {
        if (!english.values.contains(key))
            onlyGerman << key;
    }
    EXPECT_TRUE(onlyEnglish.isEmpty()) << "only in English: " << onlyEnglish.join(QStringLiteral(", ")).toStdString();
    EXPECT_TRUE(onlyGerman.isEmpty()) << "only in German: " << onlyGerman.join(QStringLiteral(", ")).toStdString();
}

TEST(LanguageFilesTest, MainSectionNamesAnExistingGuideAndALocale)
{
    for (const QString& name : kLanguages) {
        const IniDocument doc = IniDocument::load(kLangFolder + name);
        EXPECT_EQ(doc.value(QStringLiteral("Main"), QStringLiteral("lngname")), QFileInfo(name).completeBaseName());
        const QString guide = doc.value(QStringLiteral("Main"), QStringLiteral("hlpfile"));
        EXPECT_TRUE(QFileInfo::exists(QStringLiteral(DIRWRIGHT_SOURCE_DIR "/data/guide/") + guide))
            << guide.toStdString();
        EXPECT_FALSE(doc.value(QStringLiteral("Main"), QStringLiteral("locale")).isEmpty());
        for (int n = 1; n <= 10; ++n) {
            const QString key = QStringLiteral("MsgStat%1").arg(n, 2, 10, QLatin1Char('0'));
            EXPECT_FALSE(doc.value(QStringLiteral("Messages"), key).isEmpty()) << key.toStdString();
        }
    }
}

// One language-file key named by a string literal in the sources.
struct KeyUse
{
    QString section;
    QString key;
    QString where;
};

// Message keys ("MsgText05", "msgCapAttention") and explicit GetLngText("Section", "Key") pairs that the
// code under src/ spells out as literals.
QList<KeyUse> keysUsedBySources()
{
    static const QString literal = QStringLiteral(
        "(?:(?:QStringLiteral|QLatin1String|QLatin1StringView|QString)\\s*\\(\\s*)?u?\"([^\"\\\\]*)\"\\s*\\)?");
    static const QRegularExpression messageKey(QStringLiteral("\"((?:MsgText|MsgCap|MsgStat)\\d\\d|msg[A-Z]\\w*)\""));
    static const QRegularExpression pair(QStringLiteral("GetLngText\\s*\\(\\s*") + literal +
                                         QStringLiteral("\\s*,\\s*") + literal);
    QList<KeyUse> uses;
    QDirIterator it(QStringLiteral(DIRWRIGHT_SOURCE_DIR "/src"), {QStringLiteral("*.cpp"), QStringLiteral("*.h")},
                    QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString text = TextCodec::readFile(path);
        const QString file = QFileInfo(path).fileName();
        auto lineOf = [&text](qsizetype offset) { return text.left(offset).count(QLatin1Char('\n')) + 1; };
        for (const auto& m : messageKey.globalMatch(text))
            uses.append({QStringLiteral("Messages"), m.captured(1),
                         QStringLiteral("%1:%2").arg(file).arg(lineOf(m.capturedStart()))});
        for (const auto& m : pair.globalMatch(text))
            uses.append(
                {m.captured(1), m.captured(2), QStringLiteral("%1:%2").arg(file).arg(lineOf(m.capturedStart()))});
    }
    return uses;
}

TEST(LanguageFilesTest, EveryKeyTheSourcesNameExistsInBothFiles)
{
    const QList<KeyUse> uses = keysUsedBySources();
    // The scan must see the keys it is known to find, or a broken pattern would pass silently.
    const auto found = [&uses](const QString& section, const QString& key) {
        return std::any_of(uses.cbegin(), uses.cend(),
                           [&](const KeyUse& u) { return u.section == section && u.key == key; });
    };
    ASSERT_TRUE(found(QStringLiteral("Main"), QStringLiteral("lngname")));
    ASSERT_TRUE(found(QStringLiteral("Messages"), QStringLiteral("MsgText36")));

    for (const QString& name : kLanguages) {
        const ParsedLanguage language = parse(name);
        QStringList missing;
        for (const KeyUse& use : uses) {
            const QString key = use.section.toLower() + QLatin1Char('/') + use.key.toLower();
            if (!language.values.contains(key))
                missing << QStringLiteral("[%1] %2 (%3)").arg(use.section, use.key, use.where);
        }
        missing.removeDuplicates();
        EXPECT_TRUE(missing.isEmpty()) << name.toStdString() << " lacks:\n"
                                       << missing.join(QLatin1Char('\n')).toStdString();
    }
}

} // namespace
