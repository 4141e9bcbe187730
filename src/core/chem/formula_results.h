#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "chem/formula_search.h"

namespace qzx {

class ElementTable;
class IsotopeNotices;
struct Spectrum;

/// The formula calculator's views of a search's results, apart from any window.

/// "Odd Electron" when the rings plus double bonds are a whole number (0 included), else
/// "Even Electron".
std::string electronParity(float rdb);

/// The rings plus double bonds as the results show them: rounded, a negative value as 0.
int shownRdb(float rdb);

/// The text of the detail box of one result: its composition, its mass ("%9.4f" of the
/// counts times the rows' exact masses), rings plus double bonds, the (M+1)% of its nominal
/// isotope pattern at threshold 0.005 and its electron parity, joined by blank lines (CR CR).
/// With a spectrum that holds peaks, a last line says how well that pattern agrees with the
/// spectrum at M to M+4 (see isotopeAgreement).
std::string formulaDetailText(const FormulaCandidate& candidate, const ElementTable& elements,
                              IsotopeNotices& notices, const Spectrum* spectrum = nullptr);

/// One line of "Copy to Clipboard": the composition padded to 30, the difference text
/// right-aligned in 10, the shown rings plus double bonds right-aligned in 6, then "   Odd"
/// or "   Even".
std::string formulaCopyLine(const std::string& composition, const std::string& difference,
                            float rdb);

/// The difference column of a result: its difference key (units of 0.0001 u) as u with four
/// decimals.
std::string formulaDifferenceCell(std::int32_t differenceKey);

/// The stored results in the order the grid shows them sorted by difference: the results'
/// indexes (0-based), ascending by difference key (ties in the heap sort's order).
std::vector<int> differenceOrder(const std::vector<FormulaCandidate>& results);

/// A tolerance text as the window takes it: a text whose whole-number reading exceeds 2 is
/// replaced by "2".
std::string clampedToleranceText(const std::string& text);

} // namespace qzx
