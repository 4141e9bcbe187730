#include "chem/formula_search.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <span>
#include <vector>

#include "chem/element_table.h"
#include "chem/formula_block_table.h"
#include "chem/formula_inner_block.h"
#include "util/rounding.h"

namespace qzx {
namespace {

constexpr double kLowestTarget = 1.0;
constexpr double kHighestTarget = 15000.0;
constexpr int kHydrogenLimit = 32000;
/// No count ever gets near this; it keeps conversions of huge bounds inside int.
constexpr double kCountCap = 1 << 24;
constexpr int kProgressEvery = 50;
constexpr auto kProgressInterval = std::chrono::milliseconds(50);
/// Pruning keeps this distance (u) from the window so rounding never drops a candidate.
constexpr double kPruneMargin = 1e-6;
/// The inner heavy levels are looked up (see FormulaBlockTable) only while their table holds
/// at most this many combinations, which keeps it a few megabytes and quick to build (and
/// its keys inside 32 bits) ...
constexpr double kBlockMostEntries = 1 << 18;
/// ... and only while the window holds less than this share of every hydrogen step; wider
/// windows admit most combinations anyway.
constexpr double kLookupWidestShare = 0.25;

/// Rounds a difference in units of 0.0001 u, halves to even, without a library call: adding
/// and removing 2^52 leaves the nearest whole number in the default rounding mode.
double roundedDifference(double x) {
    constexpr double kShift = 4503599627370496.0; // 2^52
    constexpr double kHighest = 2147483647.0;     // the field holds an int32
    return x < kShift ? std::min((x + kShift) - kShift, kHighest) : kHighest;
}

/// round(x) as a count, halves to even, with huge, infinite or undefined values held inside
/// int: x held to -1 .. kCountCap and rounded, NaN taken as 0. The level loops ask for it at
/// every entry, so it rounds by adding and removing 2^52 rather than by a library call.
int roundedCount(double x) {
    constexpr double kShift = 4503599627370496.0; // 2^52
    if (x >= 0.0) return static_cast<int>((std::min(x, kCountCap) + kShift) - kShift);
    return x < -0.5 ? -1 : 0;
}

/// What an atom of an element of this class adds to twice the rings plus double bonds
/// (carbon-like 2, hydrogen-like -1, nitrogen-like 1, class 4 3, class 5 4; others nothing).
int twiceRdbPerAtom(int rdbClass) {
    switch (rdbClass) {
    case 1:
        return 2;
    case 2:
        return -1;
    case 3:
        return 1;
    case 4:
        return 3;
    case 5:
        return 4;
    default:
        return 0;
    }
}

/// Hydrogens that a saturated molecule gains per atom of an element of this class.
int saturationPerAtom(int rdbClass) {
    switch (rdbClass) {
    case 0:
        return 0;
    case 1:
        return 2;
    case 2:
        return -1;
    case 3:
        return 1;
    default:
        return rdbClass - 1; // 4 and above
    }
}

/// The heavy rows: every row but hydrogen.
constexpr std::size_t kHeavyLevels = kFormulaRows - 1;
static_assert(kHeavyLevels == FormulaBlockTable::kMostLevels);
static_assert(kHeavyLevels == FormulaInnerBlock::kMostLevels);

/// One non-hydrogen level of the enumeration.
struct Level {
    int row = 0;
    double mass = 0.0; ///< u
    int minimum = 0;
    int userMaximum = 0; ///< 0: none
    int saturation = 0;  ///< hydrogens per atom in the saturation bound
    int twiceRdb = 0;    ///< what an atom adds to twice the rings plus double bonds
    /// Largest count the level can reach anywhere in the search.
    int reachable = 0;
};

class Enumerator {
public:
    Enumerator(const FormulaSearchInput& input, const ElementTable& elements, double tolerance,
               FormulaSearchProgress* progress, FormulaSearchSink* sink,
               FormulaSearchResult& result)
        : m_input(input), m_tolerance(tolerance), m_progress(progress), m_sink(sink),
          m_result(result) {
        m_upper = input.target + tolerance;
        m_lower = input.target - tolerance;
        for (int row = 0; row < kFormulaRows; ++row)
            m_elements[row] = input.rowElements[row];
        for (int row : {kRowC, kRowH, kRowO, kRowN})
            m_elements[row] = kFixedElements[row];
        m_changeable = {m_elements[kRow5], m_elements[kRow6], m_elements[kRow7]};

        const FormulaSearchRow& h = input.rows[kRowH];
        m_massH = elements[m_elements[kRowH]].ExactMass;
        m_inverseMassH = m_massH > 0.0 ? 1.0 / m_massH : 0.0;
        m_minH = h.enabled ? std::max(h.minimum, 0) : 0;
        m_maxH = h.enabled ? (h.maximum > 0 ? h.maximum : kHydrogenLimit) : 0;

        for (int row : {kRowC, kRowO, kRowN, kRow5, kRow6, kRow7}) {
            const FormulaSearchRow& r = input.rows[row];
            if (!r.enabled) continue; // a disabled row, carbon included, means none of it
            if (m_elements[row] < 1 || m_elements[row] > kElementCount) continue; // no element
            const ElementRecord& element = elements[m_elements[row]];
            Level level;
            level.row = row;
            level.mass = element.ExactMass;
            level.minimum = std::max(r.minimum, 0);
            if (row == kRowC && r.minimum < 0) level.minimum = 1;
            level.userMaximum = std::max(r.maximum, 0);
            level.saturation = row == kRowC   ? 2
                               : row == kRowO ? 0
                               : row == kRowN ? 1
                                              : saturationPerAtom(element.RdbClass);
            level.twiceRdb = row == kRowC   ? 2
                             : row == kRowO ? 0
                             : row == kRowN ? 1
                                            : twiceRdbPerAtom(element.RdbClass);
            level.reachable = levelMaximum(level, 0.0);
            m_levels[m_levelCount++] = level;
        }
        // What the levels from d on can still add at most (mass and saturation hydrogens) and
        // at least (mass), for pruning whole ranges.
        const std::size_t n = m_levelCount;
        for (std::size_t d = n; d-- > 0;) {
            const Level& level = m_levels[d];
            const int most = std::max(level.reachable, 0);
            m_massAbove[d] = m_massAbove[d + 1] + most * level.mass;
            m_saturationAbove[d] = m_saturationAbove[d + 1] + most * std::max(level.saturation, 0);
            m_massBelow[d] = m_massBelow[d + 1] + level.minimum * level.mass;
        }
        // With the window narrower than a hydrogen step by a margin far above the rounding of
        // the sums, at most the hydrogen count nearest the target can meet it.
        m_singleHydrogenCount = m_massH > 0.0 && m_tolerance * m_inverseMassH < 0.5 - 1e-6;
        prepareLookup();
        if (m_lookupStart == SIZE_MAX) prepareInnerBlock();
        m_filtered = input.rdbLimits || input.molecularIonsOnly || input.nitrogenRule;
        if (m_progress != nullptr) m_lastReport = Clock::now();
    }

