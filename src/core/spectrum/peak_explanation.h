#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace qzx {

class ElementTable;
class Structure;
struct FragmentTable;
struct Spectrum;

/// How far the explanation of a peak looks.
struct ExplainOptions {
    /// Elemental compositions whose exact mass lies strictly within this many u of the peak.
    double tolerance = 0.5;
    /// Fragments within this many hydrogens of the peak (0, 1 or 2 transfers).
    int hydrogenTransfers = 2;
    /// Most compositions listed, the closest first.
    std::size_t maxCompositions = 50;
};

/// A fragment of the autofragment results that gives the peak's mass, shifted by
/// `hydrogenShift` hydrogens (peak mass minus fragment mass).
struct ExplainedFragment {
    std::int32_t fragment = 0; ///< fragment number in the fragment table
    std::int32_t mass = 0;     ///< the fragment's nominal mass
    int hydrogenShift = 0;
    std::string formula; ///< "C7 H7 "
    std::vector<std::int32_t> atoms;
};

/// An elemental composition of the peak's mass within the drawn molecule's element counts.
struct ExplainedComposition {
    std::string formula; ///< "C7 H7 "
    double exactMass = 0.0;
    double error = 0.0; ///< exact mass minus peak mass, u
};

/// A neutral loss from the molecular ion M that leads to the peak: M minus its mass.
struct ExplainedLoss {
    std::int32_t mass = 0;
    std::string name;   ///< as the loss tables write it ("H20", "C6H5")
    std::string source; ///< "common loss" (the Loss window's menu) or "neutral table"
};

/// One line of a fragment's isotope cluster beside the spectrum.
struct ClusterLine {
    std::int32_t mass = 0;
    float predicted = 0.0f; ///< scaled so that the line at the peak's mass equals the peak
    float observed = 0.0f;  ///< the spectrum's abundance at that mass, 0 when no peak
};

/// The nominal isotope cluster of a matching fragment that holds Cl, Br, S or Si, each line
/// moved by the fragment's hydrogen shift.
struct ExplainedCluster {
    std::int32_t fragment = 0;
    std::string formula;
    int hydrogenShift = 0;
    std::vector<ClusterLine> lines;
};

/// Everything that may explain one peak of the spectrum.
struct PeakExplanation {
    float peakMass = 0.0f;
    float abundance = 0.0f;                   ///< the spectrum's abundance there, 0 when no peak
    std::int32_t moleculeMass = 0;            ///< M, the molecular ion's nominal mass
    std::vector<ExplainedFragment> fragments; ///< fewest transfers first, then by mass
    std::vector<ExplainedComposition> compositions; ///< closest first
    std::size_t compositionsLeftOut = 0;            ///< found beyond maxCompositions
    std::vector<ExplainedLoss> losses;
    std::vector<ExplainedCluster> clusters;
};

/// Explains the peak at `peakMass` (its nominal mass is the value rounded, ties to even) with
/// the fragments of the last autofragment run, the compositions the drawn molecule's own
/// element counts allow, the common losses from the molecular ion, and the isotope clusters
/// of matching fragments with Cl, Br, S or Si beside the observed peaks.
PeakExplanation explainPeak(const Structure& structure, const ElementTable& elements,
                            const FragmentTable& fragments, const Spectrum& spectrum,
                            float peakMass, const ExplainOptions& options = {});

} // namespace qzx
