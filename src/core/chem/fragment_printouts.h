#pragma once

#include <vector>

#include "chem/fragment_evaluation.h"
#include "util/print_line.h"

namespace qzx {

class Structure;
struct FragmentTable;

/// The printed autofragment results: "AUTOFRAGMENT RESULTS", the fragment count, and every
/// list row with its fragment's formula under the heading "   Mass   Formula", 50 rows to a
/// column, two columns 1100 units apart to a page, later pages numbered "Page: 2", ...; `unit`
/// is the printable width in printer pixels divided by 2400.
std::vector<PrintLine> fragmentListPrintLines(const FragmentTable& table,
                                              const Structure& structure, int unit);

/// The printed evaluation: "AUTOFRAGMENT EVALUATION", then every grid row as its three cells
/// in columns of 8 and 28 characters and the rest, 50 units apart (100 below the heading row).
std::vector<PrintLine> evaluationPrintLines(const std::vector<EvaluationGridRow>& grid, int unit);

} // namespace qzx
