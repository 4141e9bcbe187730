#pragma once

#include <string>

#include "printing/page_frame.h"
#include "printing/page_header.h"
#include "printing/spectrum_page.h"

class QPainter;
class QWidget;

namespace qzx {

class Prompter;
class PrintState;

/// What a printed or copied spectrum page shows besides the spectrum.
struct SpectrumPrintout {
    const Spectrum* spectrum = nullptr;
    ComparisonReport report;
    SpectrumLabel label;     ///< the spectrum window's label, its place in the plot area
    bool labelShown = false; ///< drawn only while the window shows it
    std::string fileName;    ///< the spectrum file, for the "Filename" header
    bool colorPrinter = false;
};

/// Prints one spectrum page through the print dialog: the spectrum in the page setup's frame,
/// matched peaks marked when `marks`, the comparison summary when `summary`, the header and
/// date lines and the spectrum label. Nothing happens when the print dialog is cancelled.
void printSpectrumPage(Prompter& prompter, QWidget* parent, PrintState& print,
                       const PageSetup& setup, bool marks, bool summary,
                       const SpectrumPrintout& printout);

/// The spectrum as a picture of `width` x `height` pixels for the clipboard, with its label.
void paintSpectrumPicture(QPainter& painter, int width, int height, bool marks,
                          const SpectrumPrintout& printout);

} // namespace qzx
