#include "chem/formula_results.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "chem/composition.h"
#include "chem/element_table.h"
#include "chem/formula_text.h"
#include "chem/isotope_agreement.h"
#include "chem/isotope_pattern.h"
#include "spectrum/spectrum.h"
#include "util/heap_sort.h"
#include "util/rounding.h"

namespace qzx {

std::string electronParity(float rdb) {
    return rdb == std::floor(rdb) ? "Odd Electron" : "Even Electron";
}

int shownRdb(float rdb) {
    const auto rounded = Round(rdb);
    return rounded < 0 ? 0 : static_cast<int>(rounded);
}

std::string formulaDetailText(const FormulaCandidate& candidate, const ElementTable& elements,
                              IsotopeNotices& notices, const Spectrum* spectrum) {
    std::string composition = formulaCompositionText(candidate);
    char mass[64];
    std::snprintf(mass, sizeof mass, "%9.4f", formulaCandidateMass(candidate, elements));
    std::string text = "Composition is: " + composition;
    text += "\r\rMolecular Weight: " + std::string(mass);
    text += "\r\rRings + Double Bonds: " + std::to_string(shownRdb(candidate.rdb));

    // The (M+1)% of the composition's nominal pattern: its second reported peak.
    Composition parsed;
    ParseFormulaText(parsed, composition);
    NominalIsotopeOptions options;
    options.threshold = 0.005f;
    const IsotopePattern pattern = NominalIsotopePattern(parsed, elements, options, notices);
    char mPlus1[64];
    std::snprintf(mPlus1, sizeof mPlus1, "%.2f",
                  pattern.peaks.size() > 1 ? static_cast<double>(pattern.peaks[1].abundance) : 0.0);
    text += "\r\r(M+1)%  =  " + std::string(mPlus1);
    text += "\r\r" + electronParity(candidate.rdb);
    if (spectrum != nullptr && spectrum->peakCount() > 0) {
        const IsotopeAgreement agreement = isotopeAgreement(pattern, *spectrum);
        if (agreement.available) {
            char percent[64];
            std::snprintf(percent, sizeof percent, "%.1f", agreement.percent);
            text +=
                "\r\rIsotope match with the spectrum (M to M+4):  " + std::string(percent) + " %";
        } else {
            text += "\r\rIsotope match: the spectrum has no peaks at M to M+4";
        }
    }
    return text;
}

std::string formulaCopyLine(const std::string& composition, const std::string& difference,
                            float rdb) {
    char line[256];
    std::snprintf(line, sizeof line, "%-30s%10s%6s", composition.c_str(), difference.c_str(),
                  std::to_string(shownRdb(rdb)).c_str());
    return std::string(line) + (rdb == std::floor(rdb) ? "   Odd" : "   Even");
}

std::string formulaDifferenceCell(std::int32_t differenceKey) {
    char text[64];
    std::snprintf(text, sizeof text, "%.4f", differenceKey * 0.0001);
    return text;
}

std::vector<int> differenceOrder(const std::vector<FormulaCandidate>& results) {
    // The sort works on positions 1..n.
    std::vector<KeyedPair> pairs(results.size() + 1);
    for (std::size_t i = 0; i < results.size(); ++i)
        pairs[i + 1] = {results[i].difference, static_cast<std::int32_t>(i)};
    SortKeyedPairs(pairs, static_cast<int>(results.size()));
    std::vector<int> order;
    order.reserve(results.size());
    for (std::size_t i = 1; i < pairs.size(); ++i)
        order.push_back(pairs[i].value);
    return order;
}

std::string clampedToleranceText(const std::string& text) {
    // The whole-number reading: the leading integer, if the text starts with one.
    const long whole = std::strtol(text.c_str(), nullptr, 10);
    return whole > 2 ? "2" : text;
}

} // namespace qzx
