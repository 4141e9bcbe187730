#pragma once

#include <string>
#include <vector>

#include "chem/isotope_pattern.h"

namespace qzx {

struct Composition;
class ElementTable;

/// The isotopic profiler's numbers and texts for one calculated cluster, apart from any window.

/// The nominal mass the profiler shows: for every element with a count above 0, the count
/// times the mass of its principal isotope, rounded, summed.
long long profileNominalMass(const Composition& composition, const ElementTable& elements);

/// The grid's mass cell: five blanks and the mass, accurate masses to 8 significant digits
/// shown with 4 decimals ("     78.0470"), nominal ones in the shortest general notation
/// ("     78").
std::string profileMassCell(float mass, bool accurate);

/// The grid's abundance cell: three blanks, two more below 100 and two more again below 10,
/// then the abundance with 2 decimals, so the column lines up ("   100.00", "     50.00").
std::string profileAbundanceCell(float abundance);

/// A peak's label on the plot: 4 decimals for accurate masses, general notation for nominal.
std::string profileLabelText(float mass, bool accurate);

/// One stick of the plot, in pixels of the 254 x 211 plot.
struct ProfileStick {
    int x = 0;      ///< the first stick stands at 60
    int height = 0; ///< 100 % is 150 pixels over the baseline at 180
    float mass = 0.0f;
    float abundance = 0.0f;
};

constexpr int kProfileBaseline = 180;

/// Where the sticks stand. Nominal: 16 pixels per mass unit with fewer than 8 peaks, else
/// 140 div round(last mass - first mass). Accurate: evenly by index, 18 pixels apart with
/// fewer than 8 peaks, else 140 div (peaks - 1).
std::vector<ProfileStick> profileSticks(const IsotopePattern& pattern, bool accurate);

} // namespace qzx
