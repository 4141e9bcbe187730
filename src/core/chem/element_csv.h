#pragma once

#include <string>

#include "chem/element_table.h"

namespace qzx {

/// Reads the element data source (data/elements.csv) into `table`.
///
/// Lines starting with '#' and blank lines are comments. Every other line is
///   number,symbol,nominal_mass,valence,rdb_class,exact_mass,principal_isotope,isotopes
/// where isotopes is a ';'-separated list of "mass:abundance" pairs in ascending mass.
/// All 83 elements must appear once, with the program's own symbols.
/// Returns an empty text on success, otherwise a message naming the line; the table is then
/// unchanged.
std::string parseElementCsv(const std::string& text, ElementTable& table);

} // namespace qzx
