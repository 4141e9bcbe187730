#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "spectrum/spectrum.h"

namespace qzx {

/// JCAMP-DX mass spectra: the text files spectral databases and instruments export.
///
/// A file is a series of labelled data records "##LABEL=value". Labels are compared without
/// regard to case and with blanks, '-', '/' and '_' left out ("##PEAK TABLE=" is
/// "##PeakTable="). "$$" starts a comment that runs to the end of the line. A block begins
/// with "##TITLE=" and ends with "##END="; a compound (link) file nests several blocks in an
/// outer one. The peaks follow "##PEAK TABLE=(XY..XY)" or "##XYPOINTS=(XY..XY)" as pairs of
/// numbers separated by blanks, tabs, commas or semicolons, any number of pairs a line, up to
/// the next label; "##XFACTOR=" and "##YFACTOR=" multiply the masses and abundances.

/// The warning of a file with more peaks than a spectrum of the program holds.
inline constexpr std::string_view kJcampTooManyPeaksWarning =
    "The file holds more than 300 peaks; a spectrum of the program and an ASC file keep only "
    "the 300 most abundant.";
/// The refusal of a file none of whose blocks is a mass spectrum.
inline constexpr std::string_view kJcampNoMassSpectrumError = "The file holds no mass spectrum.";

/// What a JCAMP-DX text holds.
struct JcampDxContents {
    /// Every peak of the mass spectrum's table, sorted by ascending mass (peaks of equal mass
    /// keep the file's order). It may hold more than 300 peaks.
    std::vector<Peak> peaks;
    std::string title;                 ///< the block's ##TITLE= (UTF-8), blanks around it cut
    std::vector<std::string> warnings; ///< for the user, in the order they are shown
    std::string error;                 ///< non-empty: the file holds no usable mass spectrum
};

/// Reads the text of a JCAMP-DX file: line ends CR LF, LF or CR, an optional UTF-8 byte-order
/// mark. Of several blocks the first whose ##DATA TYPE= is a mass spectrum is read (and a
/// warning names it); a file without any data type is read as a mass spectrum with a warning.
/// Refused, with `error` saying why: a file without a mass spectrum, without a peak table,
/// with compressed continuous data or a series of spectra instead of a peak table, with a
/// value that is no number, and an empty peak table. Never fails in any other way.
JcampDxContents decodeJcampDx(std::string_view text);

/// The JCAMP-DX 4.24 text of one mass spectrum: the title, the data type, origin and owner,
/// the units M/Z and RELATIVE ABUNDANCE, factors of 1, first and last mass, the largest
/// abundance, the peak count, then the peak table "mass,abundance" a line in ascending mass,
/// each number in the shortest decimal that reads back as the same float, and ##END=. Line
/// ends are CR LF; the title is written in Latin-1 (line breaks become blanks).
std::string encodeJcampDx(const std::vector<Peak>& peaks, const std::string& title);

/// A number as the spectrum files write it: the shortest plain decimal (no exponent) that
/// reads back as the same float, "41" and "57.5"; negative zero and what is no finite number
/// are written "0".
std::string spectrumNumberText(float value);

/// A text taken from a spectrum file as UTF-8: kept as it is when it is valid UTF-8 (ASCII
/// included), otherwise read as Latin-1, one byte a character.
std::string spectrumTextToUtf8(std::string_view text);

} // namespace qzx
