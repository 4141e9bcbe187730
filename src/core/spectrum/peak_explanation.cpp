#include "spectrum/peak_explanation.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "chem/composition.h"
#include "chem/element_table.h"
#include "chem/fragment_evaluation.h"
#include "chem/fragments.h"
#include "chem/isotope_pattern.h"
#include "chem/neutral_losses.h"
#include "spectrum/spectrum.h"
#include "structure/structure.h"
#include "structure/structure_composition.h"
#include "util/rounding.h"

namespace qzx {
namespace {

constexpr int kHydrogen = 2;

/// Collects the isotope calculation's notices; the explanation has no window to show them.
class QuietNotices : public IsotopeNotices {
public:
    void notice(const std::string&) override {}
};

/// The abundance of the spectrum's peak at a nominal mass, 0 when there is none.
float abundanceAt(const Spectrum& spectrum, std::int32_t mass) {
    for (int k = 1; k <= spectrum.peakCount(); ++k)
        if (Round(spectrum.peak(k).Mass) == mass) return spectrum.peak(k).Abundance;
    return 0.0f;
}

/// Every composition of the molecule's elements, each at most as often as in the molecule,
/// whose exact mass lies strictly within the tolerance of the target. Hydrogen comes last and
/// is solved from the mass left, so only the heavy elements are enumerated.
class CompositionFinder {
public:
    CompositionFinder(const Composition& molecule, const ElementTable& elements, double target,
                      double tolerance)
        : m_elements(elements), m_target(target), m_tolerance(tolerance) {
        for (int e = 1; e <= kElementCount; ++e)
            if (molecule[e] > 0 && e != kHydrogen) m_heavy.push_back(e);
        m_hydrogens = molecule[kHydrogen];
        m_hydrogenMass = static_cast<double>(elements[kHydrogen].ExactMass);
    }
    std::vector<ExplainedComposition> find(const Composition& molecule) {
        m_molecule = molecule;
        Composition counts;
        descend(0, 0.0, counts);
        return std::move(m_found);
    }

private:
    void descend(std::size_t level, double mass, Composition& counts) {
        if (level == m_heavy.size()) {
            addHydrogens(mass, counts);
            return;
        }
        const int element = m_heavy[level];
        const double step = static_cast<double>(m_elements[element].ExactMass);
        for (int n = 0; n <= m_molecule[element]; ++n) {
            const double total = mass + n * step;
            if (total >= m_target + m_tolerance) break;
            counts[element] = n;
            descend(level + 1, total, counts);
        }
        counts[element] = 0;
    }
    void addHydrogens(double mass, Composition& counts) {
        // Start a little below the first count that can reach the window; the loop's tests
        // decide exactly.
        const int first =
            static_cast<int>(std::floor((m_target - m_tolerance - mass) / m_hydrogenMass));
        for (int h = std::max(first, 0); h <= m_hydrogens; ++h) {
            const double total = mass + h * m_hydrogenMass;
            if (total >= m_target + m_tolerance) break;
            if (total <= m_target - m_tolerance || (h == 0 && empty(counts))) continue;
            counts[kHydrogen] = h;
            m_found.push_back({compositionText(counts, true), total, total - m_target});
        }
        counts[kHydrogen] = 0;
    }
    bool empty(const Composition& counts) const {
        return std::all_of(m_heavy.begin(), m_heavy.end(), [&](int e) { return counts[e] == 0; });
    }

