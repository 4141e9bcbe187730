#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <string>

#include "chem/element_table.h"
#include "util/binary_io.h"

namespace qzx {

/// The formula calculator's seven changeable element rows, as element numbers.
using CalcElementSlots = std::array<int, 7>;
/// C, H, O, N, Cl, Si, S: the rows the calculator starts with.
constexpr CalcElementSlots kDefaultCalcElementSlots{1, 2, 4, 3, 6, 9, 5};

/// Byte image of QZXPROA.DAT: 83 records of NominalMass, Valence, RdbClass, IsotopeCount.
Bytes encodeElementFileA(const ElementTable& table);
/// Byte image of QZXPROB.DAT: per element ExactMass, PrincipalIsotope, then IsotopeCount pairs.
Bytes encodeElementFileB(const ElementTable& table);

/// Reads the byte images of both files into `table`. Returns an empty text on success; on any
/// fault (a short or over-long file, an isotope count outside 0..9) returns a message naming
/// the file and leaves `table` unchanged.
std::string decodeElementFiles(const Bytes& fileA, const Bytes& fileB, ElementTable& table);

/// What loading the element table reported.
struct ElementLoadResult {
    bool loaded = false; ///< both files were read; otherwise every number in the table is zero
    std::string error;   ///< a fault in a file that exists; empty when the files were missing
};

/// Fills symbols and names, shows a warning for each missing file (A before B), reads both
/// files from `programDirectory` and sets the calculator's default element rows. On failure
/// the table's numbers are all zero.
ElementLoadResult LoadElementTable(const std::filesystem::path& programDirectory,
                                   ElementTable& table, CalcElementSlots& calcSlots,
                                   const std::function<void(const std::string&)>& warn);

/// Writes both files into `programDirectory`, keeping one generation of .BAK copies.
/// The new file is written completely before the old one is moved aside, so a failed save
/// never loses the data. Returns an error text, empty on success.
std::string SaveElementTable(const std::filesystem::path& programDirectory,
                             const ElementTable& table);

} // namespace qzx