    void run() { descend(0, 0.0, 2, 2); }

private:
    using Clock = std::chrono::steady_clock;
    static constexpr std::array<int, 4> kFixedElements{1, 2, 4, 3};

    /// A level's upper count for the mass `partial` of the outer levels: what the rest of the
    /// window leaves room for, lowered to the user's maximum.
    int levelMaximum(const Level& level, double partial) const {
        int most = 0;
        if (level.mass > 0.0) {
            most = roundedCount((m_upper - partial) / level.mass);
        } else {
            // Without a mass (no element data) the target sets no bound: the count stays at
            // the user's maximum, or at the minimum when there is none.
            most = level.userMaximum > 0 ? level.userMaximum : level.minimum;
        }
        if (level.userMaximum > 0 && level.userMaximum < most) most = level.userMaximum;
        return most;
    }

    /// Chooses the levels from which on the counts are looked up in a FormulaBlockTable, and
    /// builds it, when that beats trying every count. The choice weighs the table's size
    /// against the look-ups the outer combinations make, on the count ranges alone.
    void prepareLookup() {
        const std::size_t n = m_levelCount;
        if (n == 0 || m_massH <= 0.0 || m_maxH <= 0) return;
        m_lookupReach = (m_tolerance + kPruneMargin) * m_inverseMassH;
        if (!(2.0 * m_lookupReach < kLookupWidestShare)) return;
        std::array<double, kHeavyLevels> span{};
        double everything = 1.0;
        for (std::size_t d = 0; d < n; ++d) {
            span[d] = std::max(m_levels[d].reachable - m_levels[d].minimum + 1, 0);
            everything *= span[d];
        }
        if (everything == 0.0) return; // some level has no count at all: nothing to find
        double best = everything;      // trying every count, the levels' ranges alone
        std::size_t start = n;
        double inner = 1.0;
        for (std::size_t d = n; d-- > 0;) {
            if (!(m_levels[d].mass > 0.0)) break; // a mass-less level admits every count
            inner *= span[d];
            if (inner > kBlockMostEntries) break;
            const double outer = everything / inner;
            const double cost = outer * (2.0 * m_lookupReach * inner + 4.0) + 2.0 * inner;
            if (cost < best) {
                best = cost;
                start = d;
            }
        }
        if (start == n) return;
        std::array<FormulaBlockTable::Level, FormulaBlockTable::kMostLevels> levels{};
        for (std::size_t d = start; d < n; ++d) {
            const Level& l = m_levels[d];
            levels[d - start] = {l.mass, l.minimum, l.reachable, l.saturation};
        }
        const double outerLightest = m_massBelow[0] - m_massBelow[start];
        m_lookupStart = start;
        m_lookup = FormulaBlockTable(levels.data(), n - start,
                                     m_upper + kPruneMargin - outerLightest - m_minH * m_massH,
                                     m_inverseMassH);
        m_hits = std::make_unique_for_overwrite<std::uint32_t[]>(2 * m_lookup.size() + 1);
        m_mostHWithSlack = m_maxH + 0.5;
        m_fewestHWithSlack = m_minH - 0.5;
    }

