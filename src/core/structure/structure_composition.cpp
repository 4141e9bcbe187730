#include "structure/structure_composition.h"

#include <array>

#include "chem/element_table.h"
#include "structure/structure.h"
#include "util/number_format.h"

namespace qzx {

namespace {
constexpr int kHydrogen = 2;
}

StructureMasses composeStructure(const Structure& structure, const ElementTable& elements,
                                 bool accurateMass) {
    std::array<std::int64_t, kElementCount + 1> counts{};
    for (int row = 1; row <= structure.count.atoms; ++row) {
        const Atom& atom = structure.atom(row);
        if (atom.Element >= 1 && atom.Element <= kElementCount) ++counts[atom.Element];
        if (atom.Hydrogens > 0) counts[kHydrogen] += atom.Hydrogens;
    }

    StructureMasses masses;
    std::int64_t nominal = 0;
    for (int element = 1; element <= kElementCount; ++element) {
        const std::int64_t count = counts[element];
        if (count <= 0) continue;
        masses.composition += elements[element].Symbol + std::to_string(count) + " ";
        // Each element's own nominal and exact mass (its most abundant isotope), not isotope
        // slot 1, which is the lightest: lead is 208, not 204.
        if (accurateMass)
            masses.monoMass = static_cast<float>(
                static_cast<double>(masses.monoMass) +
                static_cast<double>(count) * static_cast<double>(elements[element].ExactMass));
        else
            nominal += count * elements[element].NominalMass;
    }
    masses.nominalMass = static_cast<std::int32_t>(nominal);
    return masses;
}

std::string compositionPanelText(const StructureMasses& masses) {
    return "   Composition:  " + masses.composition;
}

std::string massPanelText(const StructureMasses& masses, bool accurateMass) {
    if (accurateMass) return "   Monoisotopic Mass:  " + formatHashPattern4(masses.monoMass);
    return "   Nominal Mass:  " + std::to_string(masses.nominalMass);
}

} // namespace qzx
