#include "core/preview/SortKey.h"

#include <QStringList>
#include <algorithm>
#include <gtest/gtest.h>

TEST(BuildSortKey, PadsDigitRunsToFifteenDigits)
{
    const struct
    {
        const char* text;
        const char* key;
    } cases[] = {
        {"Disc 2", "Disc 000000000000002"},
        {"a10b007", "a000000000000010b000000000000007"},
        {"2024", "000000000002024"},
        {"", ""},
        {"000", "000000000000000"},
        {"no digits", "no digits"},
        {"x\u0663", "x\u0663"}, // Arabic-Indic digits are no numbers for the key
        {"999999999999999", "999999999999999"},
        // Longer runs: a marker that sorts after every digit, the length, then the digits themselves.
        {"1234567890123456", ":0000000000000161234567890123456"},
        {"x00001234567890123456y", "x:0000000000000161234567890123456y"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BuildSortKey(QString::fromUtf8(c.text)), QString::fromUtf8(c.key)) << c.text;
}

TEST(BuildSortKey, TextOrderOfKeysIsNaturalOrder)
{
    // Each name must sort before the next one, including numbers far beyond fifteen digits.
    const QStringList ordered = {QStringLiteral("Disc 2"),
                                 QStringLiteral("disc 9"),
                                 QStringLiteral("Disc 10"),
                                 QStringLiteral("Disc 999999999999999"),
                                 QStringLiteral("Disc 1000000000000000"),
                                 QStringLiteral("Disc 9000000000000000"),
                                 QStringLiteral("Disc 10000000000000000"),
                                 QStringLiteral("Disc 1") + QString(400, QLatin1Char('0')),
                                 QStringLiteral("Disc A"),
                                 QStringLiteral("disc b")};
    const auto compare = [](const QString& a, const QString& b) {
        return CompareFoldedKeys(FoldSortKey(BuildSortKey(a)), FoldSortKey(BuildSortKey(b)));
    };
    for (qsizetype i = 0; i + 1 < ordered.size(); ++i)
        EXPECT_LT(compare(ordered.at(i), ordered.at(i + 1)), 0) << ordered.at(i).left(30).toStdString();
    EXPECT_EQ(compare(QStringLiteral("ÄRGER 5"), QStringLiteral("ärger 5")), 0); // letter case is ignored
}
