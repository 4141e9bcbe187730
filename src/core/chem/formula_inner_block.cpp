#include "chem/formula_inner_block.h"

#include <algorithm>
#include <bit>
#include <cassert>

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
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t bucket = rowsBelow(value(i));
        m_masks[(bucket + 1) * words + i / 64] |= std::uint64_t{1} << (i % 64);
    }
    for (std::size_t k = words; k < m_masks.size(); ++k)
        m_masks[k] |= m_masks[k - words];
}

FormulaInnerBlock::FormulaInnerBlock(const Level* levels, std::size_t levelCount, double massH)
    : m_levelCount(levelCount) {
    assert(levelCount <= kMostLevels);
    std::size_t size = 1;
    for (std::size_t d = 0; d < levelCount; ++d)
        size *= static_cast<std::size_t>(std::max(levels[d].most - levels[d].minimum + 1, 0));
    assert(size <= kMostCombinations);
    m_combinations.reserve(size);

    // The combinations in enumeration order: each level's count from its minimum, the outer
    // levels slowest. The mass is summed level by level.
    Combination c{};
    const auto add = [&](auto& self, std::size_t d, double mass) -> void {
        if (d == levelCount) {
            c.mass = mass;
            c.saturatedMass = mass + c.saturation * massH;
            m_combinations.push_back(c);
            return;
        }
        const Level& level = levels[d];
        const std::int32_t saturation = c.saturation, twiceRdb = c.twiceRdb;
        for (int count = level.minimum; count <= level.most; ++count) {
            c.counts[d] = count;
            c.parts[d] = count * level.mass;
            c.saturation = saturation + count * level.saturation;
            c.twiceRdb = twiceRdb + count * level.twiceRdb;
            self(self, d + 1, mass + c.parts[d]);
        }
        c.saturation = saturation;
        c.twiceRdb = twiceRdb;
    };
    if (size == 0) return;
    add(add, 0, 0.0);

    const std::size_t n = m_combinations.size();
    double lightest = m_combinations[0].mass, heaviest = lightest;
    double leastSaturated = m_combinations[0].saturatedMass, mostSaturated = leastSaturated;
    for (const Combination& k : m_combinations) {
        lightest = std::min(lightest, k.mass);
        heaviest = std::max(heaviest, k.mass);
        leastSaturated = std::min(leastSaturated, k.saturatedMass);
        mostSaturated = std::max(mostSaturated, k.saturatedMass);
    }
    m_words = (n + 63) / 64;
    m_byMass = Buckets(n, m_words, lightest, heaviest,
                       [&](std::size_t i) { return m_combinations[i].mass; });
    m_bySaturation = Buckets(n, m_words, -mostSaturated, -leastSaturated,
                             [&](std::size_t i) { return -m_combinations[i].saturatedMass; });
}

} // namespace qzx
