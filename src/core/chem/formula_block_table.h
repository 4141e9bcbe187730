#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>

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
    /// The most levels a table covers: every heavy row of the formula calculator.
    static constexpr std::size_t kMostLevels = 6;

    /// One inner level: its atom mass (above 0), count range and saturation hydrogens per atom.
    struct Level {
        double mass = 0.0;
        int minimum = 0;
        int most = 0;
        int saturation = 0;
    };

    /// One combination. Single precision keeps the table small; the caller widens its arc by
    /// kFractionError and checks every combination it is handed exactly.
    /// Without member initializers, so that the table's lists are allocated without being
    /// cleared first: every entry is written before it is read.
    struct Entry {
        float fraction; ///< fractional part of mass / mH, 0 to below 1
        /// The combination's mass in hydrogen steps, mass / mH: a look-up at x = (target -
        /// outer mass) / mH leaves x - steps hydrogens for it.
        float steps;
        /// steps plus the saturation hydrogens its atoms add: those hydrogens stay within the
        /// saturation bound when x - saturated is at most the outer levels' own share.
        float saturated;
        /// Its counts above each level's minimum, packed with the outermost level in the
        /// highest bits: keys sort in the enumeration order of the inner levels (each level's
        /// count from its minimum, outer levels slowest), and counts() unpacks them with
        /// shifts alone.
        std::uint32_t key;
    };

    /// How far a stored fraction may lie from the exact one.
    static constexpr double kFractionError = 1e-6;

    /// Every combination of counts from each level's minimum to its most whose mass stays at
    /// or below `massLimit`, levels outermost first. At most kMostLevels levels, whose ranges
    /// multiplied together stay below 2^24, so that every key fits.
    FormulaBlockTable(const Level* levels, std::size_t levelCount, double massLimit,
                      double inverseMassH);
    /// An empty table, to be assigned a built one.
    FormulaBlockTable() = default;

    /// How many combinations the table holds.
    std::size_t size() const { return m_size; }

    /// The counts of the combination with this key, one per level, into `counts`.
    void counts(std::uint32_t key, std::int32_t* counts) const {
        for (std::size_t d = 0; d < m_levelCount; ++d)
            counts[d] = m_minimum[d] + static_cast<std::int32_t>((key >> m_shift[d]) & m_mask[d]);
    }

    /// Calls `visit(entry, inArc)` for every combination in the buckets that the arc of
    /// `reach` around `centre` (0 <= centre <= 1, reach < 0.5) touches, at most twice size()
    /// calls in all; inArc tells whether its fraction lies within the arc, or just beyond its
    /// ends, which the caller's exact check refuses. The test is handed over rather than
    /// branched on: which entries pass cannot be predicted, and a wrong guess costs more than
    /// the visit.
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
    /// The bucket of a fraction from 0 to 1; 1 itself, which single precision can round a
    /// fraction up to, falls in the last bucket.
    std::size_t bucketOf(double fraction) const {
        // Through a signed int: the processor converts a double to it in one instruction,
        // to an unsigned 64-bit number only with a test and a correction.
        const auto b = static_cast<std::uint32_t>(static_cast<std::int32_t>(fraction * m_buckets));
        return b < m_lastBucket ? b : m_lastBucket;
    }

    template <class Visit> void scan(double low, double high, Visit& visit) const {
        const Entry* const end = m_byBucket + m_bucketStart[bucketOf(high) + 1];
        // In single precision, as the fractions are stored: rounding the ends moves them far
        // less than the kFractionError the caller's arc holds in hand.
        const auto lowest = static_cast<float>(low);
        const auto highest = static_cast<float>(high);
        for (const Entry* e = m_byBucket + m_bucketStart[bucketOf(low)]; e < end; ++e) {
            visit(*e, (e->fraction >= lowest) & (e->fraction <= highest));
        }
    }

    std::size_t m_levelCount = 0;
    std::array<std::int32_t, kMostLevels> m_minimum{};
    std::array<std::uint32_t, kMostLevels> m_shift{};
    std::array<std::uint32_t, kMostLevels> m_mask{};
    std::size_t m_size = 0;
    std::unique_ptr<std::byte[]> m_storage; ///< the block holding the two lists below
    Entry* m_byBucket = nullptr;            ///< the combinations grouped by fraction bucket
    std::uint32_t* m_bucketStart = nullptr; ///< first entry of each bucket, and the end
    double m_buckets = 0.0;                 ///< how many buckets, a power of 2
    std::uint32_t m_lastBucket = 0;
};

} // namespace qzx
