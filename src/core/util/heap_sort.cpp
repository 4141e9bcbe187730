#include "util/heap_sort.h"

#include <algorithm>

namespace qzx {

namespace {

/// The usable part of a 1-based list: at most size - 1 positions.
int clampCount(std::size_t size, int count) {
    const int room = size == 0 ? 0 : static_cast<int>(size) - 1;
    return std::min(count, room);
}

/// Integer keys with an optional companion list that moves with them.
struct KeyedLists {
    std::span<std::int32_t> keys;
    std::span<std::int32_t> companion; ///< empty for SortIntegers

    struct Value {
        std::int32_t key;
        std::int32_t companion;
    };
    static std::size_t at(int i) { return static_cast<std::size_t>(i); }

    Value take(int i) const { return {keys[at(i)], companion.empty() ? 0 : companion[at(i)]}; }
    void put(int i, const Value& v) const {
        keys[at(i)] = v.key;
        if (!companion.empty()) companion[at(i)] = v.companion;
    }
    void move(int to, int from) const {
        keys[at(to)] = keys[at(from)];
        if (!companion.empty()) companion[at(to)] = companion[at(from)];
    }
    bool less(int i, int j) const { return keys[at(i)] < keys[at(j)]; }
    bool less(int i, const Value& v) const { return keys[at(i)] < v.key; }
};

} // namespace

void SortIntegers(std::span<std::int32_t> values, int count) {
    KeyedLists lists{values, {}};
    BottomUpHeapSort(lists, clampCount(values.size(), count));
}

void SortByMass(std::span<std::int32_t> keys, std::span<std::int32_t> companion, int count) {
    KeyedLists lists{keys, companion};
    BottomUpHeapSort(lists, clampCount(std::min(keys.size(), companion.size()), count));
}

void SortKeyedPairs(std::span<KeyedPair> pairs, int count) {
    HeapSortRecords(pairs, clampCount(pairs.size(), count),
                    [](const KeyedPair& pair) { return pair.key; });
}

} // namespace qzx
