#pragma once

#include <string>
#include <vector>

namespace qzx {

struct IsotopePattern;
struct Spectrum;

/// What the isotope match of the spectrum window found.
struct IsotopeMatchOutcome {
    enum class Kind {
        EmptySpectrum,  ///< no peaks: nothing is said
        MassAbsent,     ///< no peak at the structure's mass
        NoPattern,      ///< the structure has no isotope pattern to compare
        NoIsotopeFound, ///< no peak lies at any mass of the pattern
        Index,          ///< the index was computed
    };
    Kind kind = Kind::EmptySpectrum;
    double index = 0.0;  ///< 0 to 1
    int expected = 0;    ///< lines of the pattern
    int found = 0;       ///< of them present in the spectrum
    std::string message; ///< the information box's text (CR LF line breaks); empty for none
};

/// Checks the molecular-ion region against the structure's nominal isotope pattern (threshold
/// 0.005): the peaks at the pattern's masses, scaled to their largest, against the pattern's
/// abundances, less 0.01 x abundance for every peak of 10 % or more at or above the pattern's
/// heaviest mass. `structureMass` is M.
IsotopeMatchOutcome isotopeMatch(const Spectrum& spectrum, int structureMass,
                                 const IsotopePattern& pattern);

/// The comparison's settings.
struct ComparisonOptions {
    bool allowHydrogenTransfers = true; ///< "Allow H Transfers"
    int hydrogens = 1;                  ///< "1H" or "2H": how far a fragment may lie
    int structureMass = 0;              ///< M
};

/// Marks every peak a fragment or an isotope line explains (`PeakMatched`), counts them
/// (`MatchCount`) and sets `MatchIndex`: the matched share of the total mass x abundance, less
/// every peak above 5 % at M + 10 or more, never below 0. Returns the matched peak numbers in
/// the order found (for drawing them in red).
std::vector<int> compareSpectrum(Spectrum& spectrum, const std::vector<int>& fragmentMasses,
                                 const IsotopePattern& pattern, const ComparisonOptions& options);

/// The "Summary" box of the last comparison; empty for an empty spectrum.
std::string comparisonSummary(const Spectrum& spectrum);

} // namespace qzx
