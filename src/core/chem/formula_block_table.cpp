#include "chem/formula_block_table.h"

#include <algorithm>

namespace qzx {

namespace {

/// Where the enumeration goes: first it counts the combinations of each bucket, then it
/// writes them grouped by bucket, each bucket filled from its end.
struct TableWriter {
    std::int32_t* bucketEnd = nullptr;           ///< the count, then the end, of each bucket
    FormulaBlockTable::Entry* grouped = nullptr; ///< null in the counting pass
    int buckets = 0;
    double inverseMassH = 0.0;
    double massLimit = 0.0;
};

/// Every combination of levels[d..n) on top of the outer levels' mass, saturation and rank, in
/// enumeration order. Computing each fraction twice costs less than keeping the combinations
/// in a list of their own between the passes.
void enumerate(const FormulaBlockTable::Level* levels, std::size_t d, std::size_t n, double mass,
               std::int32_t saturation, std::int32_t rank, const TableWriter& out) {
    const FormulaBlockTable::Level& level = levels[d];
    const std::int32_t span = level.most - level.minimum + 1;
    const double limit = out.massLimit;
    if (d + 1 < n) {
        for (int count = level.minimum; count <= level.most; ++count) {
            const double sum = mass + count * level.mass;
            if (sum > limit) break;
            enumerate(levels, d + 1, n, sum, saturation + count * level.saturation,
                      rank * span + (count - level.minimum), out);
        }
        return;
    }
    const double inverse = out.inverseMassH;
    const double buckets = out.buckets;
    const int lastBucket = out.buckets - 1;
    for (int count = level.minimum; count <= level.most; ++count) {
        const double sum = mass + count * level.mass;
        if (sum > limit) break;
        // Masses are positive, so truncation is the floor.
        const double x = sum * inverse;
        const double fraction = x - static_cast<double>(static_cast<std::int64_t>(x));
        const int b = std::min(static_cast<int>(fraction * buckets), lastBucket);
        if (out.grouped == nullptr) {
            ++out.bucketEnd[b];
            continue;
        }
        out.grouped[--out.bucketEnd[b]] = {static_cast<float>(fraction), static_cast<float>(sum),
                                           rank * span + (count - level.minimum),
                                           saturation + count * level.saturation};
    }
}

} // namespace

FormulaBlockTable::FormulaBlockTable(const std::vector<Level>& levels, double massLimit,
                                     double inverseMassH)
    : m_levels(levels) {
    std::size_t most = 1;
    for (const Level& level : levels)
        most *= static_cast<std::size_t>(std::max(level.most - level.minimum + 1, 0));
    // About one combination to a bucket, so a narrow arc tests few beyond those it holds.
    m_buckets = 64;
    while (static_cast<std::size_t>(m_buckets) < most)
        m_buckets *= 2;
    m_bucketStart.assign(static_cast<std::size_t>(m_buckets) + 1, 0);
    if (levels.empty() || most == 0) return;

    // Grouped by bucket (a counting sort): how many each bucket holds, where each ends, then
    // the combinations placed from each bucket's end down, which leaves m_bucketStart[b] at
    // the start of bucket b. The order within a bucket does not matter: the search sorts what
    // a look-up finds by rank. A fraction that single precision rounds up to 1 stays in the
    // last bucket, which the arc's end reaches.
    TableWriter out;
    out.buckets = m_buckets;
    out.inverseMassH = inverseMassH;
    out.massLimit = massLimit;
    out.bucketEnd = m_bucketStart.data();
    enumerate(levels.data(), 0, levels.size(), 0.0, 0, 0, out);
    for (std::size_t b = 1; b < static_cast<std::size_t>(m_buckets); ++b)
        m_bucketStart[b] += m_bucketStart[b - 1];
    m_bucketStart.back() = m_bucketStart[static_cast<std::size_t>(m_buckets) - 1];
    m_byBucket.resize(static_cast<std::size_t>(m_bucketStart.back()));
    out.grouped = m_byBucket.data();
    enumerate(levels.data(), 0, levels.size(), 0.0, 0, 0, out);
}

} // namespace qzx
