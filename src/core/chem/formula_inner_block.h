#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace qzx {

/// Every combination of counts of the formula search's innermost heavy levels, for windows
/// too wide for FormulaBlockTable's fraction look-up.
///
/// With the outer levels' mass P and saturation hydrogens S fixed, an inner combination of
/// mass m and saturation hydrogens s can meet the window only when m stays below the top of
/// the window less P and the fewest hydrogens, when m + s mH reaches above its bottom less P
/// and S mH, and when m reaches above its bottom less P and the most hydrogens. The block
/// buckets the combinations by m and by m + s mH, and keeps for every bucket the bit mask of
/// the combinations in the buckets below it, the bits in enumeration order. A look-up joins
/// three masks: the bits left are the candidates, already in enumeration order. Bucketing
/// admits the odd combination just beyond a bound, which the caller's exact test refuses; at
/// wide windows nearly all candidates are results.
class FormulaInnerBlock {
public:
    /// The most levels a block covers: every heavy row of the formula calculator.
    static constexpr std::size_t kMostLevels = 6;
    /// The most combinations a block holds: two 64-bit words per mask. Larger blocks cost
    /// more to build than the look-ups they save in the short searches of low masses.
    static constexpr std::size_t kMostCombinations = 128;

    /// One inner level: its atom mass, count range, saturation hydrogens and what an atom adds
    /// to twice the rings plus double bonds.
    struct Level {
        double mass = 0.0;
        int minimum = 0;
        int most = 0;
        int saturation = 0;
        int twiceRdb = 0;
    };

    /// One combination of counts, one per level, outermost level first.
    struct Combination {
        std::array<std::int32_t, kMostLevels> counts;
        /// Each count times its atom mass: the very products the level loops compute, so the
        /// caller can sum them as the loops do.
        std::array<double, kMostLevels> parts;
        std::int32_t saturation; ///< saturation hydrogens its atoms add
        std::int32_t twiceRdb;   ///< what its atoms add to twice the rings plus double bonds
        double mass;             ///< the parts summed
        double saturatedMass;    ///< mass plus the saturation hydrogens' mass
    };

    /// Every combination of counts from each level's minimum to its most, levels outermost
    /// first (one to kMostLevels, each with an atom mass above 0, at most kMostCombinations
    /// combinations in all), with the hydrogen atom mass `massH` for the saturation bound.
    FormulaInnerBlock(const Level* levels, std::size_t levelCount, double massH);
    /// An empty block, to be assigned a built one.
    FormulaInnerBlock() = default;

    std::size_t size() const { return m_size; }
    std::size_t levelCount() const { return m_levelCount; }

    /// Calls `visit(combination)`, in enumeration order, for every combination whose mass m
    /// lies within lightest .. heaviest and whose m + saturation x mH is at least
    /// `leastSaturated`, and for a few just beyond those bounds; stops and returns false as
    /// soon as a visit returns false.
    template <class Visit> [[gnu::always_inline]] bool
    visit(double lightest, double heaviest, double leastSaturated, Visit&& visit) const {
        const std::size_t heavy = m_byMass.rowsUpTo(heaviest);
        const std::size_t saturated = m_bySaturation.rowsUpTo(-leastSaturated);
        if (heavy == 0 || saturated == 0) return true;
        const std::uint64_t* kept = m_byMass.row(heavy);
        const std::uint64_t* dropped = m_byMass.row(m_byMass.rowsBelow(lightest));
        const std::uint64_t* room = m_bySaturation.row(saturated);
        for (std::size_t w = 0; w < m_words; ++w) {
            for (std::uint64_t bits = kept[w] & ~dropped[w] & room[w]; bits != 0;
                 bits &= bits - 1) {
                const std::size_t i = w * 64 + static_cast<std::size_t>(std::countr_zero(bits));
                if (!visit(m_combinations[i])) return false;
            }
        }
        return true;
    }

private:
    /// The combinations bucketed by a value: row r holds the bit mask of those in buckets
    /// below r, for r = 0 .. buckets.
    class Buckets {
    public:
        Buckets() = default;
        /// Buckets the n values value(i) of the combinations in enumeration order, which lie
        /// within lowest .. highest.
        template <class Value>
        Buckets(std::size_t n, std::size_t words, double lowest, double highest, Value value);

        const std::uint64_t* row(std::size_t r) const { return &m_masks[r * m_words]; }
        /// A row that holds every combination whose value is at most x.
        std::size_t rowsUpTo(double x) const { return place(x, 1.0, m_bucketCount); }
        /// A row that holds only combinations whose value is below x. Never the last row:
        /// the highest value shares the last bucket, where a bound just below it also falls.
        std::size_t rowsBelow(double x) const {
            return std::min(place(x, 0.0, 0), m_bucketCount - 1);
        }

    private:
        /// The bucket of x plus `shift`, held to 0 .. the bucket count, or `undefined` for a
        /// bound without a value (an infinite bound over values that are all equal). The
        /// buckets follow the values in order, as the rounded arithmetic never reverses two.
        /// Truncation rounds the places of values below the lowest up, which leaves a row
        /// too wide, never too narrow.
        std::size_t place(double x, double shift, std::size_t undefined) const {
            const double v = (x - m_lowest) * m_scale + shift;
            if (std::isnan(v)) return undefined;
            return static_cast<std::size_t>(
                static_cast<std::int32_t>(std::clamp(v, 0.0, m_buckets)));
        }

        std::vector<std::uint64_t> m_masks;
        std::size_t m_words = 0;
        double m_lowest = 0.0;
        double m_scale = 0.0;          ///< buckets per unit of value
        double m_buckets = 0.0;        ///< how many
        std::size_t m_bucketCount = 0; ///< the same as a count
    };

    std::size_t m_levelCount = 0;
    std::size_t m_size = 0;
    std::unique_ptr<Combination[]> m_combinations; ///< in enumeration order
    std::size_t m_words = 0;                       ///< 64-bit words in a mask
    Buckets m_byMass;                              ///< by mass m
    Buckets m_bySaturation;                        ///< by -(m + saturation x mH)
};

} // namespace qzx
