#include "core/preview/SortKey.h"
#include "core/preview/EntryOrder.h"
#include "core/preview/NaturalKeys.h"
#include "core/preview/RowPermutation.h"

#include <QStringList>
#include <algorithm>
#include <gtest/gtest.h>
#include <numeric>
#include <random>

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

namespace {

int naturalOrder(const QString& a, const QString& b)
{
    NaturalKeys keys;
    keys.append(a);
    keys.append(b);
    const int c = NaturalKeys::compare(keys.at(0), keys.at(1));
    // The heads must never contradict the whole keys.
    if (keys.head(0) != keys.head(1)) {
        EXPECT_EQ(keys.head(0) < keys.head(1), c < 0) << a.toStdString() << " / " << b.toStdString();
    }
    return c;
}

int sign(int c)
{
    return (c > 0) - (c < 0);
}

} // namespace

TEST(NaturalKeys, OrderIsNaturalOrder)
{
    // Each name must sort before the next one, including numbers far beyond fifteen digits.
    const QStringList ordered = {QStringLiteral("Disc"),
                                 QStringLiteral("Disc 2"),
                                 QStringLiteral("disc 9"),
                                 QStringLiteral("Disc 10"),
                                 QStringLiteral("Disc 10 b"),
                                 QStringLiteral("Disc 999999999999999"),
                                 QStringLiteral("Disc 1000000000000000"),
                                 QStringLiteral("Disc 9000000000000000"),
                                 QStringLiteral("Disc 10000000000000000"),
                                 QStringLiteral("Disc 1") + QString(400, QLatin1Char('0')),
                                 QStringLiteral("Disc A"),
                                 QStringLiteral("disc b"),
                                 QStringLiteral("Disc \uE000"),
                                 QStringLiteral("Disc \U0001F600")}; // by code point, not by UTF-16 unit
    for (qsizetype i = 0; i + 1 < ordered.size(); ++i)
        EXPECT_LT(naturalOrder(ordered.at(i), ordered.at(i + 1)), 0) << ordered.at(i).left(30).toStdString();
    const struct
    {
        const char* a;
        const char* b;
    } equal[] = {{"ÄRGER 5", "ärger 5"}, {"Take 007", "take 7"}, {"000", "0"}, {"", ""}};
    for (const auto& e : equal)
        EXPECT_EQ(naturalOrder(QString::fromUtf8(e.a), QString::fromUtf8(e.b)), 0) << e.a;
}

TEST(NaturalKeys, AgreeWithTheShownSortKeysOnRandomNames)
{
    // The compact keys order as the shown keys (padded numbers, folded case) would, in any mix of letters,
    // digits, punctuation and accented letters.
    const QString alphabet = QStringLiteral("aAbB0019 -._:~äÄßéÉ");
    std::mt19937 random(7);
    const auto name = [&] {
        QString text;
        const auto length = random() % 9;
        for (unsigned i = 0; i < length; ++i)
            text.append(alphabet.at(static_cast<qsizetype>(random() % static_cast<unsigned>(alphabet.size()))));
        return text;
    };
    for (int round = 0; round < 20000; ++round) {
        const QString a = name();
        const QString b = name();
        const int shown = QString::compare(BuildSortKey(a).toCaseFolded(), BuildSortKey(b).toCaseFolded());
        ASSERT_EQ(sign(naturalOrder(a, b)), sign(shown)) << a.toStdString() << " / " << b.toStdString();
    }
}

// A list long enough to be sorted in two halves comes out as a plain stable sort by the shown keys would
// have it: by name and by path, either way up, equal keys in the order they stood.
TEST(SortedEntryOrder, ALongListSortsAsTheShownKeysWithTiesInTheirOrder)
{
    const QString alphabet = QStringLiteral("aAb09 ä");
    const QStringList parents = {QStringLiteral("/m/Disc 10/"), QStringLiteral("/m/disc 2/"), QStringLiteral("/m/")};
    std::mt19937 random(3);
    std::vector<FolderEntry> entries(20000);
    for (FolderEntry& e : entries) {
        for (auto length = random() % 4 + 1; length > 0; --length)
            e.oldName.append(alphabet.at(static_cast<qsizetype>(random() % static_cast<unsigned>(alphabet.size()))));
        e.parentPath = parents.at(static_cast<qsizetype>(random() % 3));
    }
    const auto shown = [](const QString& text) { return BuildSortKey(text).toCaseFolded(); };
    for (const int column : {int(FolderEntry::ColOldName), int(FolderEntry::ColParentPath)}) {
        for (const Qt::SortOrder order : {Qt::AscendingOrder, Qt::DescendingOrder}) {
            SCOPED_TRACE(testing::Message() << column << " " << order);
            std::vector<std::pair<QString, QString>> keys;
            for (const FolderEntry& e : entries)
                keys.emplace_back(column == FolderEntry::ColParentPath ? shown(e.parentPath) : QString(),
                                  shown(e.oldName));
            std::vector<int> expected(entries.size());
            std::iota(expected.begin(), expected.end(), 0);
            std::stable_sort(expected.begin(), expected.end(), [&](int a, int b) {
                const auto& x = keys[static_cast<size_t>(a)];
                const auto& y = keys[static_cast<size_t>(b)];
                return order == Qt::AscendingOrder ? x < y : y < x;
            });
            ASSERT_EQ(SortedEntryOrder(entries, column, order, false), expected);
        }
    }
}

// Rows move in place round their cycles; every order must come out as a copy into a new vector would.
TEST(RowPermutation, PutsEveryRowWhereTheOrderSaysAndTellsWhereEachWent)
{
    std::mt19937 random(11);
    for (const size_t n : {size_t{0}, size_t{1}, size_t{2}, size_t{3}, size_t{7}, size_t{100}}) {
        for (int round = 0; round < 20; ++round) {
            std::vector<int> order(n);
            std::iota(order.begin(), order.end(), 0);
            std::shuffle(order.begin(), order.end(), random);
            std::vector<QString> rows;
            for (size_t i = 0; i < n; ++i)
                rows.push_back(QString::number(i));
            const std::vector<QString> before = rows;
            const std::vector<int> newRowOfOld = PermuteRows(rows, order);
            ASSERT_EQ(rows.size(), n);
            for (size_t r = 0; r < n; ++r) {
                ASSERT_EQ(rows[r], before[static_cast<size_t>(order[r])]) << n << " rows, row " << r;
                ASSERT_EQ(newRowOfOld[static_cast<size_t>(order[r])], static_cast<int>(r));
            }
        }
    }
}
