#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "spectrum/spectrum.h"

namespace qzx {

/// Warning of a file whose last mass has no abundance.
inline constexpr std::string_view kAscCorruptWarning = "File may contain corrupt information.";
/// Warning of a file with more peaks than the spectrum holds.
inline constexpr std::string_view kAscTooManyPeaksWarning =
    "The file holds more than 300 peaks; only the first 300 were read.";

/// What an ASC text holds: one number per line, mass and abundance lines alternating.
struct AscContents {
    /// The first 300 complete pairs, every value rounded to a whole number (ties to even),
    /// sorted by ascending mass with the bottom-up heap sort.
    std::vector<Peak> peaks;
    bool unpairedMass = false; ///< the text ended after a mass line
    bool cutAt300 = false;     ///< more than 300 complete pairs; the rest were dropped
    /// Lines that are no number (or none a float can hold): each was read as 0.
    int unreadableLines = 0;

    /// The warnings for the user, in the order they are shown.
    std::vector<std::string> warnings() const;
};

/// Reads the text of an ASC file. Lines end with CR LF, LF or CR; each may hold an integer,
/// fraction or exponent number with blanks around it. Blank lines at the very end (as text
/// editors leave them) are not data; a UTF-8 byte-order mark is skipped. Never fails.
AscContents decodeAscFile(std::string_view text);

/// Puts read contents into the spectrum as an ASC load does: the peaks and their count, the
/// labels emptied, the normalised flag cleared and the file name remembered.
void storeAscContents(const AscContents& contents, const std::string& fileName, Spectrum& spectrum);

/// The outcome of loading an ASC file.
struct AscLoadResult {
    std::string error;                 ///< non-empty: nothing was read, the spectrum is as it was
    std::vector<std::string> warnings; ///< to show after a successful read
};

/// The spectrum window's Open: reads the file into the spectrum. A missing file gives
/// "File: <name> does not exist", an unreadable one "File: <name> could not be read".
AscLoadResult loadAscFile(const std::filesystem::path& file, Spectrum& spectrum);

/// The ASC text of peaks 1..N: mass and abundance, each rounded to a whole number (ties to
/// even) and written as a plain decimal integer on its own line ending in CR LF. An empty
/// spectrum gives an empty text.
std::string encodeAscFile(const Spectrum& spectrum);

/// The spectrum window's Save: writes encodeAscFile through a temporary file, so a failed save
/// leaves the old file. Returns an error text, empty on success.
std::string saveAscFile(const std::filesystem::path& file, const Spectrum& spectrum);

} // namespace qzx
