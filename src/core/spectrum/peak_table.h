#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "spectrum/spectrum.h"
#include "util/print_line.h"

namespace qzx {

/// Data rows of the spectrum editor's table (rows 1..299 under the heading row).
constexpr int kPeakTableRows = 299;

/// One row of the spectrum editor: the mass and abundance cells, as typed or imported.
struct PeakRow {
    std::string mass;
    std::string abundance;
    bool operator==(const PeakRow&) const = default;
};
using PeakRows = std::vector<PeakRow>;

/// Rows filled from a run of values, with what did not fit in the table's 299 rows.
struct PeakRowsFill {
    PeakRows rows;
    /// Values beyond row 299 (each mass and each abundance counts one).
    std::size_t valuesLeftOut = 0;
};

/// The rows of numbers read in order as mass, abundance, mass, ...; an odd count leaves the
/// last row without an abundance.
PeakRowsFill peakRowsFromNumbers(const std::vector<std::string>& numbers);

/// The editor's "Open...": after the first `stripLines` lines, each pair of lines gives the
/// mass and abundance cells of the next row, as written.
PeakRowsFill ascTableRows(std::string_view text, int stripLines);

/// What the user is told when values did not fit in the table (empty when all did).
std::string leftOutMessage(std::size_t valuesLeftOut);

/// The peak list of the table: the rows from row 1 down to the first one whose mass is empty.
std::size_t peakListLength(const PeakRows& rows);

/// The editor's "Save as...": mass and abundance of every row of the peak list, each on a line
/// of its own ending in CR LF.
std::string peakTableAscText(const PeakRows& rows);

/// The table the editor shows for the spectrum: peaks 1..N, mass and abundance each as the
/// value rounded to 7 significant digits and then to a whole number (ties to even).
PeakRows rowsFromSpectrum(const Spectrum& spectrum);

/// The table written back to the spectrum: every row of the peak list gives one peak, its cells
/// read as numbers and rounded to whole numbers (ties to even); a cell that is no number gives
/// 0. At most 300 peaks are taken. Returns the number of peaks N.
int writeRowsToSpectrum(const PeakRows& rows, Spectrum& spectrum);

/// The rows of a peak list read from a spectrum file: each value written as the shortest plain
/// decimal that reads back as the same float ("41", "57.5").
PeakRowsFill rowsFromPeaks(const std::vector<Peak>& peaks);

/// The peak list of the table as peaks for a spectrum file, every cell read as a number as it
/// stands; `error` names the first cell that is no number (and `peaks` is then empty).
struct TablePeaks {
    std::vector<Peak> peaks;
    std::string error;
};
TablePeaks peaksFromRows(const PeakRows& rows);

/// "Peek": the first 10 lines of a text, each as "Line" + its number + "-> " + the line + CR.
std::string peekLines(std::string_view text);

/// The printed table: "SPECTRUM DATA", then columns of 50 rows 700 units apart, three columns
/// per page, later pages numbered "Page: 2", ...; `unit` is the printable width in printer
/// pixels divided by 2400.
std::vector<PrintLine> peakTablePrintLines(const PeakRows& rows, int unit);

} // namespace qzx
