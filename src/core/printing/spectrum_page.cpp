#include "printing/spectrum_page.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "spectrum/spectrum.h"
#include "spectrum/spectrum_plot.h"
#include "util/rounding.h"

namespace qzx {
namespace {

constexpr const char* kPlotFamily = "Times New Roman";

int rounded(double value) {
    return static_cast<int>(Round(value));
}

std::string formatted(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

bool isDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

std::string withoutTrailingBlanks(std::string text) {
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.pop_back();
    return text;
}

/// A text of the plot, at plot coordinates moved to the drawing's place.
PageText plotText(const SpectrumPageRequest& r, int pixelSize, int x, int y, std::string text,
                  PageText::Anchor anchor = PageText::Anchor::Left) {
    PageText t;
    t.x = r.left + x;
    t.y = r.top + y;
    t.anchor = anchor;
    t.family = kPlotFamily;
    t.pixelSize = pixelSize;
    t.runs = {{std::move(text), false}};
    return t;
}

void addSummary(SpectrumPage& page, const Spectrum& spectrum, const SpectrumPageRequest& r,
                const ComparisonReport& report, int plotPixels) {
    const int f = r.pageWidth == 4800 ? 2 : 1;
    // The lines stand 100 pixels apart (200 on a 4800-pixel page); the plot font of a large
    // frame would overlap its neighbours, so the summary's text stays within three quarters
    // of that pitch.
    const int body = std::min(plotPixels, 75 * f);
    const int x = r.left + 50;
    const auto line = [&](int height, std::string text, bool italic = false) {
        PageText t;
        t.x = x;
        t.y = height * f;
        t.family = kPlotFamily;
        t.pixelSize = body;
        t.italic = italic;
        t.runs = {{std::move(text), false}};
        page.texts.push_back(std::move(t));
        return &page.texts.back();
    };

    PageText title;
    title.x = r.pageWidth / 2;
    title.y = 1850 * f;
    title.anchor = PageText::Anchor::Centre;
    title.family = kPlotFamily;
    title.pixelSize = pointsToPixels(12, r.dotsPerInch);
    title.bold = true;
    title.runs = {{"Comparison Summary", false}};
    page.texts.push_back(std::move(title));

    const std::string label = withoutTrailingBlanks(report.structureLabel);
    line(1950, label.empty() ? "* STRUCTURE *" : "* STRUCTURE *         " + label, true);
    line(2050, report.accurateMass ? "Mass:  " + formatted("%7.4f", report.monoMass)
                                   : "Mass: " + std::to_string(report.nominalMass));

    PageText* composition = line(2150, std::string());
    composition->runs = splitRuns("Elemental Composition:  " + report.composition, isDigit);
    // Subscripts: 7 of the font's 9 units high, 2 units lower.
    composition->loweredPixelSize = std::max(1, rounded(body * 7.0 / 9.0));
    composition->loweredBy = std::max(1, rounded(body * 2.0 / 9.0));

    const int n = spectrum.peakCount();
    int marked = 0;
    for (int i = 1; i <= n; ++i)
        if (spectrum.PeakMatched[static_cast<std::size_t>(i)]) ++marked;
    line(2250, "Fragments:  " + std::to_string(marked));
    page.rules.push_back(
        {r.left + 50, 2375 * f, r.left + r.width - 50, 2375 * f, page.penWidth, PageColour::Black});
    line(2450, "* MATCH *", true);
    line(2550, matchLineText(spectrum.MatchCount, n));
    line(2650, hydrogenTransferText(report.allowHydrogenTransfers, report.hydrogens));
    line(2750, "The Spectrum Match Index was:  " + formatted("%6.4f", spectrum.MatchIndex));
}

} // namespace

std::string matchLineText(int matches, int peaks) {
    // No peaks, no share: 0.0 rather than a division by zero.
    const double percentage = peaks > 0 ? 100.0 * matches / peaks : 0.0;
    return "There were " + std::to_string(matches) + " matches of " + std::to_string(peaks) +
           " ions (" + formatted("%4.1f", percentage) + "%)";
}

std::string hydrogenTransferText(bool allowed, int hydrogens) {
    if (!allowed) return "No Hydrogen Transfers Allowed";
    return hydrogens == 2 ? "Hydrogen Transfers (2) Were Permitted"
                          : "Hydrogen Transfers (1) Were Permitted";
}

SpectrumPage spectrumPage(const Spectrum& spectrum, const SpectrumPageRequest& r,
                          const ComparisonReport& report) {
    SpectrumPage page;
    const bool printer = r.target == SpectrumTarget::Printer;
    const int W = r.width;
    const int H = r.height;
    page.textScale = W * 0.002;
    if (page.textScale <= 0.0) page.textScale = 1.0;
    const double k = page.textScale;
    page.plotPoints = std::max(1, rounded(9 * k));
    // The plot's points are those of a 96-dot picture on every device, so its texts grow with
    // the drawing and keep their places between the ticks on a printed page.
    const int plotPixels = std::max(1, rounded(page.plotPoints * 4.0 / 3.0));
    page.penWidth = printer ? 2 : 1;

    const SpectrumPlot plot = spectrumPlot(spectrum, W, H, 1);
    const int x0 = r.left;
    const int y0 = r.top;
    const int base = H - 80;
    const auto axis = [&](int x1, int y1, int x2, int y2) {
        page.axes.push_back({x0 + x1, y0 + y1, x0 + x2, y0 + y2, page.penWidth, PageColour::Black});
    };
    axis(50, 45, 50, base);
    axis(50, base, W - 50, base);
    for (int y : plot.intensityTicks)
        axis(45, y, 50, y);

    const int s = plot.tick;
    const int first = H > 0 ? rounded(25000.0 / H) : 0;
    const auto intensity = [&](int y, const char* text) {
        page.texts.push_back(plotText(r, plotPixels, 40, y, text, PageText::Anchor::Right));
    };
    intensity(first, "100 ");
    intensity(first + 2 * s, " 60 ");
    intensity(first + rounded(2.5 * s), "% ");
    intensity(first + 4 * s, " 20 ");

    const int low = plot.massMin;
    const int high = plot.massMax;
    for (std::size_t i = 0; i < plot.massTicks.size(); ++i) {
        const int x = plot.massTicks[i];
        axis(x, base, x, base + 5);
        const int mass = low + rounded(static_cast<double>(i) * (high - low) * 0.2);
        page.texts.push_back(
            plotText(r, plotPixels, i == 0 ? 53 : x - 7, H - 75, std::to_string(mass)));
    }
    if (printer)
        page.texts.push_back(plotText(r, plotPixels, rounded(W / 2.0) - rounded(400 / k),
                                      base + rounded(28 * k), "Mass / Charge"));
    else
        page.texts.push_back(
            plotText(r, plotPixels, 55 + rounded(2 * (W - 110) * 0.2), H - 50, "Mass / Charge"));

    for (const PlotBar& bar : plot.bars) {
        const Peak& peak = spectrum.peak(bar.peak);
        const int top = rounded(50 + (1 - peak.Abundance / 100.0) * (H - 130));
        PageLine line{x0 + bar.x, y0 + base,     x0 + bar.x,
                      y0 + top,   page.penWidth, PageColour::Black};
        const bool matched = spectrum.PeakMatched[static_cast<std::size_t>(bar.peak)];
        if (r.showMatches && matched) {
            if (!printer || r.colorPrinter)
                line.colour = PageColour::Red;
            else
                line.penWidth = 4;
        } else if (printer && r.colorPrinter && !r.showMatches) {
            line.colour = PageColour::Navy;
        }
        page.peaks.push_back(line);
    }

    if (r.withSummary && printer) addSummary(page, spectrum, r, report, plotPixels);
    return page;
}

SpectrumPageRequest printerPageRequest(const PageRect& frame, bool showMatches, bool withSummary,
                                       int pageWidth, int dotsPerInch, bool colorPrinter) {
    SpectrumPageRequest request;
    request.width = frame.width;
    request.height = frame.height;
    request.left = frame.left;
    request.top = frame.top;
    request.target = SpectrumTarget::Printer;
    request.showMatches = showMatches;
    request.withSummary = withSummary;
    request.pageWidth = pageWidth;
    request.dotsPerInch = dotsPerInch;
    request.colorPrinter = colorPrinter;
    return request;
}

} // namespace qzx
