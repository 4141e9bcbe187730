#include "chem/formula_search.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <optional>
#include <vector>

#include "chem/element_table.h"
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
/// The innermost heavy level is looked up (see InnermostTable) only when it has at least this
/// many counts; below it, trying each count costs no more than the look-up.
constexpr int kLookupFewestCounts = 8;
/// ... and at most this many, which keeps the table a few megabytes.
constexpr int kLookupMostCounts = 1 << 20;
/// ... and only while the window holds less than this share of every hydrogen step; wider
/// windows admit most counts anyway.
constexpr double kLookupWidestShare = 0.25;

/// round(x) as a count, with huge, infinite or undefined values held inside int.
int roundedCount(double x) {
    if (std::isnan(x)) return 0;
    return static_cast<int>(Round(std::clamp(x, -1.0, kCountCap)));
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

/// One non-hydrogen level of the enumeration.
struct Level {
    int row = 0;
    double mass = 0.0; ///< u
    int minimum = 0;
    int userMaximum = 0; ///< 0: none
    int saturation = 0;  ///< hydrogens per atom in the saturation bound
    /// Largest count the level can reach anywhere in the search.
    int reachable = 0;
};

/// The counts of the innermost heavy level that can meet the window together with hydrogen.
///
/// With the outer levels' mass `partial` fixed, k atoms of mass m and h hydrogens of mass mH
/// land in the window when h lies within tolerance / mH of (target - partial) / mH - k m / mH.
/// So k qualifies exactly when the fractional part of k a (a = m / mH) lies within that
/// distance of the fractional part of (target - partial) / mH, on the circle [0, 1). The table
/// holds those fractional parts for every reachable k, sorted, with a bucket index over [0, 1),
/// so each outer combination finds its few qualifying counts without trying all of them.
class InnermostTable {
public:
    InnermostTable(double ratio, int most) {
        m_entries.reserve(static_cast<std::size_t>(most) + 1);
        for (int k = 0; k <= most; ++k) {
            const double x = k * ratio;
            m_entries.push_back({x - std::floor(x), k});
        }
        std::sort(m_entries.begin(), m_entries.end(),
                  [](const Entry& a, const Entry& b) { return a.fraction < b.fraction; });
        m_buckets = 16;
        while (m_buckets < static_cast<int>(m_entries.size()))
            m_buckets *= 2;
        m_bucketStart.assign(static_cast<std::size_t>(m_buckets) + 1, 0);
        std::size_t i = 0;
        for (int b = 0; b <= m_buckets; ++b) {
            const double from = static_cast<double>(b) / m_buckets;
            while (i < m_entries.size() && m_entries[i].fraction < from)
                ++i;
            m_bucketStart[static_cast<std::size_t>(b)] = static_cast<int>(i);
        }
    }

    /// Appends every k within [first, last] whose fraction lies within `reach` of `centre`
    /// (0 <= centre < 1, reach < 0.5) around the circle, in table order.
    void find(double centre, double reach, int first, int last, std::vector<int>& out) const {
        const double low = centre - reach;
        const double high = centre + reach;
        collect(std::max(low, 0.0), std::min(high, 1.0), first, last, out);
        if (low < 0.0) collect(low + 1.0, 1.0, first, last, out);
        if (high > 1.0) collect(0.0, high - 1.0, first, last, out);
    }

private:
    struct Entry {
        double fraction = 0.0; ///< fractional part of k a, 0 to below 1
        int count = 0;         ///< k
    };

    void collect(double low, double high, int first, int last, std::vector<int>& out) const {
        const int bucket = std::clamp(static_cast<int>(low * m_buckets), 0, m_buckets - 1);
        const auto n = static_cast<int>(m_entries.size());
        for (int i = m_bucketStart[static_cast<std::size_t>(bucket)]; i < n; ++i) {
            const Entry& e = m_entries[static_cast<std::size_t>(i)];
            if (e.fraction < low) continue;
            if (e.fraction > high) break;
            if (e.count >= first && e.count <= last) out.push_back(e.count);
        }
    }

    std::vector<Entry> m_entries;
    std::vector<int> m_bucketStart; ///< first entry of each bucket of width 1 / m_buckets
    int m_buckets = 0;
};

class Enumerator {
public:
    Enumerator(const FormulaSearchInput& input, const ElementTable& elements, double tolerance,
               FormulaSearchProgress* progress, FormulaSearchResult& result)
        : m_input(input), m_tolerance(tolerance), m_progress(progress), m_result(result) {
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
            if (row >= kRow5) m_classes[row] = element.RdbClass;
            level.reachable = levelMaximum(level, 0.0);
            m_levels.push_back(level);
        }
        // What the levels from d on can still add at most (mass and saturation hydrogens) and
        // at least (mass), for pruning whole ranges.
        const std::size_t n = m_levels.size();
        m_massAbove.assign(n + 1, 0.0);
        m_saturationAbove.assign(n + 1, 0.0);
        m_massBelow.assign(n + 1, 0.0);
        for (std::size_t d = n; d-- > 0;) {
            const Level& level = m_levels[d];
            const int most = std::max(level.reachable, 0);
            m_massAbove[d] = m_massAbove[d + 1] + most * level.mass;
            m_saturationAbove[d] = m_saturationAbove[d + 1] + most * std::max(level.saturation, 0);
            m_massBelow[d] = m_massBelow[d + 1] + level.minimum * level.mass;
        }
        prepareLookup();
        m_lastReport = Clock::now();
    }

    void run() { descend(0, 0.0, 2); }

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

    /// Builds the innermost level's table when a look-up beats trying every count.
    void prepareLookup() {
        if (m_levels.empty() || m_massH <= 0.0 || m_maxH <= 0) return;
        const Level& inner = m_levels.back();
        if (inner.mass <= 0.0) return;
        if (inner.reachable < kLookupFewestCounts || inner.reachable > kLookupMostCounts) return;
        // The look-up keeps a margin far above the rounding of the sums, so it never misses a
        // count whose hydrogens the exact comparison would accept.
        m_lookupReach = (m_tolerance + kPruneMargin) * m_inverseMassH;
        if (!(2.0 * m_lookupReach < kLookupWidestShare)) return;
        m_lookup.emplace(inner.mass * m_inverseMassH, inner.reachable);
    }

    /// The innermost heavy level through the table: only the counts that can meet the window
    /// with some hydrogen count, ascending as the enumeration order wants them.
    void innermostByLookup(const Level& level, double partial, int saturation) {
        const int most = levelMaximum(level, partial);
        if (most < level.minimum) return;
        const double x = (m_input.target - partial) * m_inverseMassH;
        m_hits.clear();
        m_lookup->find(x - std::floor(x), m_lookupReach, level.minimum, most, m_hits);
        std::sort(m_hits.begin(), m_hits.end());
        for (int count : m_hits) {
            if (m_stop) break;
            m_counts[level.row] = count;
            hydrogens(partial + count * level.mass, saturation + count * level.saturation);
        }
        m_counts[level.row] = 0;
    }

    void descend(std::size_t d, double partial, int saturation) {
        if (d == m_levels.size()) {
            hydrogens(partial, saturation);
            return;
        }
        const Level& level = m_levels[d];
        if (d + 1 == m_levels.size() && m_lookup.has_value()) {
            if (!m_stop && !tick()) innermostByLookup(level, partial, saturation);
            return;
        }
        const int most = levelMaximum(level, partial);
        for (int count = level.minimum; count <= most; ++count) {
            if (m_stop || tick()) return;
            const double mass = partial + count * level.mass;
            const int sat = saturation + count * level.saturation;
            // Even the inner levels' smallest counts overshoot the window: so does every
            // larger count here.
            if (mass + m_massBelow[d + 1] + m_minH * m_massH > m_upper + kPruneMargin) break;
            // Even the inner levels' largest counts, with as many hydrogens as saturation and
            // the user allow, stay below the window: skip this count.
            const double hydrogenRoom =
                std::clamp(sat + m_saturationAbove[d + 1], 0.0, static_cast<double>(m_maxH));
            if (mass + m_massAbove[d + 1] + hydrogenRoom * m_massH < m_lower - kPruneMargin)
                continue;
            m_counts[level.row] = count;
            descend(d + 1, mass, sat);
        }
        m_counts[level.row] = 0;
    }

    /// The innermost level: every hydrogen count whose total lies within the window.
    void hydrogens(double partial, int saturation) {
        int first = m_minH;
        int last = std::min(saturation, m_maxH);
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
                m_counts[kRowH] = h;
                if (!consider(mass)) return;
            }
        }
    }

    /// Applies the filters and stores an accepted candidate; false ends the search.
    bool consider(double mass) {
        double cLike = m_counts[kRowC], hLike = m_counts[kRowH], nLike = m_counts[kRowN];
        double class4 = 0.0, class5 = 0.0;
        bool anyAtom = m_counts[kRowC] + m_counts[kRowH] + m_counts[kRowO] + m_counts[kRowN] > 0;
        for (int row : {kRow5, kRow6, kRow7}) {
            const int n = m_counts[row];
            anyAtom = anyAtom || n > 0;
            switch (m_classes[row]) {
            case 1:
                cLike += n;
                break;
            case 2:
                hLike += n;
                break;
            case 3:
                nLike += n;
                break;
            case 4:
                class4 += n;
                break;
            case 5:
                class5 += n;
                break;
            default:
                break;
            }
        }
        if (!anyAtom) return true; // a formula without atoms matches nothing
        const auto rdb = static_cast<float>(cLike - hLike * 0.5 + nLike * 0.5 + class4 * 1.5 +
                                            2.0 * class5 + 1.0);
        if (m_input.rdbLimits) {
            const auto rounded = Round(rdb);
            if (rounded < m_input.rdbMinimum || rounded > m_input.rdbMaximum) return true;
        }
        if (m_input.molecularIonsOnly) {
            const float value = rdb < 0.0f ? 0.0f : rdb;
            if (value != std::trunc(value)) return true;
        }
        if (m_input.nitrogenRule && m_counts[kRowN] > 0) {
            const auto nominal = static_cast<long long>(m_input.target);
            if (nominal % 2 != m_counts[kRowN] % 2) return true;
        }

        std::vector<FormulaCandidate>& list = m_result.candidates;
        if (static_cast<int>(list.size()) >= m_input.maxResults) {
            m_result.end = FormulaSearchEnd::ListOverflow;
            m_stop = true;
            return false;
        }
        FormulaCandidate candidate;
        candidate.position = static_cast<std::int32_t>(list.size() + 1);
        candidate.counts = m_counts;
        candidate.elements = m_changeable;
        candidate.difference =
            static_cast<std::int32_t>(Round(std::abs(mass - m_input.target) * 10000.0));
        candidate.rdb = rdb;
        if (list.size() == list.capacity()) {
            // Past the first few thousand, make room for a million results in one step: the
            // list is copied once instead of at every doubling, and the pages it never writes
            // cost nothing.
            const std::size_t room = std::max<std::size_t>(2 * list.capacity(), 1 << 20);
            list.reserve(std::min(room, static_cast<std::size_t>(m_input.maxResults)));
        }
        list.push_back(candidate);
        if (list.size() % kProgressEvery == 0) return report();
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
        m_lastReport = Clock::now();
        if (m_progress == nullptr ||
            m_progress->proceed(static_cast<int>(m_result.candidates.size())))
            return true;
        m_result.end = FormulaSearchEnd::Stopped;
        m_stop = true;
        return false;
    }

    const FormulaSearchInput& m_input;
    double m_tolerance;
    FormulaSearchProgress* m_progress;
    FormulaSearchResult& m_result;
    double m_upper = 0.0;
    double m_lower = 0.0;
    double m_massH = 0.0;
    double m_inverseMassH = 0.0;
    int m_minH = 0;
    int m_maxH = 0;
    std::vector<Level> m_levels;
    std::vector<double> m_massAbove;
    std::vector<double> m_saturationAbove;
    std::vector<double> m_massBelow;
    std::optional<InnermostTable> m_lookup; ///< the innermost level's table, when it pays
    double m_lookupReach = 0.0;             ///< the window's half width in hydrogen steps
    std::vector<int> m_hits;                ///< counts found by the look-up
    std::array<std::int32_t, kFormulaRows> m_counts{};
    std::array<int, kFormulaRows> m_elements{};
    std::array<std::int32_t, 3> m_changeable{}; ///< element numbers of rows 5-7
    std::array<int, kFormulaRows> m_classes{};  ///< RDB classes of rows 5-7 (0 when off)
    bool m_stop = false;
    unsigned m_work = 0;
    Clock::time_point m_lastReport;
};

} // namespace

FormulaSearchResult FormulaSearch(const FormulaSearchInput& input, const ElementTable& elements,
                                  FormulaSearchProgress* progress) {
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
    result.candidates.reserve(static_cast<std::size_t>(std::clamp(input.maxResults, 0, 4096)));
    Enumerator(input, elements, result.tolerance, progress, result).run();
    return result;
}

std::string formulaCompositionText(const FormulaCandidate& candidate) {
    static constexpr const char* kFixedSymbols[] = {"C", "H", "O", "N"};
    // Seven words of at most a blank, two characters and ten digits.
    char text[kFormulaRows * 13];
    char* end = text;
    for (int row = kRowC; row < kFormulaRows; ++row) {
        const int count = candidate.counts[row];
        if (count <= 0) continue;
        if (row != kRowC) *end++ = ' ';
        const char* symbol =
            row < kRow5 ? kFixedSymbols[row] : elementSymbol(candidate.elements[row - kRow5]);
        while (*symbol != '\0')
            *end++ = *symbol++;
        end = std::to_chars(end, text + sizeof text, count).ptr;
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
