#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "chem/composition.h"

namespace qzx {

class Structure;
struct FragmentTable;

/// Fixed texts of the evaluation grid's first two rows.
inline constexpr std::string_view kEvaluationMassHeading = "Mass";
inline constexpr std::string_view kEvaluationIdentityHeading = "Identity";
inline constexpr std::string_view kEvaluationLossHeading = "M - Mass";
inline constexpr std::string_view kMolecularIonIdentity = "Molecular Ion";
inline constexpr std::string_view kMolecularIonLoss = "  ---";

/// Rows of the evaluation window's grid, the heading row included.
inline constexpr int kEvaluationGridRows = 30;

/// One row of the results list as the evaluation reads it.
struct EvaluationRow {
    /// The row's text as the list shows it: the mass right-aligned, perhaps followed by the
    /// odd-electron mark. The leading number is the row's mass.
    std::string text;
    /// Atom rows of the fragment the row shows (fragment MassOrder entry row + 1), ascending.
    /// Rows outside the structure count as atoms of no element without hydrogens.
    std::vector<std::int32_t> atoms;
};

/// What the evaluation looks at: the results list, row 0 (lightest) first, sorted by text.
/// The last row is the heaviest, normally the molecular ion.
struct FragmentEvaluationInput {
    std::vector<EvaluationRow> rows;
};

/// One grid row: Mass, Identity, M - Mass.
using EvaluationGridRow = std::array<std::string, 3>;

/// The results list of the last autofragment run with each row's fragment atoms.
FragmentEvaluationInput evaluationInput(const FragmentTable& table);

/// The leading whole number of a results-list text ("   78 ·+" -> 78), 0 when there is none.
std::int32_t leadingMass(std::string_view text);

/// A number as the grid shows it: right-aligned in 4 characters ("  15").
std::string evaluationNumberText(std::int64_t value);

/// Names well-known ions and neutral losses among the listed fragments. Row 0 holds the
/// headings "Mass", "Identity", "M - Mass"; row 1 the last list row's text, "Molecular Ion"
/// and "  ---"; then the McLafferty product if some fragment qualifies, then the rows of the
/// fixed rule list in its order. M is the leading number of the last list row. An empty list
/// gives the heading row alone.
///
/// Every row found is returned, even beyond the grid's 30 rows: the window shows the first
/// kEvaluationGridRows and leaves the rest out, so nothing found is lost for other readers.
/// The result depends on the input and the structure only.
std::vector<EvaluationGridRow> EvaluateFragments(const FragmentEvaluationInput& input,
                                                 const Structure& structure);

/// The formula text the "Isotopes" button hands to the isotopic profiler: for each element in
/// element-number order with a non-zero count, the symbol, the count and a blank, implicit
/// hydrogens counted as hydrogen ("C6 H5 "). Only the fragment's own atoms are counted: a
/// nitro group is drawn with its nitrogen and both oxygens as atoms, so those atoms already
/// carry the group's oxygens and nothing is added for its label. Rows outside the structure
/// count nothing.
std::string FragmentFormulaText(const Structure& structure, std::span<const std::int32_t> atoms);

/// The atoms of a fragment counted per element, implicit hydrogens as hydrogen; rows outside
/// the structure count nothing.
Composition FragmentComposition(const Structure& structure, std::span<const std::int32_t> atoms);

} // namespace qzx