    /// Chooses the innermost levels that a FormulaInnerBlock covers, when no table was built,
    /// and builds it: as many levels as the block has room for. More levels in the block
    /// mean fewer look-ups by the outer levels, and the block stays small enough to build in
    /// a fraction of the shortest search.
    void prepareInnerBlock() {
        const std::size_t n = m_levelCount;
        for (std::size_t d = 0; d < n; ++d)
            if (m_levels[d].reachable < m_levels[d].minimum) return; // nothing to find
        std::size_t start = n;
        double combinations = 1.0;
        while (start > 0) {
            const Level& level = m_levels[start - 1];
            if (!(level.mass > 0.0)) break; // a mass-less level admits every count
            combinations *= level.reachable - level.minimum + 1;
            if (combinations > static_cast<double>(FormulaInnerBlock::kMostCombinations)) break;
            --start;
        }
        if (start == n) return;
        std::array<FormulaInnerBlock::Level, FormulaInnerBlock::kMostLevels> levels{};
        for (std::size_t d = start; d < n; ++d) {
            const Level& l = m_levels[d];
            levels[d - start] = {l.mass, l.minimum, l.reachable, l.saturation, l.twiceRdb};
        }
        m_blockStart = start;
        m_block = FormulaInnerBlock(levels.data(), n - start, m_massH);
        for (std::size_t d = start; d < n; ++d)
            m_blockRows[d - start] = static_cast<std::size_t>(m_levels[d].row);
    }

    /// The levels of the inner block: only the combinations that the bounds of the window, the
    /// saturation and the user's hydrogen range leave, in enumeration order, each with the
    /// hydrogen counts that meet the window.
    void innerLevelsFromBlock(double partial, int saturation, int twiceRdb) {
        if (m_stop || tick()) return;
        switch (m_block.levelCount()) {
        case 1:
            return blockLevels<1>(partial, saturation, twiceRdb);
        case 2:
            return blockLevels<2>(partial, saturation, twiceRdb);
        case 3:
            return blockLevels<3>(partial, saturation, twiceRdb);
        default:
            return blockLevels<0>(partial, saturation, twiceRdb);
        }
    }

    /// innerLevelsFromBlock() for `Levels` levels, known when compiled for the usual one to
    /// three (the sums then need no loop), or any number when Levels is 0. The bounds hold a
    /// margin far above the rounding of the sums; the exact test of hydrogens() decides.
    template <std::size_t Levels> void blockLevels(double partial, int saturation, int twiceRdb) {
        const std::size_t levels = Levels > 0 ? Levels : m_block.levelCount();
        const double heaviest = m_upper + kPruneMargin - partial - m_minH * m_massH;
        const double lightest = m_lower - kPruneMargin - partial - m_maxH * m_massH;
        const double leastSaturated = m_lower - kPruneMargin - partial - saturation * m_massH;
        const auto& rows = m_blockRows;
        // Held in locals: the visits store into m_counts and the result list, after which the
        // members would be read again.
        const double target = m_input.target, tolerance = m_tolerance;
        const double massH = m_massH, inverseMassH = m_inverseMassH;
        const int minH = m_minH, maxH = m_maxH;
        const bool singleHydrogenCount = m_singleHydrogenCount;
        m_block.visit(lightest, heaviest, leastSaturated,
                      [&](const FormulaInnerBlock::Combination& c) {
                          // Summed level by level, as the level loops sum it, of the very
                          // products they compute, so the window test sees the very same value.
                          double mass = partial;
                          for (std::size_t i = 0; i < levels; ++i)
                              mass = mass + c.parts[i];
                          for (std::size_t i = 0; i < levels; ++i)
                              m_counts[rows[i]] = c.counts[i];
                          if (!singleHydrogenCount) {
                              hydrogens(mass, saturation + c.saturation, twiceRdb + c.twiceRdb);
                              return !m_stop;
                          }
                          // The one hydrogen count that can meet the window, as in hydrogens().
                          const double x = (target - mass) * inverseMassH + 0.5;
                          const int h = static_cast<int>(std::clamp(x, -1.0, kCountCap));
                          if (h < minH || h > std::min(saturation + c.saturation, maxH))
                              return true;
                          const double total = mass + h * massH;
                          if (!(std::abs(total - target) < tolerance)) return true;
                          return consider(total, twiceRdb + c.twiceRdb - h, h, {kRowH, h});
                      });
        for (std::size_t i = 0; i < levels; ++i)
            m_counts[rows[i]] = 0;
    }

