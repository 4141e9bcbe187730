// The nominal isotope pattern: one atom at a time, weak positions dropped after every atom.
#include "chem/isotope_pattern.h"

#include <algorithm>
#include <array>
#include <vector>

#include "chem/composition.h"
#include "chem/element_table.h"
#include "util/rounding.h"

namespace qzx {
namespace {

/// Between atoms, the finished-pattern mode drops positions below this fraction of the
/// largest: far below anything shown, and it keeps the list short.
constexpr double kWorkingCut = 1e-12;

/// Whole-number masses of one element's isotopes and their abundances.
struct NominalIsotopes {
    int count = 0;
    std::array<int, kIsotopeSlots> mass{};
    std::array<double, kIsotopeSlots> abundance{};
    int lightest = 0;
    int heaviest = 0;
};

NominalIsotopes nominalIsotopes(const ElementRecord& element) {
    NominalIsotopes isotopes;
    isotopes.count = std::clamp(element.IsotopeCount, 0, kIsotopeSlots);
    for (int j = 0; j < isotopes.count; ++j) {
        isotopes.mass[j] = static_cast<int>(Round(element.Isotopes[j + 1].Mass));
        isotopes.abundance[j] = element.Isotopes[j + 1].Abundance;
    }
    // The table lists isotopes by ascending mass; taking the extremes keeps the step list in
    // range even for an edited table that does not.
    if (isotopes.count > 0) {
        const auto first = isotopes.mass.begin();
        isotopes.lightest = *std::min_element(first, first + isotopes.count);
        isotopes.heaviest = *std::max_element(first, first + isotopes.count);
    }
    return isotopes;
}

} // namespace

IsotopePattern NominalIsotopePattern(const Composition& composition, const ElementTable& elements,
                                     const NominalIsotopeOptions& options,
                                     IsotopeNotices& notices) {
    IsotopePattern result;
    long long atoms = 0;
    for (int element = 1; element <= kElementCount; ++element) {
        if (composition[element] < 1) continue;
        // An element without isotope data forms no molecule at any mass.
        if (elements[element].IsotopeCount < 1) return result;
        atoms += composition[element];
    }
    if (atoms == 0) return result;
    if (atoms > kMaxNominalAtoms) {
        notices.notice("Too Many Atoms!\r\nThe Maximum is 1,000,000");
        return result;
    }

    const bool everyAtom = options.pruning == NominalPruning::EveryAtom;
    const double threshold = options.threshold;
    const double cut = everyAtom ? threshold : std::min(threshold, kWorkingCut);

    // The pattern: whole-number masses and fractions of the largest position, in mass order.
    std::vector<int> masses{0};
    std::vector<double> fractions{1.0};
    std::vector<double> step(kMaxNominalPositions);
    for (int element = 1; element <= kElementCount; ++element) {
        const int count = composition[element];
        if (count < 1) continue;
        const NominalIsotopes isotopes = nominalIsotopes(elements[element]);
        for (int atom = 0; atom < count; ++atom) {
            // The kept positions bound the next step, so the width stays that of the cluster
            // instead of growing with every atom.
            const int newLow = masses.front() + isotopes.lightest;
            const int width = masses.back() + isotopes.heaviest - newLow + 1;
            if (width > kMaxNominalPositions) {
                notices.notice("The Isotope Pattern Is Too Wide!\r\n"
                               "Try Using a Larger Minimum% Value");
                return result;
            }
            std::fill_n(step.begin(), width, 0.0);
            for (int j = 0; j < isotopes.count; ++j) {
                const double a = isotopes.abundance[j];
                const int offset = isotopes.mass[j] - newLow;
                for (std::size_t p = 0; p < masses.size(); ++p)
                    step[masses[p] + offset] += a * fractions[p];
            }
            double largest = *std::max_element(step.begin(), step.begin() + width);
            if (largest == 0.0) largest = 1.0;

            masses.clear();
            fractions.clear();
            for (int k = 0; k < width; ++k) {
                double fraction = step[k] / largest;
                // The calculators' rule keeps the pattern in single precision.
                if (everyAtom) fraction = static_cast<float>(fraction);
                // A position no combination reached (fraction 0) is no peak, whatever the
                // threshold.
                if (fraction < cut || fraction == 0.0) continue;
                masses.push_back(newLow + k);
                fractions.push_back(fraction);
            }
            if (masses.empty()) return result; // a threshold above 100 % keeps nothing
        }
    }
    if (!everyAtom) {
        std::size_t kept = 0;
        for (std::size_t p = 0; p < masses.size(); ++p) {
            if (fractions[p] < threshold) continue;
            masses[kept] = masses[p];
            fractions[kept++] = fractions[p];
        }
        masses.resize(kept);
        fractions.resize(kept);
    }

    const std::size_t reported = std::min<std::size_t>(masses.size(), kMaxNominalPeaks);
    for (std::size_t p = 0; p < reported; ++p)
        result.peaks.push_back(
            {static_cast<float>(masses[p]), static_cast<float>(fractions[p] * 100.0)});
    return result;
}

} // namespace qzx