    const ElementTable& m_elements;
    double m_target;
    double m_tolerance;
    std::vector<int> m_heavy;
    int m_hydrogens = 0;
    double m_hydrogenMass = 0.0;
    Composition m_molecule;
    std::vector<ExplainedComposition> m_found;
};

Composition moleculeComposition(const Structure& structure) {
    std::vector<std::int32_t> all(static_cast<std::size_t>(structure.count.atoms));
    for (std::size_t i = 0; i < all.size(); ++i)
        all[i] = static_cast<std::int32_t>(i) + 1;
    return FragmentComposition(structure, all);
}

bool holdsClusterElement(const Composition& composition, const ElementTable& elements) {
    for (const char* symbol : {"Cl", "Br", "S", "Si"}) {
        const int e = elements.findSymbol(symbol);
        if (e >= 1 && e <= kElementCount && composition[e] > 0) return true;
    }
    return false;
}

ExplainedCluster clusterOf(const ExplainedFragment& match, const Composition& composition,
                           const ElementTable& elements, const Spectrum& spectrum,
                           std::int32_t peak) {
    QuietNotices notices;
    NominalIsotopeOptions options;
    options.threshold = 0.001f;
    const IsotopePattern pattern = NominalIsotopePattern(composition, elements, options, notices);
    ExplainedCluster cluster{match.fragment, match.formula, match.hydrogenShift, {}};
    float atPeak = 0.0f;
    for (const IsotopePeak& line : pattern.peaks) {
        const auto mass = static_cast<std::int32_t>(Round(line.mass)) + match.hydrogenShift;
        if (mass == peak) atPeak = line.abundance;
        cluster.lines.push_back({mass, line.abundance, abundanceAt(spectrum, mass)});
    }
    // The predicted cluster stands on the observed peak: its line at the peak's mass is scaled
    // to the peak's abundance (to 100 when that line is missing or the peak is absent).
    const double observed = abundanceAt(spectrum, peak);
    const bool scaled = atPeak > 0.0f && observed > 0.0;
    for (ClusterLine& line : cluster.lines)
        if (scaled) // in double, so that the line at the peak comes out as the peak exactly
            line.predicted = static_cast<float>(line.predicted * observed / atPeak);
    return cluster;
}

} // namespace

PeakExplanation explainPeak(const Structure& structure, const ElementTable& elements,
                            const FragmentTable& fragments, const Spectrum& spectrum,
                            float peakMass, const ExplainOptions& options) {
    PeakExplanation explanation;
    explanation.peakMass = peakMass;
    const auto peak = static_cast<std::int32_t>(Round(peakMass));
    explanation.abundance = abundanceAt(spectrum, peak);
    explanation.moleculeMass = composeStructure(structure, elements, false).nominalMass;

    for (int f = 1;
         f <= fragments.FragmentCount && f < static_cast<int>(fragments.Fragments.size()); ++f) {
        const Fragment& fragment = fragments.fragment(f);
        const int shift = peak - fragment.Mass;
        if (std::abs(shift) > options.hydrogenTransfers) continue;
        explanation.fragments.push_back({f, fragment.Mass, shift,
                                         FragmentFormulaText(structure, fragment.Atoms),
                                         fragment.Atoms});
    }
    std::stable_sort(explanation.fragments.begin(), explanation.fragments.end(),
                     [](const ExplainedFragment& a, const ExplainedFragment& b) {
                         if (std::abs(a.hydrogenShift) != std::abs(b.hydrogenShift))
                             return std::abs(a.hydrogenShift) < std::abs(b.hydrogenShift);
                         return a.hydrogenShift > b.hydrogenShift;
                     });

    const Composition molecule = moleculeComposition(structure);
    CompositionFinder finder(molecule, elements, peakMass, options.tolerance);
    explanation.compositions = finder.find(molecule);
    std::stable_sort(explanation.compositions.begin(), explanation.compositions.end(),
                     [](const ExplainedComposition& a, const ExplainedComposition& b) {
                         return std::fabs(a.error) < std::fabs(b.error);
                     });
    if (explanation.compositions.size() > options.maxCompositions) {
        explanation.compositionsLeftOut = explanation.compositions.size() - options.maxCompositions;
        explanation.compositions.resize(options.maxCompositions);
    }

    const std::int32_t loss = explanation.moleculeMass - peak;
    if (loss >= 1) {
        for (const CommonLoss& common : CommonLosses())
            if (common.mass == loss)
                explanation.losses.push_back({loss, std::string(common.name), "common loss"});
        for (std::string_view name : NeutralsOfMass(loss))
            explanation.losses.push_back({loss, std::string(name), "neutral table"});
    }

    std::set<std::string> clustered; // one cluster per formula and shift
    for (const ExplainedFragment& match : explanation.fragments) {
        const Composition composition = FragmentComposition(structure, match.atoms);
        if (!holdsClusterElement(composition, elements)) continue;
        if (!clustered.insert(match.formula + "/" + std::to_string(match.hydrogenShift)).second)
            continue;
        explanation.clusters.push_back(clusterOf(match, composition, elements, spectrum, peak));
    }
    return explanation;
}

} // namespace qzx