    /// The looked-up levels: only the combinations that can meet the window with a hydrogen
    /// count the saturation and the user allow, in enumeration order.
    void innerLevelsByLookup(double partial, int saturation, int twiceRdb) {
        const double x = (m_input.target - partial) * m_inverseMassH;
        // Beyond the arc, the combination's hydrogens x - steps must lie within the user's
        // bounds and the saturation's; half a step of slack leaves the edges, and the single
        // precision of the table, to the exact check.
        const auto fewestSteps = static_cast<float>(x - m_mostHWithSlack);
        const auto mostSteps = static_cast<float>(x - m_fewestHWithSlack);
        const auto fewestSaturated = static_cast<float>(x - (saturation + 0.5));
        const double reach = m_lookupReach + FormulaBlockTable::kFractionError;
        // x lies above -1 (descend() keeps the outer mass below the window's top), so
        // truncation and one correction give the fraction without a library call.
        double centre = x - static_cast<double>(static_cast<std::int64_t>(x));
        if (centre < 0.0) centre += 1.0;
        // Every visited key is written and only the kept ones counted: no branch on a test
        // whose outcome the processor cannot guess.
        std::uint32_t* const hits = m_hits.get();
        std::size_t kept = 0;
        m_lookup.find(centre, reach, [&](const FormulaBlockTable::Entry& e, bool inArc) {
            const bool possible = (e.steps >= fewestSteps) & (e.steps <= mostSteps) &
                                  (e.saturated >= fewestSaturated);
            hits[kept] = e.key;
            kept += static_cast<std::size_t>(inArc & possible);
        });
        if (kept == 0) return;
        if (kept > 1) std::sort(hits, hits + kept);
        const std::size_t n = m_levelCount;
        std::array<std::int32_t, kFormulaRows> counts{};
        for (const std::uint32_t key : std::span(hits, kept)) {
            if (m_stop) break;
            m_lookup.counts(key, counts.data());
            // The mass summed level by level, as the enumeration sums it, so the exact
            // comparison sees the very same value.
            double mass = partial;
            int sat = saturation;
            int rdb = twiceRdb;
            for (std::size_t d = m_lookupStart; d < n; ++d) {
                const Level& level = m_levels[d];
                const int count = counts[d - m_lookupStart];
                m_counts[level.row] = count;
                mass = mass + count * level.mass;
                sat += count * level.saturation;
                rdb += count * level.twiceRdb;
            }
            hydrogens(mass, sat, rdb);
        }
        for (std::size_t d = m_lookupStart; d < n; ++d)
            m_counts[m_levels[d].row] = 0;
    }

    void descend(std::size_t d, double partial, int saturation, int twiceRdb) {
        if (d == m_levelCount) {
            hydrogens(partial, saturation, twiceRdb);
            return;
        }
        if (d == m_lookupStart) {
            if (!m_stop && !tick()) innerLevelsByLookup(partial, saturation, twiceRdb);
            return;
        }
        if (d == m_blockStart) {
            innerLevelsFromBlock(partial, saturation, twiceRdb);
            return;
        }
        if (d + 1 == m_levelCount && m_singleHydrogenCount) {
            innermostLevel(d, partial, saturation, twiceRdb);
            return;
        }
        const Level& level = m_levels[d];
        const int most = levelMaximum(level, partial);
        // The bounds of the two prunings below, which hold for every count of this level.
        // Their margin is far above the rounding that moving the terms about changes.
        const double heaviest = m_upper + kPruneMargin - m_massBelow[d + 1] - m_minH * m_massH;
        const double lightest = m_lower - kPruneMargin - m_massAbove[d + 1];
        const double saturationAbove = m_saturationAbove[d + 1];
        const auto mostH = static_cast<double>(m_maxH);
        for (int count = firstViableCount(d, partial, saturation); count <= most; ++count) {
            if (m_stop || tick()) return;
            const double mass = partial + count * level.mass;
            const int sat = saturation + count * level.saturation;
            // Even the inner levels' smallest counts overshoot the window: so does every
            // larger count here.
            if (mass > heaviest) break;
            // Even the inner levels' largest counts, with as many hydrogens as saturation and
            // the user allow, stay below the window: skip this count.
            const double hydrogenRoom = std::clamp(sat + saturationAbove, 0.0, mostH);
            if (mass + hydrogenRoom * m_massH < lightest) continue;
            m_counts[level.row] = count;
            // The level above the looked-up ones calls the look-up itself: it runs for every
            // outer combination, and the detour through descend() would cost a call each.
            if (d + 1 == m_lookupStart)
                innerLevelsByLookup(mass, sat, twiceRdb + count * level.twiceRdb);
            else if (d + 1 == m_blockStart)
                innerLevelsFromBlock(mass, sat, twiceRdb + count * level.twiceRdb);
            else
                descend(d + 1, mass, sat, twiceRdb + count * level.twiceRdb);
        }
        m_counts[level.row] = 0;
    }

