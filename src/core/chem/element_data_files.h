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
/// the table's numbers are all zero. A save that was interrupted is first finished (when both
/// new files were complete) or undone, so the two files read always belong together.
ElementLoadResult LoadElementTable(const std::filesystem::path& programDirectory,
                                   ElementTable& table, CalcElementSlots& calcSlots,
                                   const std::function<void(const std::string&)>& warn);

/// What the data files could not hold for an element because the program would refuse them
/// when it next starts ("gives Cl abundances that do not add up to 1"): masses outside 0 to
/// 1,000 u or not numbers, isotopes not in ascending mass, abundances outside 0 to 1 or not
/// adding up to 1 within 0.001. Empty when the values are sound.
std::string implausibleValues(const ElementRecord& e);

/// Writes both files into `programDirectory` as a pair, keeping one generation of .BAK copies:
/// both new files are written completely and flushed under waiting names, a marker then
/// commits them, and only then are the old files moved aside. After a failure or a kill at
/// any moment the pair is wholly old or (once the next start has finished the save) wholly
/// new. Returns an error text, empty on success.
std::string SaveElementTable(const std::filesystem::path& programDirectory,
                             const ElementTable& table);

} // namespace qzx
