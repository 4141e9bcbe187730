#include "chem/formula_block_table.h"

#include <array>
#include <cmath>
#include <map>
#include <random>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

namespace qzx {
namespace {

using Level = FormulaBlockTable::Level;
using Counts = std::vector<std::int32_t>;

constexpr double kMassH = 1.00782503;

/// Every combination under the mass limit by plain nested loops, with its fraction.
std::map<Counts, double> everyCombination(const std::vector<Level>& levels, double limit) {
    std::map<Counts, double> all;
    Counts counts(levels.size());
    auto level = [&](auto& self, std::size_t d, double mass) -> void {
        if (d == levels.size()) {
            const double x = mass / kMassH;
            all[counts] = x - std::floor(x);
            return;
        }
        for (int c = levels[d].minimum; c <= levels[d].most; ++c) {
            const double sum = mass + c * levels[d].mass;
            if (sum > limit) break;
            counts[d] = c;
            self(self, d + 1, sum);
        }
    };
    level(level, 0, 0.0);
    return all;
}

/// Every entry the table hands out for an arc, keyed by its counts.
std::map<Counts, FormulaBlockTable::Entry> found(const FormulaBlockTable& table, std::size_t levels,
                                                 double centre, double reach) {
    std::map<Counts, FormulaBlockTable::Entry> out;
    table.find(centre, reach, [&](const FormulaBlockTable::Entry& e, bool inArc) {
        if (!inArc) return;
        Counts counts(levels);
        table.counts(e.key, counts.data());
        EXPECT_TRUE(out.emplace(counts, e).second) << "an entry handed out twice";
    });
    return out;
}

double circleDistance(double a, double b) {
    const double d = std::abs(a - b);
    return std::min(d, 1.0 - d);
}

TEST(FormulaBlockTable, HoldsEveryCombinationUnderTheLimitOnceWithKeysInEnumerationOrder) {
    // Ranges of one count, of a power of two and of one more than a power of two, where a
    // packed key's field widths go wrong first.
    const std::vector<Level> levels = {{15.9949146, 0, 16, 0},
                                       {14.0030740, 2, 2, 1},
                                       {34.9688527, 1, 8, -1},
                                       {31.9720707, 0, 7, 0}};
    const double limit = 420.0;
    const FormulaBlockTable table(levels.data(), levels.size(), limit, 1.0 / kMassH);
    const std::map<Counts, double> expected = everyCombination(levels, limit);
    ASSERT_EQ(table.size(), expected.size());

    // The whole circle, read through the widest arc the search asks for, in two halves.
    std::map<Counts, FormulaBlockTable::Entry> all = found(table, levels.size(), 0.25, 0.2499);
    const auto rest = found(table, levels.size(), 0.75, 0.2501);
    for (const auto& [counts, e] : rest)
        all.emplace(counts, e);
    ASSERT_EQ(all.size(), expected.size());

    std::uint32_t previousKey = 0;
    bool first = true;
    for (const auto& [counts, fraction] : expected) { // std::map: enumeration order
        const auto it = all.find(counts);
        ASSERT_NE(it, all.end());
        const FormulaBlockTable::Entry& e = it->second;
        if (!first) {
            EXPECT_GT(e.key, previousKey) << "keys must sort as the enumeration does";
        }
        first = false;
        previousKey = e.key;
        EXPECT_NEAR(e.fraction, fraction, FormulaBlockTable::kFractionError);
        double mass = 0.0;
        int saturation = 0;
        for (std::size_t d = 0; d < levels.size(); ++d) {
            mass += counts[d] * levels[d].mass;
            saturation += counts[d] * levels[d].saturation;
        }
        EXPECT_FLOAT_EQ(e.steps, static_cast<float>(mass / kMassH));
        EXPECT_FLOAT_EQ(e.saturated, static_cast<float>(mass / kMassH + saturation));
    }
}

TEST(FormulaBlockTable, AnArcHandsOutEveryCombinationWithinItAcrossTheCircleEnds) {
    const std::vector<Level> levels = {
        {12.0, 0, 30, 2}, {15.9949146, 0, 20, 0}, {14.0030740, 0, 12, 1}};
    const double limit = 600.0;
    const FormulaBlockTable table(levels.data(), levels.size(), limit, 1.0 / kMassH);
    const std::map<Counts, double> expected = everyCombination(levels, limit);
    std::mt19937 random(7);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    // Random centres, and centres at the ends of the circle, where an arc wraps round.
    std::vector<double> centres = {0.0, 1e-9, 0.999999999, 0.5};
    for (int i = 0; i < 200; ++i)
        centres.push_back(unit(random));
    for (const double centre : centres) {
        for (const double reach : {1e-4, 0.005, 0.1}) {
            const auto handed = found(table, levels.size(), centre, reach);
            for (const auto& [counts, fraction] : expected) {
                if (circleDistance(fraction, centre) <= reach - FormulaBlockTable::kFractionError) {
                    EXPECT_TRUE(handed.count(counts))
                        << "missed at centre " << centre << " reach " << reach;
                }
            }
            for (const auto& [counts, e] : handed)
                EXPECT_LE(circleDistance(e.fraction, centre), reach + 1e-12);
        }
    }
}

TEST(FormulaBlockTable, NoLevelsOrNothingUnderTheLimitGivesAnEmptyTable) {
    const FormulaBlockTable none(nullptr, 0, 100.0, 1.0 / kMassH);
    EXPECT_EQ(none.size(), 0u);
    const Level heavy{126.904, 1, 3, 0};
    const FormulaBlockTable tooHeavy(&heavy, 1, 100.0, 1.0 / kMassH);
    EXPECT_EQ(tooHeavy.size(), 0u);
    int visits = 0;
    tooHeavy.find(0.5, 0.4, [&](const FormulaBlockTable::Entry&, bool) { ++visits; });
    EXPECT_EQ(visits, 0);
}

} // namespace
} // namespace qzx
