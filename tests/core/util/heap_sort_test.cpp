// The one heap sort in its three shapes, on 1-based lists.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <vector>

#include "util/heap_sort.h"

namespace qzx {
namespace {

/// 1-based random lists of every length up to 40, with many repeated keys.
std::vector<std::vector<std::int32_t>> randomLists() {
    std::mt19937 random(7);
    std::vector<std::vector<std::int32_t>> lists;
    for (int n = 0; n <= 40; ++n)
        for (int round = 0; round < 5; ++round) {
            std::vector<std::int32_t> list(static_cast<std::size_t>(n) + 1, -999);
            std::uniform_int_distribution<std::int32_t> key(-5, round == 0 ? 5 : 1000);
            for (int i = 1; i <= n; ++i)
                list[static_cast<std::size_t>(i)] = key(random);
            lists.push_back(list);
        }
    return lists;
}

TEST(HeapSort, IntegersSortAscendingAndPositionZeroStaysUntouched) {
    for (std::vector<std::int32_t> list : randomLists()) {
        std::vector<std::int32_t> expected = list;
        std::sort(expected.begin() + 1, expected.end());
        SortIntegers(list, static_cast<int>(list.size()) - 1);
        EXPECT_EQ(list, expected);
    }
    // Only positions 1..count take part.
    std::vector<std::int32_t> list{0, 9, 3, 7, 1, 2};
    SortIntegers(list, 3);
    EXPECT_EQ(list, (std::vector<std::int32_t>{0, 3, 7, 9, 1, 2}));
    // A count beyond the list is cut to it; counts 0 and below change nothing.
    SortIntegers(list, 99);
    EXPECT_EQ(list, (std::vector<std::int32_t>{0, 1, 2, 3, 7, 9}));
    std::vector<std::int32_t> reversed{5, 3, 2, 1};
    SortIntegers(reversed, 0);
    SortIntegers(reversed, -4);
    EXPECT_EQ(reversed, (std::vector<std::int32_t>{5, 3, 2, 1}));
}

TEST(HeapSort, CompanionsAndPairValuesTravelWithTheirKeys) {
    for (const std::vector<std::int32_t>& keys : randomLists()) {
        const int n = static_cast<int>(keys.size()) - 1;
        // Companion i starts beside key i; after the sort each (key, companion) couple must
        // still exist, keys ascending.
        std::vector<std::int32_t> sortedKeys = keys;
        std::vector<std::int32_t> companion(keys.size());
        std::vector<KeyedPair> pairs(keys.size());
        std::multimap<std::int32_t, std::int32_t> couples;
        for (int i = 1; i <= n; ++i) {
            companion[static_cast<std::size_t>(i)] = i;
            pairs[static_cast<std::size_t>(i)] = {keys[static_cast<std::size_t>(i)], i};
            couples.insert({keys[static_cast<std::size_t>(i)], i});
        }
        SortByMass(sortedKeys, companion, n);
        SortKeyedPairs(pairs, n);
        std::multimap<std::int32_t, std::int32_t> afterMass, afterPairs;
        for (int i = 1; i <= n; ++i) {
            const auto at = static_cast<std::size_t>(i);
            afterMass.insert({sortedKeys[at], companion[at]});
            afterPairs.insert({pairs[at].key, pairs[at].value});
            EXPECT_EQ(keys[static_cast<std::size_t>(companion[at])], sortedKeys[at]);
            EXPECT_EQ(keys[static_cast<std::size_t>(pairs[at].value)], pairs[at].key);
            if (i > 1) {
                EXPECT_LE(sortedKeys[at - 1], sortedKeys[at]);
                EXPECT_LE(pairs[at - 1].key, pairs[at].key);
            }
        }
        EXPECT_EQ(afterMass.size(), couples.size());
        // Both shapes run the same algorithm, so equal keys end in the same order.
        for (int i = 1; i <= n; ++i)
            EXPECT_EQ(companion[static_cast<std::size_t>(i)],
                      pairs[static_cast<std::size_t>(i)].value);
    }
}

TEST(HeapSort, RecordsSortByAnyKey) {
    struct Peak {
        float mass;
        float abundance;
    };
    std::vector<Peak> peaks{{0, 0}, {120, 50}, {100, 999}, {57.5f, 1}, {-3, 2}};
    HeapSortRecords(std::span<Peak>(peaks), 4, [](const Peak& p) { return p.mass; });
    EXPECT_EQ(peaks[1].mass, -3);
    EXPECT_EQ(peaks[2].mass, 57.5f);
    EXPECT_EQ(peaks[3].abundance, 999);
    EXPECT_EQ(peaks[4].abundance, 50);
}

} // namespace
} // namespace qzx
