#include "printing/page_header.h"

#include <cstdio>
#include <cstdlib>

#include "util/rounding.h"

namespace qzx {
namespace {

constexpr const char* kHeaderFamily = "Times New Roman";
constexpr int kHeaderPoints = 14;

PageText centredLine(const std::string& text, int pageWidth, int y, int dotsPerInch) {
    PageText line;
    line.x = pageWidth / 2;
    line.y = y;
    line.anchor = PageText::Anchor::Centre;
    line.family = kHeaderFamily;
    line.pixelSize = pointsToPixels(kHeaderPoints, dotsPerInch);
    line.runs = {{text, false}};
    return line;
}

int scaled(int position, int windowSize, int frameSize) {
    if (windowSize <= 0) return 0; // no window to scale from: the frame's corner
    return static_cast<int>(Round(static_cast<double>(position) * frameSize / windowSize));
}

bool belowColon(char c) {
    return static_cast<unsigned char>(c) < static_cast<unsigned char>(':');
}

} // namespace

std::vector<PageText> pageHeaderTexts(const PageSetup& setup, const std::string& fileName,
                                      const std::string& date, int pageWidth, int dotsPerInch) {
    std::vector<PageText> lines;
    if (setup.header == PageHeader::Filename)
        lines.push_back(centredLine(fileName, pageWidth, 120, dotsPerInch));
    else if (setup.header == PageHeader::Custom)
        lines.push_back(centredLine(setup.customHeader, pageWidth, 120, dotsPerInch));
    if (setup.showDate)
        lines.push_back(centredLine(date, pageWidth, lines.empty() ? 120 : 300, dotsPerInch));
    return lines;
}

PageText spectrumLabelText(const SpectrumLabel& label, const PageRect& frame, bool printer,
                           int dotsPerInch) {
    PageText text;
    // The label keeps its share of the window on the page; scaling by the whole ratio of
    // frame to window, rounded first, would move it by up to half a window's width.
    text.x = scaled(label.left, label.windowWidth, frame.width);
    text.y = scaled(label.top, label.windowHeight, frame.height);
    if (printer) {
        text.x += frame.left;
        text.y += frame.top;
    }
    text.family = kHeaderFamily;
    text.pixelSize = printer ? pointsToPixels(16, dotsPerInch) : 19;
    text.bold = true;
    text.colour = PageColour::Blue;
    text.runs = {{label.text, false}};
    return text;
}

std::string formulaWeightText(double mass) {
    char significant[32];
    std::snprintf(significant, sizeof significant, "%.6e", mass);
    char text[64];
    std::snprintf(text, sizeof text, "%.4f", std::strtod(significant, nullptr));
    return text;
}

std::vector<PageText> compositionAndMassTexts(const CompositionAndMass& values, int pageWidth,
                                              int pageHeight, int dotsPerInch) {
    const int y = static_cast<int>(Round(pageHeight * 0.9));
    PageText composition;
    composition.x = static_cast<int>(Round(pageWidth * 0.1));
    composition.y = y;
    composition.family = kHeaderFamily;
    composition.pixelSize = pointsToPixels(kHeaderPoints, dotsPerInch);
    composition.loweredPixelSize = pointsToPixels(kHeaderPoints - 2, dotsPerInch);
    // Twice the font size in pixels of a 300-dot page, the same distance on finer printers.
    composition.loweredBy = static_cast<int>(Round(2.0 * kHeaderPoints * dotsPerInch / 300.0));
    composition.runs = {{"Elemental Composition = ", false}};
    for (PageTextRun& run : splitRuns(values.composition, belowColon))
        composition.runs.push_back(std::move(run));

    PageText weight = composition;
    weight.x = static_cast<int>(Round(pageWidth * 0.7));
    weight.runs = {
        {"Formula Weight = " + (values.accurateMass ? formulaWeightText(values.monoMass)
                                                    : std::to_string(values.nominalMass)),
         false}};
    return {composition, weight};
}

} // namespace qzx
