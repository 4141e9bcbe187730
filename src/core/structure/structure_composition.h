#pragma once

#include <cstdint>
#include <string>

namespace qzx {

class ElementTable;
class Structure;

/// The composition text and mass of the drawn structure.
struct StructureMasses {
    std::string composition;      ///< e.g. "C6 H6 " (counts always written), empty when no atoms
    std::int32_t nominalMass = 0; ///< only while accurate mass is off
    float monoMass = 0.0f;        ///< only while accurate mass is on
};

/// Counts atoms and their hydrogens per element and sums the mass: nominal mass from each
/// element's NominalMass, monoisotopic mass as a single-precision running sum of
/// count x ExactMass.
StructureMasses composeStructure(const Structure& structure, const ElementTable& elements,
                                 bool accurateMass);

/// "   Composition:  " followed by the composition text.
std::string compositionPanelText(const StructureMasses& masses);
/// "   Monoisotopic Mass:  " with the mass as "####.####" (a zero mass reads "0"), or
/// "   Nominal Mass:  " and the nominal mass in decimal.
std::string massPanelText(const StructureMasses& masses, bool accurateMass);

} // namespace qzx
