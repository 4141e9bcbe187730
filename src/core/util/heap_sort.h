#pragma once

// One ascending heap sort for the program's 1-based lists (position 0 holds nothing), in the
// shapes its callers need: plain integers (the atoms of a fragment), integer keys with a
// companion list moved in step (fragment masses and their mass order), key-value pairs (the
// formula calculator, the spectrum window) and any other record with a key (spectrum peaks).
//
// The variant is the bottom-up heap sort: the heap is built from position count / 2 + 1
// downwards; to place an element, the hole is moved down along the path of the larger children
// to a leaf, and the element then climbs back while it is larger than its parent and has not
// reached the first position of the heap being sifted. Elements with equal keys end in no
// particular order, but always in the same order for the same input.

#include <cstdint>
#include <span>

namespace qzx {

/// A key and the value it carries (`SortKeyedPairs`).
struct KeyedPair {
    std::int32_t key = 0;
    std::int32_t value = 0;
    bool operator==(const KeyedPair&) const = default;
};

/// The sort itself, over positions 1..count of a list reached through `list`, which provides:
///   `Value take(int i)`            the element at i (its place becomes a hole)
///   `void put(int i, const Value&)` an element into place i
///   `void move(int to, int from)`   the element at `from` into place `to`
///   `bool less(int i, int j)`       key at i below key at j
///   `bool less(int i, const Value&)` key at i below the key of a held element
template <typename List> void BottomUpHeapSort(List& list, int count) {
    if (count < 2) return;
    int first = count / 2 + 1; // first position of the heap being sifted
    int last = count;          // last position of the heap
    for (;;) {
        if (first > 1) {
            --first;
            auto held = list.take(first);
            int hole = first;
            for (int child = 2 * hole; child <= last; child = 2 * hole) {
                if (child < last && list.less(child, child + 1)) ++child;
                list.move(hole, child);
                hole = child;
            }
            while (hole > first && list.less(hole / 2, held)) {
                list.move(hole, hole / 2);
                hole /= 2;
            }
            list.put(hole, held);
            continue;
        }
        // The largest element goes to the end; the last one is placed again from the top.
        auto held = list.take(last);
        list.move(last, 1);
        if (--last == 1) {
            list.put(1, held);
            return;
        }
        int hole = 1;
        for (int child = 2; child <= last; child = 2 * hole) {
            if (child < last && list.less(child, child + 1)) ++child;
            list.move(hole, child);
            hole = child;
        }
        while (hole > 1 && list.less(hole / 2, held)) {
            list.move(hole, hole / 2);
            hole /= 2;
        }
        list.put(hole, held);
    }
}

/// Sorts records[1..count] by `key(record)`, ascending.
template <typename Record, typename KeyOf>
void HeapSortRecords(std::span<Record> records, int count, KeyOf key) {
    struct Access {
        std::span<Record> r;
        KeyOf& key;
        Record take(int i) { return r[static_cast<std::size_t>(i)]; }
        void put(int i, const Record& v) { r[static_cast<std::size_t>(i)] = v; }
        void move(int to, int from) {
            r[static_cast<std::size_t>(to)] = r[static_cast<std::size_t>(from)];
        }
        bool less(int i, int j) {
            return key(r[static_cast<std::size_t>(i)]) < key(r[static_cast<std::size_t>(j)]);
        }
        bool less(int i, const Record& v) { return key(r[static_cast<std::size_t>(i)]) < key(v); }
    };
    if (count >= static_cast<int>(records.size())) count = static_cast<int>(records.size()) - 1;
    Access access{records, key};
    BottomUpHeapSort(access, count);
}

/// Sorts values[1..count] ascending in place. Position 0 is not touched; a count beyond the
/// list is cut to the list.
void SortIntegers(std::span<std::int32_t> values, int count);

/// Sorts keys[1..count] ascending and moves companion[1..count] in step with them.
void SortByMass(std::span<std::int32_t> keys, std::span<std::int32_t> companion, int count);

/// Sorts pairs[1..count] ascending by key; each value travels with its key.
void SortKeyedPairs(std::span<KeyedPair> pairs, int count);

} // namespace qzx
