#pragma once

#include <cstdint>
#include <vector>

namespace qzx {

/// Every combination of counts of the formula search's inner heavy levels, indexed by where
/// its mass falls between two hydrogen steps.
///
/// With the outer levels' mass P fixed, an inner combination of mass m meets the window
/// target +- tolerance with some hydrogen count h exactly when (target - P - m) / mH lies
/// within tolerance / mH of a whole number: when the fractional part of m / mH lies that close
/// to the fractional part of (target - P) / mH, on the circle [0, 1). For a narrow window that
/// is a small arc, so a table of the fractional parts, bucketed over [0, 1), hands each outer
/// combination the few inner combinations worth trying instead of all of them.
class FormulaBlockTable {
public:
    /// One inner level: its atom mass (above 0), count range and saturation hydrogens per atom.
    struct Level {
        double mass = 0.0;
        int minimum = 0;
        int most = 0;
        int saturation = 0;
    };

    /// One combination. Single precision keeps the table small; the caller widens its arc by
    /// kFractionError and checks every combination it is handed exactly.
    struct Entry {
        float fraction = 0.0f; ///< fractional part of mass / mH, 0 to below 1
        float mass = 0.0f;     ///< the combination's mass, u
        /// Its place in the enumeration order of the inner levels (each level's count from
        /// its minimum, outer levels slowest), counting combinations the mass limit left out.
        std::int32_t rank = 0;
        std::int32_t saturation = 0; ///< saturation hydrogens its atoms add
    };

    /// How far a stored fraction may lie from the exact one.
    static constexpr double kFractionError = 1e-6;

    /// Every combination of counts from each level's minimum to its most whose mass stays at
    /// or below `massLimit`, levels outermost first. The levels' ranges multiplied together
    /// must stay below 2^31.
    FormulaBlockTable(const std::vector<Level>& levels, double massLimit, double inverseMassH);

    /// How many combinations the table holds.
    std::size_t size() const { return m_byBucket.size(); }

    /// The counts of the combination of this rank, one per level, into `counts`.
    void counts(std::int32_t rank, std::int32_t* counts) const {
        for (std::size_t d = m_levels.size(); d-- > 0;) {
            const std::int32_t span = m_levels[d].most - m_levels[d].minimum + 1;
            counts[d] = m_levels[d].minimum + rank % span;
            rank /= span;
        }
    }

    /// Calls `visit(entry)` for every combination whose fraction lies within `reach` of
    /// `centre` (0 <= centre < 1, reach < 0.5) around the circle, and possibly a few more near
    /// the ends of the arc; the caller makes the exact check.
    template <class Visit> void find(double centre, double reach, Visit&& visit) const {
        const double low = centre - reach;
        const double high = centre + reach;
        if (low < 0.0) {
            scan(0.0, high, visit);
            scan(low + 1.0, 1.0, visit);
        } else if (high >= 1.0) {
            scan(low, 1.0, visit);
            scan(0.0, high - 1.0, visit);
        } else {
            scan(low, high, visit);
        }
    }

private:
    int bucketOf(double fraction) const {
        const int b = static_cast<int>(fraction * m_buckets);
        return b < 0 ? 0 : (b >= m_buckets ? m_buckets - 1 : b);
    }

    template <class Visit> void scan(double low, double high, Visit& visit) const {
        const auto first = static_cast<std::size_t>(m_bucketStart[bucketOf(low)]);
        const auto last = static_cast<std::size_t>(m_bucketStart[bucketOf(high) + 1]);
        for (std::size_t i = first; i < last; ++i) {
            const Entry& e = m_byBucket[i];
            if (e.fraction >= low && e.fraction <= high) visit(e);
        }
    }

    std::vector<Level> m_levels;
    std::vector<Entry> m_byBucket;           ///< the combinations grouped by fraction bucket
    std::vector<std::int32_t> m_bucketStart; ///< first entry of each bucket, and the end
    int m_buckets = 0;
};

} // namespace qzx
