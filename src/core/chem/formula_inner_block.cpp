#include "chem/formula_inner_block.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <limits>

namespace qzx {

template <class Value>
FormulaInnerBlock::Buckets::Buckets(std::size_t n, std::size_t words, double lowest, double highest,
                                    Value value)
    : m_words(words), m_lowest(lowest) {
    // About two combinations per bucket: a bound cuts through one bucket, and the odd
    // combination it admits too many costs the caller one exact test.
    const std::size_t buckets = std::max<std::size_t>(std::bit_ceil(n) / 2, 32);
    m_buckets = static_cast<double>(buckets);
    m_bucketCount = buckets;
    if (highest > lowest) m_scale = m_buckets / (highest - lowest);
    // Each combination into the row after its bucket, then every row joined with the rows
    // before it. The highest value, exactly at the top, shares the last bucket.
    m_masks.assign((buckets + 1) * words, 0);
    // The values lie within lowest .. highest: the bucket needs no bounds but the top one.
    const auto lastBucket = static_cast<std::int32_t>(buckets - 1);
    for (std::size_t i = 0; i < n; ++i) {
        const auto bucket =
            std::min(static_cast<std::int32_t>((value(i) - m_lowest) * m_scale), lastBucket);
        m_masks[static_cast<std::size_t>(bucket + 1) * words + i / 64] |= std::uint64_t{1}
                                                                          << (i % 64);
    }
    for (std::size_t k = words; k < m_masks.size(); ++k)
        m_masks[k] |= m_masks[k - words];
}

FormulaInnerBlock::FormulaInnerBlock(const Level* levels, std::size_t levelCount, double massH)
    : m_levelCount(levelCount) {
    assert(levelCount >= 1 && levelCount <= kMostLevels);
    std::size_t size = 1;
    for (std::size_t d = 0; d < levelCount; ++d)
        size *= static_cast<std::size_t>(std::max(levels[d].most - levels[d].minimum + 1, 0));
    assert(size <= kMostCombinations);
    if (size == 0) return;
    m_size = size;
    m_combinations = std::make_unique_for_overwrite<Combination[]>(size);

    // The combinations in enumeration order: each level's count from its minimum, the outer
    // levels slowest; the mass summed level by level. `outer` holds the outer levels' share.
    Combination* next = m_combinations.get();
    Combination outer{};
    const std::size_t last = levelCount - 1;
    const Level& inner = levels[last];
    double leastSaturated = std::numeric_limits<double>::infinity();
    double mostSaturated = -leastSaturated;
    const auto add = [&](auto& self, std::size_t d, double mass) -> void {
        if (d == last) {
            for (int count = inner.minimum; count <= inner.most; ++count) {
                Combination& k = *next++;
                for (std::size_t o = 0; o < d; ++o) {
                    k.counts[o] = outer.counts[o];
                    k.parts[o] = outer.parts[o];
                }
                k.counts[d] = count;
                k.parts[d] = count * inner.mass;
                k.saturation = outer.saturation + count * inner.saturation;
                k.twiceRdb = outer.twiceRdb + count * inner.twiceRdb;
                k.mass = mass + k.parts[d];
                k.saturatedMass = k.mass + k.saturation * massH;
                leastSaturated = std::min(leastSaturated, k.saturatedMass);
                mostSaturated = std::max(mostSaturated, k.saturatedMass);
            }
            return;
        }
        const Level& level = levels[d];
        const std::int32_t saturation = outer.saturation, twiceRdb = outer.twiceRdb;
        for (int count = level.minimum; count <= level.most; ++count) {
            outer.counts[d] = count;
            outer.parts[d] = count * level.mass;
            outer.saturation = saturation + count * level.saturation;
            outer.twiceRdb = twiceRdb + count * level.twiceRdb;
            self(self, d + 1, mass + outer.parts[d]);
        }
        outer.saturation = saturation;
        outer.twiceRdb = twiceRdb;
    };
    add(add, 0, 0.0);

    // Every atom mass is positive: the first combination, every level at its minimum, is the
    // lightest, and the last the heaviest.
    const Combination* all = m_combinations.get();
    m_words = (size + 63) / 64;
    m_byMass = Buckets(size, m_words, all[0].mass, all[size - 1].mass,
                       [all](std::size_t i) { return all[i].mass; });
    m_bySaturation = Buckets(size, m_words, -mostSaturated, -leastSaturated,
                             [all](std::size_t i) { return -all[i].saturatedMass; });
}

} // namespace qzx
