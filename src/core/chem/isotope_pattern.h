#pragma once

#include <string>
#include <vector>

namespace qzx {

struct Composition;
class ElementTable;

/// One peak of an isotope cluster.
struct IsotopePeak {
    float mass = 0.0f;      ///< u; a whole number in the nominal pattern
    float abundance = 0.0f; ///< percent of the largest peak, which is 100
};

/// An isotope cluster in ascending mass order.
struct IsotopePattern {
    std::vector<IsotopePeak> peaks; ///< at most 50 (nominal) or 30 (accurate)
    /// Accurate pattern only: after a limitation notice, one line per element whose isotopes
    /// were cut ("Chlorine was limited to the first 2 isotopes." + LF); otherwise empty.
    std::string message;
};

/// Receives the notices of the isotope calculations. The program shows each one in its modal
/// "Notice" window after one system beep; a test or a batch tool may collect them instead.
class IsotopeNotices {
public:
    virtual ~IsotopeNotices() = default;
    /// One notice text; CR and LF inside it are line breaks.
    virtual void notice(const std::string& text) = 0;
};

/// Most peaks a nominal pattern reports.
constexpr int kMaxNominalPeaks = 50;
/// Most peaks an accurate pattern reports.
constexpr int kMaxAccuratePeaks = 30;
/// Positions the nominal convolution can hold after trimming.
constexpr int kMaxNominalPositions = 5000;
/// Atoms the nominal convolution takes at most.
constexpr long long kMaxNominalAtoms = 1000000;
/// Terms per expanded element: 1,050 atoms of a two-isotope element give 1,051.
constexpr int kMaxIsotopeTerms = 1051;
/// Combinations above the 0.00001 % floor that the accurate calculation can merge.
constexpr int kMaxRawCombinations = 32000;

/// Options of the nominal isotope pattern.
struct NominalIsotopeOptions {
    /// Fraction of the largest position below which a position is not reported: the profiler
    /// passes its "Minimum %" x 0.01, the formula calculator 0.005. It applies once, to the
    /// finished cluster, so the reported abundances are those of the complete distribution.
    float threshold = 0.0005f;
};

/// The isotope cluster in nominal (whole-number) masses: each element's distribution of its
/// atoms by repeated squaring, the elements convolved together in double precision, positions
/// below 1e-20 of the largest trimmed between steps (a reported percentage moves by at most
/// 5e-5 points), then the threshold applied once. Elements with a count below 1 are ignored.
/// A position without abundance (one that no isotope combination reaches) is never reported,
/// even with a threshold of 0. A composition without atoms gives no peaks. The lightest 50
/// positions at or above the threshold are reported.
///
/// Refuses, with a notice and no peaks, a composition of more than 1,000,000 atoms, one
/// whose cluster needs more than 5,000 places, or one with a peak to report above
/// 16,777,216 u (the largest whole mass a single-precision peak holds exactly; refused
/// before the work when even the lightest isotopes lie beyond it); nothing else is shown.
IsotopePattern NominalIsotopePattern(const Composition& composition, const ElementTable& elements,
                                     const NominalIsotopeOptions& options, IsotopeNotices& notices);

/// Options of the accurate isotope pattern.
struct AccurateIsotopeOptions {
    /// Fraction of the largest peak below which a peak is not reported (0.0005 = 0.05 %).
    float threshold = 0.0005f;
    /// When false, hydrogen is taken as its lightest isotope only, like an element with one
    /// isotope.
    bool includeDeuterium = false;
};

/// The isotope cluster in exact masses. Every element with more than one isotope (hydrogen
/// only with deuterium) is expanded into its isotope combinations with multinomial factors;
/// at most five elements, with four atoms at most six isotopes and with five or more atoms
/// the first two isotopes (announced by a notice and recorded in `message`). Combinations
/// whose product is at most 0.00001 % are dropped, equal single-precision masses are merged,
/// and at most 30 peaks at or above the threshold are reported (a 31st gives a notice).
///
/// Refused with a notice and no peaks: more than five expanded elements, none at all, more
/// than 1,050 atoms of one expanded element, or more than 32,000 combinations above the floor.
IsotopePattern AccurateIsotopePattern(const Composition& composition, const ElementTable& elements,
                                      const AccurateIsotopeOptions& options,
                                      IsotopeNotices& notices);

} // namespace qzx
