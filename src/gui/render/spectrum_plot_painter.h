#pragma once

#include <vector>

class QPainter;

namespace qzx {

struct SpectrumPlot;

/// Paints the spectrum plot on white: black axes and ticks, the axis texts in "MS Sans Serif"
/// 8 point, the bars in navy (those in `red`, peak numbers, in red), the peak labels in
/// "Small Fonts" 7 point. `width` x `height` is the area to clear.
void paintSpectrumPlot(QPainter& painter, const SpectrumPlot& plot, int width, int height,
                       const std::vector<int>& red = {});

} // namespace qzx
