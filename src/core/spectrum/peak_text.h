#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qzx {

/// Peak lists in text: any text file ("Import File") and NIST mass-spectral library text
/// (.msp, "Import NIST Library"). Lines end with CR LF, LF or CR.
///
/// A number is a maximal run of the digits 0-9 and "."; every other character ends it, so
/// signs, exponents and commas are not part of a number ("-1.5E3" gives 1.5 and 3), and
/// "41 100; 42 50;" or "57.0<TAB>12" give their numbers in reading order.

/// The numbers of a text, in reading order across its lines, as they are written.
std::vector<std::string> numbersInText(std::string_view text);

/// A text import: the lines after the first `stripLines`, read for numbers. `fileTooShort`
/// tells that the text ended while the lines were being skipped (nothing is read then).
struct PeakTextImport {
    std::vector<std::string> numbers; ///< mass, abundance, mass, abundance, ...
    bool fileTooShort = false;
};
PeakTextImport importPeakText(std::string_view text, int stripLines);

/// The compound names of a library text: of every line that begins with "NAME:" in any case,
/// what follows "NAME:" and one blank (the line from its 7th character on).
std::vector<std::string> mspCompoundNames(std::string_view library);

/// One compound's peaks from a library text: after the first line that contains `name`
/// (as it is written, anywhere in the line) and then a line containing "Num Peaks:", the
/// numbers of every following line up to an empty line, a line containing "NAME:" in any case
/// or the end. `found` is false when the end came before the name or the "Num Peaks:" line.
struct MspCompound {
    std::vector<std::string> numbers;
    bool found = false;
};
MspCompound mspCompoundPeaks(std::string_view library, std::string_view name);

/// The peaks of the library entry whose "NAME:" line is the `entry`-th (0-based, in the order
/// mspCompoundNames lists them): the numbers of the lines after its "Num Peaks:" line, up to an
/// empty line, a line containing "NAME:" in any case or the end. Picking the entry by its place
/// rather than by its name loads the compound the user chose even when its name is part of an
/// earlier line ("Benzene" within "Benzene, methyl-"). `found` is false when there is no such
/// entry or it has no "Num Peaks:" line before the next entry.
MspCompound mspEntryPeaks(std::string_view library, std::size_t entry);

} // namespace qzx
