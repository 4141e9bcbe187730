#pragma once

#include "printing/page_frame.h"

#include <string>
#include <vector>

#include "printing/page_text.h"

namespace qzx {

struct Spectrum;

/// Where a spectrum page goes.
enum class SpectrumTarget { Clipboard = 1, Printer = 2 };

/// What the comparison summary reads besides the spectrum.
struct ComparisonReport {
    bool allowHydrogenTransfers = false; ///< "Allow H Transfers"
    int hydrogens = 1;                   ///< "1H" or "2H"
    std::string structureLabel;          ///< trailing blanks are not part of it
    int nominalMass = 0;
    float monoMass = 0.0f;
    std::string composition;   ///< the structure's composition text
    bool accurateMass = false; ///< "Use Accurate Mass"
};

/// One drawing of the spectrum page: a `width` x `height` drawing at (`left`, `top`).
struct SpectrumPageRequest {
    int width = 500;
    int height = 500;
    int left = 0;
    int top = 0;
    SpectrumTarget target = SpectrumTarget::Clipboard;
    bool showMatches = false;  ///< highlight the peaks the comparison matched
    bool withSummary = false;  ///< the comparison summary below the plot (printer only)
    int pageWidth = 2400;      ///< the printer's printable width in pixels
    int dotsPerInch = 300;     ///< the printer's resolution (a picture counts as 96)
    bool colorPrinter = false; ///< the "Color Printer" setting
};

/// Everything `DrawSpectrumPage` draws, in device pixels of the page or picture.
struct SpectrumPage {
    double textScale = 1.0;      ///< k = width x 0.002, 1 for a drawing without width
    int plotPoints = 9;          ///< the plot font's size, 9 x k rounded
    int penWidth = 1;            ///< 2 on the printer, 1 for the clipboard
    std::vector<PageLine> axes;  ///< the two axes and the ticks
    std::vector<PageLine> peaks; ///< one bar a peak, in peak order
    std::vector<PageText> texts; ///< axis texts, then the summary lines
    std::vector<PageLine> rules; ///< the summary's horizontal rule
};

/// The request of a printed spectrum page in `frame` (printer pixels) on a page `pageWidth`
/// pixels wide at `dotsPerInch`.
SpectrumPageRequest printerPageRequest(const PageRect& frame, bool showMatches, bool withSummary,
                                       int pageWidth, int dotsPerInch, bool colorPrinter);

/// The plot of the spectrum's peaks (mass scale and bar positions as the spectrum window's
/// plot has them) and, with `withSummary` on the printer, the comparison summary at its fixed
/// page heights.
SpectrumPage spectrumPage(const Spectrum& spectrum, const SpectrumPageRequest& request,
                          const ComparisonReport& report);

/// The summary's match line: "There were 7 matches of 20 ions (35.0%)".
std::string matchLineText(int matches, int peaks);

/// The summary's hydrogen-transfer line.
std::string hydrogenTransferText(bool allowed, int hydrogens);

} // namespace qzx