    /// The innermost heavy level when one hydrogen count at most meets the window: the loop
    /// of descend() and the test of hydrogens() in one, which for a wide window is most of
    /// the work (nearly every count the bounds leave is a result).
    void innermostLevel(std::size_t d, double partial, int saturation, int twiceRdb) {
        const Level& level = m_levels[d];
        const int most = levelMaximum(level, partial);
        const double highest = m_upper + kPruneMargin - m_minH * m_massH;
        for (int count = firstViableCount(d, partial, saturation); count <= most; ++count) {
            if (m_stop || tick()) break;
            const double mass = partial + count * level.mass;
            if (mass > highest) break;
            // The count nearest the target, as in hydrogens().
            const double x = (m_input.target - mass) * m_inverseMassH + 0.5;
            const int h = static_cast<int>(std::clamp(x, -1.0, kCountCap));
            if (h < m_minH || h > std::min(saturation + count * level.saturation, m_maxH)) continue;
            const double total = mass + h * m_massH;
            if (!(std::abs(total - m_input.target) < m_tolerance)) continue;
            // The count goes to consider() as a value and never into m_counts, whose copy
            // into the result would otherwise wait for that store to land.
            consider(total, twiceRdb + count * level.twiceRdb - h, h, {level.row, count});
        }
    }

    /// A count of level d at or below the first that the low-mass test in descend() keeps:
    /// below it, even every inner level at its largest, with every hydrogen the saturation
    /// could allow, stays below the window. Bounding the hydrogens from above by the
    /// saturation without the user's limit keeps the estimate on the safe side.
    int firstViableCount(std::size_t d, double partial, int saturation) const {
        const Level& level = m_levels[d];
        if (!(level.mass > 0.0) || m_massH <= 0.0) return level.minimum;
        const double fixedRoom = std::max(saturation + m_saturationAbove[d + 1], 0.0);
        const double perCount = level.mass + std::max(level.saturation, 0) * m_massH;
        const double shortfall =
            m_lower - kPruneMargin - partial - m_massAbove[d + 1] - fixedRoom * m_massH;
        if (!(shortfall > 0.0)) return level.minimum;
        // The quotient is positive, so truncation is the floor.
        const double quotient = std::min(shortfall / perCount, kCountCap);
        const double first = static_cast<double>(static_cast<std::int64_t>(quotient)) - 1.0;
        return first > level.minimum ? roundedCount(first) : level.minimum;
    }

    /// The innermost level: every hydrogen count whose total lies within the window.
    void hydrogens(double partial, int saturation, int twiceRdb) {
        int first = m_minH;
        int last = std::min(saturation, m_maxH);
        if (m_singleHydrogenCount) {
            // Less than half a hydrogen step on either side of the target: only the count
            // nearest to it can be inside, so one test instead of a loop whose outcome the
            // processor cannot predict. Truncating a negative value gives a count the exact
            // test refuses.
            const double x = (m_input.target - partial) * m_inverseMassH + 0.5;
            const int h = static_cast<int>(std::clamp(x, -1.0, kCountCap));
            if (h < first || h > last) return;
            const double mass = partial + h * m_massH;
            if (std::abs(mass - m_input.target) < m_tolerance) {
                consider(mass, twiceRdb - h, h, {kRowH, h});
            }
            return;
        }
        if (m_massH > 0.0) {
            // The window admits a contiguous range of H; estimate it (one count of slack on
            // each side) and let the exact comparison below decide the counts at its edges.
            const double low = std::floor((m_lower - partial) * m_inverseMassH) - 1.0;
            const double high = std::ceil((m_upper - partial) * m_inverseMassH) + 1.0;
            first = std::max(first, static_cast<int>(std::clamp(low, -1.0, kCountCap)));
            last = std::min(last, static_cast<int>(std::clamp(high, -1.0, kCountCap)));
        }
        for (int h = first; h <= last; ++h) {
            const double mass = partial + h * m_massH;
            if (std::abs(mass - m_input.target) < m_tolerance) {
                if (!consider(mass, twiceRdb - h, h, {kRowH, h})) return;
            }
        }
    }

