#include "core/preview/NumberTable.h"
#include "core/preview/LookAhead.h"

#include <QHash>
#include <QString>

#include <algorithm>
#include <map>
#include <numeric>
#include <vector>

#include <gtest/gtest.h>

namespace {

// Random runs of adds, puts, removals and renumberings, compared after each step with a plain map from
// key to number. A weak hash piles the keys into long runs that wrap round the table's end, where
// closing the gap after a removal goes wrong first.
TEST(NumberTable, BehavesLikeAMapFromKeyToNumberWithAnyHash)
{
    using Hash = size_t (*)(const QString&);
    const Hash hashes[] = {[](const QString& key) -> size_t { return qHash(key); },
                           [](const QString& key) -> size_t { return static_cast<size_t>(key.size() % 3) + 13; }};
    unsigned seed = 11;
    const auto next = [&seed](unsigned n) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) % n;
    };
    for (const Hash hash : hashes) {
        for (int run = 0; run < 40; ++run) {
            SCOPED_TRACE(run);
            std::vector<QString> keyOf; // what each number stands for
            std::map<QString, quint32> model;
            NumberTable table;
            const unsigned keys = 4 + next(60);
            for (int step = 0; step < 300; ++step) {
                const QString key = QStringLiteral("k%1").arg(next(keys));
                const auto isKey = [&](quint32 held) { return keyOf[held] == key; };
                const auto number = static_cast<quint32>(keyOf.size());
                switch (next(6)) {
                case 0:
                case 1: {
                    keyOf.push_back(key);
                    const std::optional<quint32> held = table.add(number, hash(key), isKey);
                    const auto known = model.find(key);
                    ASSERT_EQ(held.has_value(), known != model.end());
                    if (held) {
                        ASSERT_EQ(*held, known->second);
                    } else {
                        model[key] = number;
                    }
                    break;
                }
                case 2:
                    keyOf.push_back(key);
                    table.put(number, hash(key), isKey);
                    model[key] = number;
                    break;
                case 3:
                case 4:
                    table.remove(hash(key), isKey);
                    model.erase(key);
                    break;
                case 5: {
                    // Numbers reversed: every item now stands for what its new number names.
                    std::vector<QString> reversed(keyOf.rbegin(), keyOf.rend());
                    const auto last = static_cast<quint32>(keyOf.size()) - 1;
                    table.renumber([&](quint32 old) { return last - old; });
                    keyOf.swap(reversed);
                    for (auto& [k, n] : model)
                        n = last - n;
                    break;
                }
                }
                ASSERT_EQ(table.size(), model.size());
                for (unsigned k = 0; k < keys; ++k) {
                    const QString probe = QStringLiteral("k%1").arg(k);
                    const std::optional<quint32> found =
                        table.find(hash(probe), [&](quint32 held) { return keyOf[held] == probe; });
                    const auto known = model.find(probe);
                    ASSERT_EQ(found.has_value(), known != model.end()) << probe.toStdString();
                    if (found) {
                        ASSERT_EQ(*found, known->second) << probe.toStdString();
                    }
                }
            }
        }
    }
}

TEST(NumberTable, ReservedRoomTakesTheCountWithoutGrowingAndFindsNothingEmpty)
{
    std::vector<int> values(5000);
    std::iota(values.begin(), values.end(), 0);
    const auto hashOf = [&](quint32 number) { return qHash(values[number]); };
    NumberTable table;
    EXPECT_FALSE(table.find(0, [](quint32) { return true; }).has_value());
    table.reserve(values.size());
    for (quint32 i = 0; i < values.size(); ++i)
        table.add(i, hashOf(i), [&](quint32 held) { return values[held] == values[i]; });
    EXPECT_EQ(table.size(), values.size());
    for (quint32 i = 0; i < values.size(); i += 97)
        EXPECT_EQ(table.find(hashOf(i), [&](quint32 held) { return values[held] == values[i]; }), i);
}

// The look-ahead gives each item's own hash whatever order the items come in: in order, in runs of a few
// (as threads take them), backwards or one twice; it never fetches beyond the last item.
TEST(LookAhead, GivesEachItemsHashInAnyOrderAndFetchesOnlyItems)
{
    const auto runs = [](size_t count, size_t run) {
        std::vector<size_t> order;
        for (size_t from = 0; from < count; from += run) {
            for (size_t i = from; i < std::min(from + run, count); ++i)
                order.push_back(i);
        }
        return order;
    };
    const struct
    {
        size_t count;
        std::vector<size_t> order;
    } cases[] = {
        {0, {}},
        {3, {0, 1, 2}},
        {8, runs(8, 8)},
        {9, runs(9, 9)},
        {100, runs(100, 100)},
        {200, runs(200, 64)},
        {50, {0, 1, 2, 2, 1, 0, 49, 48, 10, 11, 12}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.count);
        size_t fetched = 0;
        LookAhead hashOf(c.count, [&](size_t i) {
            EXPECT_LT(i, c.count);
            ++fetched;
            return i * 7919 + 1;
        });
        for (const size_t i : c.order) {
            ASSERT_EQ(hashOf(i), i * 7919 + 1) << i;
        }
        // In order, each item is fetched once.
        if (c.order == runs(c.count, c.count)) {
            EXPECT_EQ(fetched, c.count);
        }
    }
}

} // namespace
