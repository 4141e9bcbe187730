#include "chem/formula_inner_block.h"

#include <cstdint>
#include <random>
#include <vector>

#include <gtest/gtest.h>

namespace qzx {
namespace {

using Level = FormulaInnerBlock::Level;
using Combination = FormulaInnerBlock::Combination;

constexpr double kMassH = 1.00782503;

/// One combination by plain nested loops: its counts, mass and saturated mass.
struct Plain {
    std::vector<std::int32_t> counts;
    double mass = 0.0;
    double saturatedMass = 0.0;
    std::int32_t twiceRdb = 0;
};

std::vector<Plain> everyCombination(const std::vector<Level>& levels) {
    std::vector<Plain> all;
    Plain p;
    p.counts.resize(levels.size());
    auto level = [&](auto& self, std::size_t d, double mass, int saturation, int rdb) -> void {
        if (d == levels.size()) {
            p.mass = mass;
            p.saturatedMass = mass + saturation * kMassH;
            p.twiceRdb = rdb;
            all.push_back(p);
            return;
        }
        const Level& l = levels[d];
        for (int c = l.minimum; c <= l.most; ++c) {
            p.counts[d] = c;
            self(self, d + 1, mass + c * l.mass, saturation + c * l.saturation,
                 rdb + c * l.twiceRdb);
        }
    };
    level(level, 0, 0.0, 0, 0);
    return all;
}

/// The positions, in enumeration order, of the combinations a look-up hands out.
std::vector<std::size_t> visited(const FormulaInnerBlock& block, const std::vector<Plain>& all,
                                 double lightest, double heaviest, double leastSaturated) {
    std::vector<std::size_t> out;
    block.visit(lightest, heaviest, leastSaturated, [&](const Combination& c) {
        std::size_t i = 0;
        while (i < all.size() &&
               !std::equal(all[i].counts.begin(), all[i].counts.end(), c.counts.begin()))
            ++i;
        out.push_back(i);
        return true;
    });
    return out;
}

// Nitrogen, sulfur and chlorine: chlorine lowers the saturation.
const std::vector<Level> kNitrogenSulfurChlorine = {
    {14.003074, 0, 7, 1, 1}, {31.972071, 1, 3, 0, 0}, {34.968853, 0, 4, -1, -1}};

TEST(FormulaInnerBlock, HoldsEveryCombinationInEnumerationOrder) {
    const FormulaInnerBlock block(kNitrogenSulfurChlorine.data(), 3, kMassH);
    const std::vector<Plain> all = everyCombination(kNitrogenSulfurChlorine);
    ASSERT_EQ(block.size(), all.size());
    EXPECT_EQ(block.size(), 8u * 3u * 5u);
    std::size_t i = 0;
    block.visit(-1e9, 1e9, -1e9, [&](const Combination& c) {
        EXPECT_TRUE(std::equal(all[i].counts.begin(), all[i].counts.end(), c.counts.begin()))
            << "combination " << i;
        EXPECT_NEAR(c.mass, all[i].mass, 1e-9);
        EXPECT_NEAR(c.saturatedMass, all[i].saturatedMass, 1e-9);
        EXPECT_EQ(c.twiceRdb, all[i].twiceRdb);
        // The parts are each count times its atom mass, as the level loops compute them.
        for (std::size_t d = 0; d < 3; ++d)
            EXPECT_EQ(c.parts[d], c.counts[d] * kNitrogenSulfurChlorine[d].mass);
        ++i;
        return true;
    });
    EXPECT_EQ(i, all.size());
}

TEST(FormulaInnerBlock, LookUpsHandOutEveryCombinationWithinTheBoundsOnceAndInOrder) {
    // Blocks of one word and of two, so that masks cross a word boundary.
    const std::vector<std::vector<Level>> blocks = {
        kNitrogenSulfurChlorine,
        {{15.994915, 0, 11, 0, 0}, {14.003074, 0, 9, 1, 1}},
        {{14.003074, 2, 9, 1, 1}},
    };
    std::mt19937 random(7);
    for (const std::vector<Level>& levels : blocks) {
        const FormulaInnerBlock block(levels.data(), levels.size(), kMassH);
        const std::vector<Plain> all = everyCombination(levels);
        double top = 0.0;
        for (const Plain& p : all)
            top = std::max(top, p.saturatedMass);
        std::uniform_real_distribution<double> bound(-20.0, top + 20.0);
        for (int q = 0; q < 400; ++q) {
            double lightest = bound(random), heaviest = bound(random);
            if (lightest > heaviest) std::swap(lightest, heaviest);
            const double leastSaturated = bound(random);
            const std::vector<std::size_t> got =
                visited(block, all, lightest, heaviest, leastSaturated);
            std::vector<bool> handedOut(all.size());
            for (std::size_t k = 0; k < got.size(); ++k) {
                ASSERT_LT(got[k], all.size());
                if (k > 0) {
                    EXPECT_LT(got[k - 1], got[k]) << "out of enumeration order";
                }
                handedOut[got[k]] = true;
            }
            std::size_t within = 0;
            for (std::size_t i = 0; i < all.size(); ++i) {
                const Plain& p = all[i];
                if (p.mass >= lightest && p.mass <= heaviest && p.saturatedMass >= leastSaturated) {
                    ++within;
                    EXPECT_TRUE(handedOut[i]) << "combination " << i << " missed";
                }
            }
            // Bucketing admits only a few beyond the bounds.
            EXPECT_LE(got.size(), within + 3 * (all.size() / 32 + 2));
        }
    }
}

TEST(FormulaInnerBlock, BoundsAtTheExtremesAndAnEarlyStop) {
    const FormulaInnerBlock block(kNitrogenSulfurChlorine.data(), 3, kMassH);
    const std::vector<Plain> all = everyCombination(kNitrogenSulfurChlorine);
    double lightest = 1e9, heaviest = 0.0;
    for (const Plain& p : all) {
        lightest = std::min(lightest, p.mass);
        heaviest = std::max(heaviest, p.mass);
    }
    // The heaviest combination sits exactly at the top of the last bucket.
    std::vector<std::size_t> got = visited(block, all, heaviest, heaviest, -1e9);
    ASSERT_FALSE(got.empty());
    EXPECT_DOUBLE_EQ(all[got.back()].mass, heaviest);
    // Bounds below every mass, or a saturation bound above every combination: nothing.
    EXPECT_TRUE(visited(block, all, -1e9, lightest - 1.0, -1e9).empty());
    EXPECT_TRUE(visited(block, all, -1e9, 1e9, 1e9).empty());
    // A visit that returns false ends the look-up.
    int visits = 0;
    EXPECT_FALSE(block.visit(-1e9, 1e9, -1e9, [&](const Combination&) { return ++visits < 5; }));
    EXPECT_EQ(visits, 5);
    // A default block holds nothing and hands out nothing.
    const FormulaInnerBlock empty;
    EXPECT_EQ(empty.size(), 0u);
    EXPECT_TRUE(empty.visit(-1e9, 1e9, -1e9, [](const Combination&) { return false; }));
}

} // namespace
} // namespace qzx