    /// A count that consider() takes as a value instead of from m_counts, where its row
    /// holds 0 meanwhile.
    struct LatestCount {
        int row = kRowH;
        int count = 0;
    };

    /// Applies the filters and stores an accepted candidate; false ends the search.
    /// `twiceRdb` is twice the rings plus double bonds, a whole number; `hydrogens` the
    /// hydrogen count; m_counts holds the other rows, `latest` one of them when it is not H.
    /// Most results only go to the end of the list, which is done here in line; store() takes
    /// the rest: the sink, a full list, the overflow and the progress report.
    [[gnu::always_inline]] bool consider(double mass, int twiceRdb, int hydrogens,
                                         LatestCount latest) {
        if (hydrogens == 0 && latest.count == 0 && noAtoms()) return true; // no atoms at all
        if (m_filtered && !passesFilters(twiceRdb, latest)) return true;
        if (m_quickStores == 0) return store(mass, twiceRdb, hydrogens, latest);
        --m_quickStores;
        ++m_result.found;
        fill(m_result.candidates.emplace_back(), mass, twiceRdb, hydrogens, latest);
        return true;
    }

    /// The RDB limits, "Molecular Ions Only" and the nitrogen rule.
    bool passesFilters(int twiceRdb, LatestCount latest) const {
        if (m_input.rdbLimits) {
            // Half a whole number is exact in single precision for every count the search
            // reaches.
            const auto rounded = Round(static_cast<float>(twiceRdb) * 0.5f);
            if (rounded < m_input.rdbMinimum || rounded > m_input.rdbMaximum) return false;
        }
        if (m_input.molecularIonsOnly && twiceRdb > 0 && twiceRdb % 2 != 0) return false;
        const int nitrogens = latest.row == kRowN ? latest.count : m_counts[kRowN];
        if (m_input.nitrogenRule && nitrogens > 0) {
            const auto nominal = static_cast<long long>(m_input.target);
            if (nominal % 2 != nitrogens % 2) return false;
        }
        return true;
    }

    /// Stores an accepted result that consider() does not store in line; false ends the
    /// search. Afterwards it counts how many results may next go to the list in line: as many
    /// as the list has room for, below the overflow and before the next report.
    [[gnu::noinline]] bool store(double mass, int twiceRdb, int hydrogens, LatestCount latest) {
        if (m_result.found >= m_input.maxResults) {
            m_result.end = FormulaSearchEnd::ListOverflow;
            m_stop = true;
            return false;
        }
        ++m_result.found;
        const bool reportNow = m_result.found % kProgressEvery == 0;
        if (m_sink != nullptr) {
            FormulaCandidate candidate;
            fill(candidate, mass, twiceRdb, hydrogens, latest);
            if (!m_sink->take(candidate)) {
                m_result.end = FormulaSearchEnd::Stopped;
                m_stop = true;
                return false;
            }
            return !reportNow || report();
        }
        std::vector<FormulaCandidate>& list = m_result.candidates;
        if (list.size() == list.capacity()) {
            // Doubling: the copies add up to less than the list, and blocks below the
            // allocator's mapping limit are reused by the next search instead of being mapped
            // and faulted in afresh.
            list.reserve(
                std::min(2 * list.capacity() + 64, static_cast<std::size_t>(m_input.maxResults)));
        }
        fill(list.emplace_back(), mass, twiceRdb, hydrogens, latest);
        const auto room = static_cast<std::int64_t>(list.capacity() - list.size());
        const std::int64_t beforeOverflow = m_input.maxResults - m_result.found;
        const std::int64_t beforeReport = kProgressEvery - 1 - m_result.found % kProgressEvery;
        m_quickStores = std::max<std::int64_t>(std::min({room, beforeOverflow, beforeReport}), 0);
        return !reportNow || report();
    }

    /// The result for these hydrogens, the latest count and the other counts in m_counts,
    /// numbered by m_result.found. The two counts come as values: m_counts is copied as a
    /// block, and a count stored into it just before would stall that copy.
    /// It is written field by field into its place: a result put together elsewhere and then
    /// copied would again wait for the stores just made.
    void fill(FormulaCandidate& candidate, double mass, int twiceRdb, int hydrogens,
              LatestCount latest) const {
        candidate.position = static_cast<std::int32_t>(m_result.found);
        candidate.counts = m_counts;
        candidate.counts[kRowH] = hydrogens;
        candidate.counts[static_cast<std::size_t>(latest.row)] = latest.count;
        candidate.elements = m_changeable;
        candidate.difference =
            static_cast<std::int32_t>(roundedDifference(std::abs(mass - m_input.target) * 10000.0));
        // Half a whole number is exact in single precision for every count the search reaches.
        candidate.rdb = static_cast<float>(twiceRdb) * 0.5f;
    }

