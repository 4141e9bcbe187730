#pragma once

// Scan-like bar-graph pictures for the capture tests: black bars standing on a two-pixel axis,
// a vertical axis at the first mass, tick marks, grey smudges and isolated dust pixels.

#include <cstdint>
#include <random>
#include <vector>

#include "capture/calibration.h"
#include "capture/capture_image.h"
#include "spectrum/spectrum.h"
#include "util/rounding.h"

namespace qzx::test {

struct BarGraph {
    int width = 800;
    int height = 420;
    int axisLeft = 40;     // x of the vertical axis and of the first mass
    int axisRow = 380;     // top row of the two-pixel horizontal axis
    int fullScaleRow = 40; // the row a 100 % bar reaches
    int firstMass = 10;    // mass at the vertical axis
    int lastMass = 130;    // mass the XMax point is put at
    float pixelsPerMass = 5.5f;
    int barWidth = 2;
    std::vector<Peak> peaks; // whole masses, abundances in percent of the tallest
    int dustPixels = 0;
    unsigned seed = 1;

    int columnOf(int mass) const {
        return axisLeft + static_cast<int>(Round(static_cast<double>(mass - firstMass) *
                                                 static_cast<double>(pixelsPerMass)));
    }
    int fullScale() const { return axisRow - fullScaleRow; }
    int barHeight(float abundance) const {
        return static_cast<int>(Round(static_cast<double>(abundance) / 100.0 * fullScale()));
    }
    /// The row of a bar's top pixel.
    int topOf(float abundance) const { return axisRow - barHeight(abundance); }
};

inline bool blackNear(const CaptureImage& picture, int x, int y, int dx, int dy) {
    for (int j = y - dy; j <= y + dy; ++j)
        for (int i = x - dx; i <= x + dx; ++i)
            if (picture.isBlack(i, j)) return true;
    return false;
}

inline CaptureImage renderBarGraph(const BarGraph& g) {
    CaptureImage picture(g.width, g.height);
    const int right = g.columnOf(g.lastMass) + 12;
    picture.fillRect(g.axisLeft, g.axisRow, right, g.axisRow + 1, kCaptureBlack);
    picture.fillRect(g.axisLeft, g.fullScaleRow - 20, g.axisLeft + 1, g.axisRow + 1, kCaptureBlack);
    for (int m = g.firstMass; m <= g.lastMass; m += 10)
        picture.fillRect(g.columnOf(m), g.axisRow + 2, g.columnOf(m), g.axisRow + 6, kCaptureBlack);
    // Grey smudges (dark, but not black), under the bars.
    for (int i = 0; i < 6; ++i) {
        const int x = g.axisLeft + 30 + 97 * i;
        picture.fillRect(x, 60 + 40 * i, x + 2, 75 + 40 * i, 0x101010);
    }
    for (const Peak& p : g.peaks) {
        const int x = g.columnOf(static_cast<int>(p.Mass));
        picture.fillRect(x, g.topOf(p.Abundance), x + g.barWidth - 1, g.axisRow - 1, kCaptureBlack);
    }
    // Dust: single black pixels with nothing black around them.
    std::mt19937 rng(g.seed);
    const auto below = [&rng](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    int placed = 0;
    for (int tries = 0; placed < g.dustPixels && tries < 100 * g.dustPixels; ++tries) {
        const int x = below(g.width);
        const int y = below(g.axisRow - 3);
        if (blackNear(picture, x, y, 6, 3)) continue;
        picture.setRgb(x, y, kCaptureBlack);
        ++placed;
    }
    return picture;
}

/// The four axis points a user would mark on the graph: XMin and XMax on the axis at the first
/// and last mass, YMin on the axis's top row, YMax at the 100 % row on the vertical axis.
inline Calibration calibrationOf(const BarGraph& g) {
    Calibration c;
    c.place(AxisPoint::XMin, {g.columnOf(g.firstMass), g.axisRow + 4});
    c.place(AxisPoint::XMax, {g.columnOf(g.lastMass), g.axisRow + 4});
    c.place(AxisPoint::YMin, {g.axisLeft, g.axisRow});
    c.place(AxisPoint::YMax, {g.axisLeft, g.fullScaleRow});
    c.setValue(AxisPoint::XMin, g.firstMass);
    c.setValue(AxisPoint::XMax, g.lastMass);
    return c;
}

} // namespace qzx::test
