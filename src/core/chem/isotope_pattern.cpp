// The nominal isotope pattern: each element's n-atom distribution by repeated squaring, the
// elements convolved together, the threshold applied once to the finished cluster.
#include "chem/isotope_pattern.h"

#include <algorithm>
#include <vector>

#include "chem/composition.h"
#include "chem/element_table.h"
#include "util/rounding.h"

namespace qzx {
namespace {

/// After every convolution the positions at either end below this fraction of that step's
/// largest position are trimmed. Every trim removes less than W x kWorkingCut of probability
/// (W <= 5,000 positions); a step's error is at most the sum of its two inputs' errors plus
/// its own trim, so N atoms lose at most (N - 1) x W x kWorkingCut in total. The largest exact
/// probability is at least 1 / W, so a reported percentage moves by at most
/// 200 x (N - 1) x W^2 x kWorkingCut points: 5e-5 points for 1,000,000 atoms, 2e-9 points for
/// a 3,000-atom protein. Positions below this fraction of the largest are never reported,
/// even with a threshold of 0; they are below 1e-18 % of the largest peak.
constexpr double kWorkingCut = 1e-20;
/// Peaks keep their masses in single precision, which holds every whole number up to 2^24.
constexpr long long kLargestExactMass = 16777216;

constexpr const char* kTooWideNotice = "The Isotope Pattern Is Too Wide!\r\n"
                                       "Try Using a Larger Minimum% Value";

/// A run of whole-number masses from `low` on, with their probabilities.
struct Distribution {
    long long low = 0;
    std::vector<double> p;
};

/// Trims weak ends; false when the cluster is wider than the working space.
bool trim(Distribution& d) {
    const double largest = *std::max_element(d.p.begin(), d.p.end());
    const double cut = largest * kWorkingCut;
    std::size_t first = 0, last = d.p.size();
    while (first < last && !(d.p[first] >= cut && d.p[first] > 0.0))
        ++first;
    while (last > first && !(d.p[last - 1] >= cut && d.p[last - 1] > 0.0))
        --last;
    if (first == last) { // nothing left: keep one empty position so the shape stays valid
        d.p.assign(1, 0.0);
        return true;
    }
    d.low += static_cast<long long>(first);
    d.p.erase(d.p.begin() + static_cast<std::ptrdiff_t>(last), d.p.end());
    d.p.erase(d.p.begin(), d.p.begin() + static_cast<std::ptrdiff_t>(first));
    return d.p.size() <= static_cast<std::size_t>(kMaxNominalPositions);
}

/// The distribution of the sum of two independent masses, trimmed.
bool convolve(const Distribution& a, const Distribution& b, Distribution& out) {
    Distribution sum;
    sum.low = a.low + b.low;
    sum.p.assign(a.p.size() + b.p.size() - 1, 0.0);
    for (std::size_t i = 0; i < a.p.size(); ++i) {
        const double x = a.p[i];
        if (x == 0.0) continue;
        double* target = sum.p.data() + i;
        for (std::size_t j = 0; j < b.p.size(); ++j)
            target[j] += x * b.p[j];
    }
    out = std::move(sum);
    return trim(out);
}

/// One atom of an element: its isotopes' probabilities at their rounded masses.
Distribution oneAtom(const ElementRecord& element) {
    const int count = std::clamp(element.IsotopeCount, 0, kIsotopeSlots);
    long long lightest = 0, heaviest = 0;
    for (int j = 1; j <= count; ++j) {
        const auto mass = static_cast<long long>(Round(element.Isotopes[j].Mass));
        // The table lists isotopes by ascending mass; the extremes keep an edited table that
        // does not in range too.
        lightest = j == 1 ? mass : std::min(lightest, mass);
        heaviest = j == 1 ? mass : std::max(heaviest, mass);
    }
    Distribution d;
    d.low = lightest;
    d.p.assign(static_cast<std::size_t>(heaviest - lightest + 1), 0.0);
    for (int j = 1; j <= count; ++j)
        d.p[static_cast<std::size_t>(Round(element.Isotopes[j].Mass) - lightest)] +=
            element.Isotopes[j].Abundance;
    return d;
}

/// `atoms` atoms of one element by binary powering: O(log atoms) convolutions.
bool power(Distribution base, int atoms, Distribution& out) {
    Distribution result{0, {1.0}};
    bool first = true;
    while (atoms > 0) {
        if (atoms & 1) {
            if (first) {
                result = base;
                first = false;
            } else if (!convolve(result, base, result)) {
                return false;
            }
        }
        atoms >>= 1;
        if (atoms > 0 && !convolve(base, base, base)) return false;
    }
    out = std::move(result);
    return true;
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
    // Even the lightest isotopes put every peak beyond the masses a peak can hold: refused
    // before any work.
    long long lightestMass = 0;
    for (int element = 1; element <= kElementCount; ++element)
        if (composition[element] >= 1)
            lightestMass += composition[element] * oneAtom(elements[element]).low;
    if (lightestMass > kLargestExactMass) {
        notices.notice(kTooWideNotice);
        return result;
    }

    Distribution cluster{0, {1.0}};
    for (int element = 1; element <= kElementCount; ++element) {
        const int count = composition[element];
        if (count < 1) continue;
        Distribution part;
        if (!power(oneAtom(elements[element]), count, part) || !convolve(cluster, part, cluster)) {
            notices.notice(kTooWideNotice);
            return result;
        }
    }

    const double largest = *std::max_element(cluster.p.begin(), cluster.p.end());
    if (largest == 0.0) return result;
    const double threshold = options.threshold;
    for (std::size_t k = 0; k < cluster.p.size(); ++k) {
        const double fraction = cluster.p[k] / largest;
        // A position no combination reached (fraction 0) is no peak, whatever the threshold.
        if (fraction < threshold || fraction == 0.0) continue;
        const long long mass = cluster.low + static_cast<long long>(k);
        if (mass > kLargestExactMass) { // its mass would be shown rounded: none is shown
            result.peaks.clear();
            notices.notice(kTooWideNotice);
            return result;
        }
        result.peaks.push_back({static_cast<float>(mass), static_cast<float>(fraction * 100.0)});
        if (result.peaks.size() == static_cast<std::size_t>(kMaxNominalPeaks)) break;
    }
    return result;
}

} // namespace qzx
