#include "spectrum/spectrum_plot.h"

#include <cmath>
#include <cstdio>

#include "spectrum/spectrum.h"
#include "util/rounding.h"

namespace qzx {
namespace {

int rounded(double value) {
    return static_cast<int>(Round(value));
}

/// The mass range of the plot: the first peak's mass rounded to the last one's plus 10.
void massRange(const Spectrum& spectrum, int& low, int& high) {
    const int n = spectrum.peakCount();
    if (n == 0) {
        low = 10;
        high = 110;
        return;
    }
    low = rounded(spectrum.peak(1).Mass);
    high = rounded(spectrum.peak(n).Mass) + 10;
}

int barX(float mass, int low, double scale) {
    return rounded((mass - low) * scale) + 55;
}

} // namespace

SpectrumPlot spectrumPlot(const Spectrum& spectrum, int width, int height, int zoom) {
    SpectrumPlot plot;
    plot.zoom = zoom >= 1 && zoom <= 10 ? zoom : 1;
    const int z = plot.zoom;
    plot.baseline = height - 80;
    plot.tick = (plot.baseline - 50) / 5;
    plot.plotWidth = width - 110;
    const int y0 = plot.baseline;
    const int t = plot.tick;
    const int p = plot.plotWidth;
    for (int k = 0; k < 5; ++k)
        plot.intensityTicks.push_back(50 + k * t);
    massRange(spectrum, plot.massMin, plot.massMax);
    const int low = plot.massMin;
    const int high = plot.massMax;

    plot.axisTexts = {{25, 43, std::to_string(100 / z)},
                      {25, 43 + 2 * t, std::to_string(60 / z)},
                      {18, 70 + 2 * t, "%"},
                      {27, 43 + 4 * t, std::to_string(20 / z)},
                      {53, y0 + 5, std::to_string(low)}};
    plot.massTicks.push_back(55);
    for (int k = 1; k <= 5; ++k) {
        const int x = 55 + rounded(k * 0.2 * p);
        plot.massTicks.push_back(x);
        plot.axisTexts.push_back(
            {x - 7, y0 + 5, std::to_string(rounded(k * 0.2 * (high - low)) + low)});
    }
    plot.axisTexts.push_back({width / 2 - 40, y0 + 28, "Mass / Charge"});

    const int n = spectrum.peakCount();
    const double scale = static_cast<double>(p) / (high - low);
    const int h0 = y0 - 50;
    for (int i = 1; i <= n; ++i) {
        const Peak& peak = spectrum.peak(i);
        plot.bars.push_back(
            {i, barX(peak.Mass, low, scale), rounded(0.01 * peak.Abundance * h0) * z});
    }

    const auto label = [&](int i) {
        const PlotBar& bar = plot.bars[static_cast<std::size_t>(i - 1)];
        char text[32];
        std::snprintf(text, sizeof text, "%.0f", static_cast<double>(spectrum.peak(i).Mass));
        plot.peakLabels.push_back({bar.x - 7, y0 - bar.height - 10, text});
    };
    const float least = static_cast<float>(3 / z);
    if (n <= 10) {
        for (int i = 1; i <= n; ++i)
            if (spectrum.peak(i).Abundance > least) label(i);
    } else {
        // Groups of five, while the group's last peak number is below N.
        for (int first = 1; first + 4 < n; first += 5) {
            int best = first;
            for (int i = first + 1; i <= first + 4; ++i)
                if (Round(spectrum.peak(i).Abundance) > Round(spectrum.peak(best).Abundance))
                    best = i;
            if (spectrum.peak(best).Abundance > least) label(best);
        }
    }
    for (int i = 1; i <= n; ++i)
        if (spectrum.peak(i).Abundance == 100.0f) {
            label(i);
            break;
        }
    for (int k = 1; k <= spectrum.PeakLabels.count && k <= kMaxPeakLabels; ++k) {
        const int i = spectrum.PeakLabels.peaks[static_cast<std::size_t>(k)];
        if (i >= 1 && i <= n) label(i);
    }
    return plot;
}

int nearestPeak(const Spectrum& spectrum, int width, int x) {
    const int n = spectrum.peakCount();
    if (n == 0) return 0;
    int low = 0, high = 0;
    massRange(spectrum, low, high);
    const double scale = static_cast<double>(width - 110) / (high - low);
    int best = 1;
    int bestDistance = std::abs(barX(spectrum.peak(1).Mass, low, scale) - x);
    for (int i = 2; i <= n; ++i) {
        const int distance = std::abs(barX(spectrum.peak(i).Mass, low, scale) - x);
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

int expandedZoom(int zoom) {
    if (zoom >= 10) return zoom;
    return zoom == 1 ? 2 : zoom + 2;
}

int contractedZoom(int zoom) {
    return zoom > 2 ? zoom - 2 : 1;
}

} // namespace qzx
