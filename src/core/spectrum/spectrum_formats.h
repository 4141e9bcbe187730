#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "spectrum/spectrum.h"

namespace qzx {

/// The spectrum files the program reads and writes, told apart by the file's extension.
enum class SpectrumFormat {
    Asc,     ///< .asc: one whole number a line, mass and abundance alternating
    Msp,     ///< .msp: NIST mass-spectral library text, one or more entries
    JcampDx, ///< .jdx, .dx, .jcamp: a JCAMP-DX mass spectrum
    Text,    ///< anything else: mass and abundance pairs as numbers in text
};

/// The format of a file from its extension, in any letter case.
SpectrumFormat spectrumFormatOf(const std::filesystem::path& file);
/// "asc", "msp", "jcamp-dx" or "text".
std::string_view spectrumFormatName(SpectrumFormat format);

/// A spectrum read from a file.
struct SpectrumFileContents {
    std::vector<Peak> peaks;           ///< sorted by ascending mass; may be more than 300
    std::string title;                 ///< JCAMP-DX title or library name (UTF-8)
    std::vector<std::string> warnings; ///< for the user, in the order they are shown
    std::string error;                 ///< non-empty: nothing usable was read
};

/// The warning of a text or library entry with more peaks than a spectrum holds (JCAMP-DX
/// files give kJcampTooManyPeaksWarning, ASC files kAscTooManyPeaksWarning).
inline constexpr std::string_view kTooManyPeaksWarning =
    "The spectrum has more than 300 peaks; a spectrum of the program and an ASC file keep only "
    "the 300 most abundant.";

/// Reads a spectrum text of the given format.
///  - ASC as decodeAscFile reads it (whole numbers, at most 300 peaks).
///  - JCAMP-DX as decodeJcampDx reads it.
///  - A library (.msp): the entry named `entry` exactly, else the entry numbered `entry`
///    (from 1); with several entries and no `entry`, the first, with a warning. Its peaks are
///    the numbers from its "Num Peaks:" line on, as mspCompoundPeaks reads them; annotations
///    in double quotes after a peak are left out.
///  - Text: the numbers of the text (numbersInText), taken in pairs.
/// A text without a single peak is refused. `entry` given for any other format than a
/// library is refused too.
SpectrumFileContents decodeSpectrumText(std::string_view text, SpectrumFormat format,
                                        std::string_view entry = {});

/// Reads a file with decodeSpectrumText in the format of its extension. An ASC or text file
/// takes its file name without extension as title. A missing file gives "File: <name> does
/// not exist", an unreadable one "File: <name> could not be read".
SpectrumFileContents readSpectrumFile(const std::filesystem::path& file,
                                      std::string_view entry = {});

/// The at most `count` most abundant peaks (of equal abundance the lower mass first), in
/// ascending mass.
std::vector<Peak> mostAbundantPeaks(const std::vector<Peak>& peaks, std::size_t count);

/// A spectrum file's text and what the user should know about it.
struct SpectrumFileText {
    std::string text;
    std::vector<std::string> warnings;
};

/// The text of a spectrum in a format; lines end with CR LF.
///  - ASC: encodeAscFile of the 300 most abundant peaks (warning when peaks were left out, and
///    when a value was rounded to a whole number).
///  - JCAMP-DX: encodeJcampDx.
///  - Library: one entry, "Name: <title>", "Num Peaks: N", then "mass abundance" pairs, five
///    a line, each followed by ";", and an empty line.
///  - Text: "mass<TAB>abundance" a line.
/// Numbers are written as spectrumNumberText writes them; titles in Latin-1.
SpectrumFileText encodeSpectrumText(const std::vector<Peak>& peaks, const std::string& title,
                                    SpectrumFormat format);

/// The outcome of writing a spectrum file.
struct SpectrumWriteResult {
    std::string error; ///< non-empty: the file was not written (an old one is kept)
    std::vector<std::string> warnings;
};

/// Writes the spectrum in the format of the file's extension through a temporary file, so a
/// failed write never leaves a half-written file or destroys an old one.
SpectrumWriteResult writeSpectrumFile(const std::filesystem::path& file,
                                      const std::vector<Peak>& peaks, const std::string& title);

} // namespace qzx