    bool noAtoms() const {
        for (int row : {kRowC, kRowO, kRowN, kRow5, kRow6, kRow7})
            if (m_counts[row] != 0) return false;
        return true;
    }

    /// Counts work and reports progress when 50 ms have passed; true when the search ends.
    bool tick() {
        if (++m_work < 4096) return false;
        m_work = 0;
        if (m_progress == nullptr || Clock::now() - m_lastReport < kProgressInterval) return false;
        return !report();
    }

    bool report() {
        if (m_progress == nullptr) return true; // nobody to tell: no clock to read
        m_lastReport = Clock::now();
        if (m_progress->proceed(
                static_cast<int>(std::min<std::int64_t>(m_result.found, INT32_MAX))))
            return true;
        m_result.end = FormulaSearchEnd::Stopped;
        m_stop = true;
        return false;
    }

    const FormulaSearchInput& m_input;
    double m_tolerance;
    FormulaSearchProgress* m_progress;
    FormulaSearchSink* m_sink; ///< takes each result instead of the list, when given
    FormulaSearchResult& m_result;
    double m_upper = 0.0;
    double m_lower = 0.0;
    double m_massH = 0.0;
    double m_inverseMassH = 0.0;
    bool m_singleHydrogenCount = false; ///< see hydrogens()
    int m_minH = 0;
    int m_maxH = 0;
    std::array<Level, kHeavyLevels> m_levels{}; ///< the enabled heavy rows, outermost first
    std::size_t m_levelCount = 0;
    // See the constructor; index m_levelCount holds 0.
    std::array<double, kHeavyLevels + 1> m_massAbove{};
    std::array<double, kHeavyLevels + 1> m_saturationAbove{};
    std::array<double, kHeavyLevels + 1> m_massBelow{};
    FormulaBlockTable m_lookup;           ///< the inner levels' table, when it pays
    std::size_t m_lookupStart = SIZE_MAX; ///< the first level it covers; SIZE_MAX: no table
    double m_lookupReach = 0.0;          ///< the window's half width in hydrogen steps, with margin
    double m_mostHWithSlack = 0.0;       ///< the most hydrogens and half a step, for the look-ups
    double m_fewestHWithSlack = 0.0;     ///< the fewest hydrogens less half a step
    FormulaInnerBlock m_block;           ///< the innermost levels, when no table was built
    std::size_t m_blockStart = SIZE_MAX; ///< the first level it covers; SIZE_MAX: no block
    std::array<std::size_t, kHeavyLevels> m_blockRows{}; ///< the row of each of its levels
    /// Keys of the combinations found by a look-up: room for every visit find() makes.
    std::unique_ptr<std::uint32_t[]> m_hits;
    std::array<std::int32_t, kFormulaRows> m_counts{};
    std::array<int, kFormulaRows> m_elements{};
    std::array<std::int32_t, 3> m_changeable{}; ///< element numbers of rows 5-7
    bool m_stop = false;
    /// Whether any of the RDB limits, "Molecular Ions Only" and the nitrogen rule is on.
    bool m_filtered = false;
    /// Results that consider() may next store in line (see store()); none at first.
    std::int64_t m_quickStores = 0;
    unsigned m_work = 0;
    Clock::time_point m_lastReport;
};

} // namespace

FormulaSearchResult FormulaSearch(const FormulaSearchInput& input, const ElementTable& elements,
                                  FormulaSearchProgress* progress, FormulaSearchSink* sink) {
    FormulaSearchResult result;
    if (!(input.target >= kLowestTarget)) {
        result.end = FormulaSearchEnd::TargetTooLow;
        return result;
    }
    if (input.target > kHighestTarget) {
        result.end = FormulaSearchEnd::MassOverflow;
        return result;
    }
    result.tolerance = input.tolerance >= 0.0 ? input.tolerance : 1.0;
    if (sink == nullptr)
        // Room for the results of most searches at once: growing from a few would copy the
        // list several times on the way to a thousand.
        result.candidates.reserve(static_cast<std::size_t>(std::clamp(input.maxResults, 0, 1024)));
    Enumerator(input, elements, result.tolerance, progress, sink, result).run();
    return result;
}

namespace {

/// The digits of every count from 0 to 1023, four characters each with the unused ones
/// blank, and how many there are: the list writes a text for every result, and copying four
/// characters beats dividing for each digit.
struct CountDigits {
    char text[4];
    int length;
};

constexpr int kTabledCounts = 1024;

constexpr std::array<CountDigits, kTabledCounts> kCountDigits = [] {
    std::array<CountDigits, kTabledCounts> table{};
    for (int n = 0; n < kTabledCounts; ++n) {
        CountDigits& d = table[static_cast<std::size_t>(n)];
        d = {{' ', ' ', ' ', ' '}, 0};
        if (n >= 1000) d.text[d.length++] = static_cast<char>('0' + n / 1000);
        if (n >= 100) d.text[d.length++] = static_cast<char>('0' + n / 100 % 10);
        if (n >= 10) d.text[d.length++] = static_cast<char>('0' + n / 10 % 10);
        d.text[d.length++] = static_cast<char>('0' + n % 10);
    }
    return table;
}();

/// The words of rows C, H, O and N for the counts below 256, as the text writes them ("C12",
/// " H5", nothing for 0): eight bytes each, the last holding the word's length. Nearly every
/// result's four words are four copies of eight bytes.
constexpr int kWordedCounts = 256;
using CountWord = std::array<char, 8>;

constexpr std::array<std::array<CountWord, kWordedCounts>, 4> kCountWords = [] {
    constexpr char kSymbols[] = {'C', 'H', 'O', 'N'};
    std::array<std::array<CountWord, kWordedCounts>, 4> words{};
    for (int row = 0; row < 4; ++row) {
        for (int n = 1; n < kWordedCounts; ++n) {
            CountWord& w = words[static_cast<std::size_t>(row)][static_cast<std::size_t>(n)];
            int length = 0;
            if (row != 0) w[static_cast<std::size_t>(length++)] = ' ';
            w[static_cast<std::size_t>(length++)] = kSymbols[row];
            const CountDigits& digits = kCountDigits[static_cast<std::size_t>(n)];
            for (int i = 0; i < digits.length; ++i)
                w[static_cast<std::size_t>(length++)] = digits.text[i];
            w[7] = static_cast<char>(length);
        }
    }
    return words;
}();

/// Writes a count of atoms (at least 1) at `out`, which has room for four characters more
/// than the digits, returning the end.
char* appendCount(char* out, char* limit, int count) {
    if (count < kTabledCounts) {
        const CountDigits& d = kCountDigits[static_cast<std::size_t>(count)];
        std::memcpy(out, d.text, sizeof d.text);
        return out + d.length;
    }
    return std::to_chars(out, limit, count).ptr;
}

} // namespace

std::string formulaCompositionText(const FormulaCandidate& candidate) {
    static constexpr const char* kFixedSymbols[] = {"C", "H", "O", "N"};
    // Seven words of at most a blank, two characters and ten digits, and room for the last
    // eight-byte copy of a word.
    char text[kFormulaRows * 13 + 4];
    char* end = text;
    const auto& counts = candidate.counts;
    if (static_cast<unsigned>(counts[kRowC] | counts[kRowH] | counts[kRowO] | counts[kRowN]) <
        static_cast<unsigned>(kWordedCounts)) {
        // Rows C, H, O and N, present in nearly every result, each copied in full and kept
        // only as far as its length: no branch for the processor to guess.
        for (int row = kRowC; row < kRow5; ++row) {
            const CountWord& word =
                kCountWords[static_cast<std::size_t>(row)][static_cast<std::size_t>(counts[row])];
            std::memcpy(end, word.data(), word.size());
            end += word[7];
        }
    } else {
        for (int row = kRowC; row < kRow5; ++row) {
            const int count = counts[row];
            if (count <= 0) continue;
            if (row != kRowC) *end++ = ' ';
            *end++ = kFixedSymbols[row][0];
            end = appendCount(end, text + sizeof text, count);
        }
    }
    // Most results hold none of rows 5-7.
    if ((counts[kRow5] | counts[kRow6] | counts[kRow7]) != 0) {
        for (int row = kRow5; row < kFormulaRows; ++row) {
            const int count = counts[row];
            if (count <= 0) continue;
            *end++ = ' ';
            const char* symbol = elementSymbol(candidate.elements[row - kRow5]);
            *end++ = symbol[0];
            if (symbol[1] != '\0') *end++ = symbol[1];
            end = appendCount(end, text + sizeof text, count);
        }
    }
    return std::string(text, end);
}

double formulaCandidateMass(const FormulaCandidate& candidate, const ElementTable& elements) {
    static constexpr int kFixed[] = {1, 2, 4, 3};
    double mass = 0.0;
    for (int row : {kRowC, kRowO, kRowN, kRow5, kRow6, kRow7, kRowH}) {
        const int count = candidate.counts[row];
        if (count == 0) continue;
        const int element = row < kRow5 ? kFixed[row] : candidate.elements[row - kRow5];
        mass += count * static_cast<double>(elements[element].ExactMass);
    }
    return mass;
}

std::string formulaDifferenceText(double absoluteDifference) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%6.4f", absoluteDifference);
    return buffer;
}

} // namespace qzx
