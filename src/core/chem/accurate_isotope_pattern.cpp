// The accurate isotope pattern: isotope combinations multiplied out in exact masses.
#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "chem/composition.h"
#include "chem/element_table.h"
#include "chem/isotope_pattern.h"
#include "chem/isotope_terms.h"

namespace qzx {
namespace {

constexpr int kMaxExpandedElements = 5;
/// Combinations whose product is at most this many percent are dropped before merging.
constexpr double kCombinationFloor = 0.00001;

/// One expanded element: its atom count and the isotopes that take part.
struct ExpandedElement {
    int element = 0;
    int atoms = 0;
    int isotopes = 0;
    std::array<float, kIsotopeSlots> masses{};
    std::array<float, kIsotopeSlots> abundances{};
};

/// One entry of the combination list: a mass without the fixed part and a percentage.
struct Combination {
    float mass;
    float abundance;
};

/// How many of an element's isotopes take part for a given number of atoms.
int isotopesUsed(int atoms, int isotopes) {
    if (atoms == 4 && isotopes > 6) return 6;
    if (atoms >= 5 && isotopes > 2) return 2;
    return isotopes;
}

/// Multiplies out one term per element, the first element outermost, and keeps every
/// product above the floor. Returns false when more than `kMaxRawCombinations` are kept.
class Combiner {
public:
    explicit Combiner(const std::vector<std::vector<IsotopeTerm>>& terms) : m_terms(terms) {
        // The largest product still reachable from each element on lets whole branches that
        // cannot pass the floor be skipped; the kept entries are exactly those of the full
        // product.
        m_reachable.assign(terms.size() + 1, 1.0);
        for (std::size_t k = terms.size(); k-- > 0;) {
            float largest = 0.0f;
            for (const IsotopeTerm& term : terms[k])
                largest = std::max(largest, term.abundance);
            m_reachable[k] = m_reachable[k + 1] * largest;
        }
    }

    bool run(std::vector<Combination>& out) {
        m_out = &out;
        return descend(0, 1.0, 0.0);
    }

private:
    bool descend(std::size_t slot, double product, double mass) {
        // A small margin keeps rounding in the bound from skipping a product that passes.
        if (product * m_reachable[slot] * 100.0 * (1.0 + 1e-9) <= kCombinationFloor) return true;
        if (slot == m_terms.size()) {
            const double percent = product * 100.0;
            if (percent > kCombinationFloor) {
                if (m_out->size() == static_cast<std::size_t>(kMaxRawCombinations)) return false;
                m_out->push_back({static_cast<float>(mass), static_cast<float>(percent)});
            }
            return true;
        }
        for (const IsotopeTerm& term : m_terms[slot])
            if (!descend(slot + 1, product * term.abundance, mass + term.mass)) return false;
        return true;
    }

    const std::vector<std::vector<IsotopeTerm>>& m_terms;
    std::vector<double> m_reachable;
    std::vector<Combination>* m_out = nullptr;
};

} // namespace

IsotopePattern AccurateIsotopePattern(const Composition& composition, const ElementTable& elements,
                                      const AccurateIsotopeOptions& options,
                                      IsotopeNotices& notices) {
    IsotopePattern result;
    float fixedMass = 0.0f;
    std::vector<ExpandedElement> expanded;
    std::string noticeText;
    std::string reportText;

    for (int element = 1; element <= kElementCount; ++element) {
        const int count = composition[element];
        if (count < 1) continue;
        const ElementRecord& record = elements[element];
        const int isotopes = std::clamp(record.IsotopeCount, 0, kIsotopeSlots);
        if (isotopes <= 1 || (element == 2 && !options.includeDeuterium)) {
            // The fixed mass is a single-precision sum, as the pattern's masses are singles.
            fixedMass = static_cast<float>(static_cast<double>(fixedMass) +
                                           static_cast<double>(count) * record.Isotopes[1].Mass);
            continue;
        }
        if (static_cast<int>(expanded.size()) == kMaxExpandedElements) {
            notices.notice("Too Many Polyisotopic Elements!\r\n              The Maximum is 5");
            return result;
        }
        ExpandedElement slot;
        slot.element = element;
        slot.atoms = count;
        slot.isotopes = isotopesUsed(count, isotopes);
        if (slot.isotopes < isotopes) {
            const std::string n = std::to_string(slot.isotopes);
            noticeText += record.Symbol + " will be limited to first " + n + " isotopes. \n";
            reportText += record.Name + " was limited to the first " + n + " isotopes.\n";
        }
        for (int j = 0; j < slot.isotopes; ++j) {
            slot.masses[j] = record.Isotopes[j + 1].Mass;
            slot.abundances[j] = record.Isotopes[j + 1].Abundance;
        }
        expanded.push_back(slot);
    }
    if (expanded.empty()) {
        notices.notice("There are no polyisotopic elements\r\n(excluding H) in this formula ");
        return result;
    }
    // 1,050 atoms of a two-isotope element give 1,051 terms, the most one element may have.
    for (const ExpandedElement& slot : expanded) {
        if (slot.atoms >= kMaxIsotopeTerms) {
            notices.notice("Too Many Atoms of " + elements[slot.element].Symbol +
                           " for Accurate Mass!\r\n"
                           "The Maximum is 1050 Atoms of an Element with Isotopes");
            return result;
        }
    }
    if (!noticeText.empty()) {
        notices.notice(noticeText);
        result.message = reportText;
    }

    std::vector<std::vector<IsotopeTerm>> terms;
    for (const ExpandedElement& slot : expanded)
        terms.push_back(
            isotopeTerms(slot.masses.data(), slot.abundances.data(), slot.isotopes, slot.atoms));
    std::vector<Combination> raw;
    if (!Combiner(terms).run(raw)) {
        notices.notice("Too Many Isotope Combinations!\r\n"
                       "The Maximum is 32,000 - Try Turning Off Accurate Mass");
        return result;
    }

    // Equal masses are merged whatever their order, so any sort by mass will do.
    std::sort(raw.begin(), raw.end(),
              [](const Combination& a, const Combination& b) { return a.mass < b.mass; });
    struct Peak {
        float mass;
        double abundance; // percent, summed in double
    };
    std::vector<Peak> merged;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (i > 0 && raw[i].mass == raw[i - 1].mass) {
            merged.back().abundance += raw[i].abundance;
            continue;
        }
        merged.push_back(
            {static_cast<float>(static_cast<double>(raw[i].mass) + fixedMass), raw[i].abundance});
    }

    double largest = 0.0;
    for (const Peak& peak : merged)
        largest = std::max(largest, peak.abundance);
    if (largest <= 0.0) return result;
    const auto limit = static_cast<float>(static_cast<double>(options.threshold) * 100.0);
    for (const Peak& peak : merged) {
        const auto percent = static_cast<float>(peak.abundance / largest * 100.0);
        if (percent < limit) continue;
        if (static_cast<int>(result.peaks.size()) == kMaxAccuratePeaks) {
            notices.notice("There Are More Entries Than Can Be Listed.\n"
                           "     Try Using a Larger Minimum% Value\n"
                           "           Or Turn Off Accurate Mass");
            break;
        }
        result.peaks.push_back({peak.mass, percent});
    }
    return result;
}

} // namespace qzx
