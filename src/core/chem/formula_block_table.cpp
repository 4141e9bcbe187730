#include "chem/formula_block_table.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cassert>

namespace qzx {

namespace {

/// What the enumeration needs besides the levels.
struct TableWriter {
    FormulaBlockTable::Entry* next = nullptr; ///< where the next combination goes
    const std::uint32_t* shift = nullptr;     ///< each level's place in the key
    double inverseMassH = 0.0;
    double massLimit = 0.0;
};

/// Every combination of levels[d..n) on top of the outer levels' mass, saturation and key,
/// written at out.next; returns the end of what it wrote.
FormulaBlockTable::Entry* enumerate(const FormulaBlockTable::Level* levels, std::size_t d,
                                    std::size_t n, double mass, std::int32_t saturation,
                                    std::uint32_t key, TableWriter out) {
    const FormulaBlockTable::Level& level = levels[d];
    const double limit = out.massLimit;
    const std::uint32_t shift = out.shift[d];
    if (d + 1 < n) {
        for (int count = level.minimum; count <= level.most; ++count) {
            const double sum = mass + count * level.mass;
            if (sum > limit) break;
            out.next =
                enumerate(levels, d + 1, n, sum, saturation + count * level.saturation,
                          key | static_cast<std::uint32_t>(count - level.minimum) << shift, out);
        }
        return out.next;
    }
    // The innermost level is most of the table: its mass, key and saturation step with the
    // count. Adding the atom's mass each step rounds differently from count times mass by far
    // less than the margin the caller's mass limit holds, and the table's values are rounded to
    // single precision anyway.
    const double inverse = out.inverseMassH;
    const std::uint32_t keyStep = 1u << shift;
    FormulaBlockTable::Entry* next = out.next;
    double sum = mass + level.minimum * level.mass;
    double sat = saturation + level.minimum * level.saturation;
    for (int count = level.minimum; count <= level.most;
         ++count, sum += level.mass, key += keyStep, sat += level.saturation) {
        if (sum > limit) break;
        // Masses are positive, so truncation is the floor.
        const double x = sum * inverse;
        const double fraction = x - static_cast<double>(static_cast<std::int64_t>(x));
        *next++ = {static_cast<float>(fraction), static_cast<float>(x), static_cast<float>(x + sat),
                   key};
    }
    return next;
}

} // namespace

FormulaBlockTable::FormulaBlockTable(const Level* levels, std::size_t levelCount, double massLimit,
                                     double inverseMassH)
    : m_levelCount(std::min(levelCount, kMostLevels)) {
    // Each level's count above its minimum gets as many bits as its range needs, the
    // innermost level the lowest: keys then compare as the enumeration order does.
    std::size_t most = 1;
    std::uint32_t bits = 0;
    for (std::size_t d = m_levelCount; d-- > 0;) {
        const int span = std::max(levels[d].most - levels[d].minimum + 1, 0);
        most *= static_cast<std::size_t>(span);
        const auto width = static_cast<std::uint32_t>(
            std::bit_width(static_cast<unsigned>(std::max(span - 1, 0))));
        m_minimum[d] = levels[d].minimum;
        m_shift[d] = bits;
        m_mask[d] = width == 0 ? 0u : (~0u >> (32u - width));
        bits += width;
    }
    assert(bits <= 32);
    if (m_levelCount == 0) most = 0;

    // The combinations first, in a list of their own: the mass limit leaves out an unknown
    // share of them, and the bucket count follows from how many stay. They are listed with the
    // widest level innermost, whatever the search's order: the keys carry that order, and a
    // short innermost loop would cost a call for every few combinations.
    // Sorted by insertion: six levels at most, and std::stable_sort would ask for a buffer.
    std::array<std::size_t, kMostLevels> byWidth{};
    const auto span = [&](std::size_t d) { return levels[d].most - levels[d].minimum; };
    for (std::size_t d = 0; d < m_levelCount; ++d) {
        std::size_t i = d;
        for (; i > 0 && span(byWidth[i - 1]) > span(d); --i)
            byWidth[i] = byWidth[i - 1];
        byWidth[i] = d;
    }
    std::array<Level, kMostLevels> listed{};
    std::array<std::uint32_t, kMostLevels> listedShift{};
    for (std::size_t d = 0; d < m_levelCount; ++d) {
        listed[d] = levels[byWidth[d]];
        listedShift[d] = m_shift[byWidth[d]];
    }
    // One block holds the grouped entries, the bucket starts and, while the table is built,
    // the entries as listed: one allocation instead of three. A block of bytes holds objects
    // of these plain types as soon as they are written.
    std::size_t mostBuckets = 64;
    while (mostBuckets < most)
        mostBuckets *= 2;
    m_storage.reset(
        new std::byte[2 * most * sizeof(Entry) + (mostBuckets + 1) * sizeof(std::uint32_t)]);
    m_byBucket = reinterpret_cast<Entry*>(m_storage.get());
    Entry* const ordered = m_byBucket + most;
    m_bucketStart = reinterpret_cast<std::uint32_t*>(ordered + most);
    if (most > 0) {
        const TableWriter out{ordered, listedShift.data(), inverseMassH, massLimit};
        m_size = static_cast<std::size_t>(
            enumerate(listed.data(), 0, m_levelCount, 0.0, 0, 0u, out) - ordered);
    }

    // About one combination to a bucket, so a narrow arc tests few beyond those it holds.
    std::size_t buckets = 64;
    while (buckets < m_size)
        buckets *= 2;
    m_buckets = static_cast<double>(buckets);
    m_lastBucket = static_cast<std::uint32_t>(buckets - 1);
    std::fill(m_bucketStart, m_bucketStart + buckets + 1, 0u);

    // Grouped by bucket (a counting sort): how many each bucket holds, where each ends, then
    // the combinations placed from each bucket's end down, which leaves m_bucketStart[b] at
    // the start of bucket b. The order within a bucket does not matter: the search sorts what
    // a look-up finds by key. The bucket comes from the stored fraction, the value scan()
    // compares.
    std::uint32_t* const start = m_bucketStart;
    for (std::size_t i = 0; i < m_size; ++i)
        ++start[bucketOf(ordered[i].fraction)];
    for (std::size_t b = 1; b < buckets; ++b)
        start[b] += start[b - 1];
    start[buckets] = start[buckets - 1];
    for (std::size_t i = 0; i < m_size; ++i)
        m_byBucket[--start[bucketOf(ordered[i].fraction)]] = ordered[i];
}

} // namespace qzx
