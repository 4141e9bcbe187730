#include "chem/formula_block_table.h"

#include <algorithm>

namespace qzx {

FormulaBlockTable::FormulaBlockTable(const std::vector<Level>& levels, double massLimit,
                                     double inverseMassH)
    : m_levels(levels) {
    std::size_t most = 1;
    for (const Level& level : levels)
        most *= static_cast<std::size_t>(std::max(level.most - level.minimum + 1, 0));
    // The combinations in the search's own order, each with its fraction's bucket.
    // About one combination to a bucket, so a narrow arc tests few beyond those it holds.
    m_buckets = 64;
    while (static_cast<std::size_t>(m_buckets) < most)
        m_buckets *= 2;
    std::vector<Entry> entries;
    std::vector<std::int32_t> buckets;
    entries.reserve(most);
    buckets.reserve(most);
    m_bucketStart.assign(static_cast<std::size_t>(m_buckets) + 1, 0);
    const auto add = [&](auto&& self, std::size_t d, double mass, std::int32_t saturation,
                         std::int32_t rank) -> void {
        const Level& level = levels[d];
        const std::int32_t span = level.most - level.minimum + 1;
        const bool last = d + 1 == levels.size();
        for (int count = level.minimum; count <= level.most; ++count) {
            const double sum = mass + count * level.mass;
            if (sum > massLimit) break;
            const std::int32_t sat = saturation + count * level.saturation;
            const std::int32_t place = rank * span + (count - level.minimum);
            if (!last) {
                self(self, d + 1, sum, sat, place);
                continue;
            }
            // Masses are positive, so truncation is the floor.
            const double x = sum * inverseMassH;
            const double fraction = x - static_cast<double>(static_cast<std::int64_t>(x));
            const int b = bucketOf(fraction);
            ++m_bucketStart[static_cast<std::size_t>(b)];
            buckets.push_back(b);
            entries.push_back({static_cast<float>(fraction), static_cast<float>(sum), place, sat});
        }
    };
    if (!levels.empty() && most > 0) add(add, 0, 0.0, 0, 0);

    // Grouped by bucket (a counting sort): each bucket's end, then, placing from the back,
    // its start; what is left in m_bucketStart is where each bucket begins. A fraction that
    // single precision rounds up to 1 stays in the last bucket, which the arc's end reaches.
    for (std::size_t b = 1; b < m_bucketStart.size(); ++b)
        m_bucketStart[b] += m_bucketStart[b - 1];
    m_byBucket.resize(entries.size());
    for (std::size_t i = entries.size(); i-- > 0;) {
        const auto b = static_cast<std::size_t>(buckets[i]);
        m_byBucket[static_cast<std::size_t>(--m_bucketStart[b])] = entries[i];
    }
}

} // namespace qzx
