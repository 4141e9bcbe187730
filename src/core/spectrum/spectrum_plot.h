#pragma once

#include <string>
#include <vector>

namespace qzx {

struct Spectrum;

/// A text of the spectrum plot, its top-left corner in pixels of the plot.
struct PlotText {
    int x = 0;
    int y = 0;
    std::string text;
    bool operator==(const PlotText&) const = default;
};

/// One bar: from (x, baseline) up to (x, baseline - height).
struct PlotBar {
    int peak = 0; ///< peak number, 1-based
    int x = 0;
    int height = 0;
};

/// Everything the spectrum window draws, in pixels of a plot `width` x `height`.
struct SpectrumPlot {
    int baseline = 0;  ///< y0 = height - 80
    int tick = 0;      ///< (y0 - 50) div 5
    int plotWidth = 0; ///< width - 110
    int zoom = 1;      ///< the vertical expansion used (1 when the one asked for was outside 1..10)
    int massMin = 0;
    int massMax = 0;
    std::vector<int> intensityTicks; ///< y of the five ticks from x 45 to 50
    std::vector<int> massTicks;      ///< x of the six ticks from y0 to y0 + 5
    std::vector<PlotText> axisTexts; ///< in the window's font
    std::vector<PlotBar> bars;
    std::vector<PlotText> peakLabels; ///< "Small Fonts" 7 point
};

/// The plot of the spectrum's peaks 1..N (the caller normalises first) at vertical expansion
/// `zoom`: axes, the intensity texts divided by the zoom, the mass scale, the bars and the
/// labels (automatic ones by fives, the base peak, the user's labels).
SpectrumPlot spectrumPlot(const Spectrum& spectrum, int width, int height, int zoom);

/// The peak whose bar lies nearest `x` on a plot `width` wide (the lower number on a tie), or 0
/// for an empty spectrum.
int nearestPeak(const Spectrum& spectrum, int width, int x);

/// "Expand Plot": 1 becomes 2, others grow by 2, up to 10.
int expandedZoom(int zoom);
/// "Contract Plot": down by 2, and 2 or less becomes 1.
int contractedZoom(int zoom);

} // namespace qzx
