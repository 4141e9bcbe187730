#pragma once

#include <vector>

#include "structure/bond_geometry.h"

class QPainter;

namespace qzx {

class Structure;
struct EditorPreview;

/// Paints the preview of the gesture in progress (ring outline, bond line, cut line, box or
/// region, selection rectangle) over the drawing, in drawing-image pixels. Previews invert
/// what lies under them so they show on any background; the selection rectangle is green.
/// The painter's state is restored afterwards.
void paintEditorPreview(QPainter& painter, const EditorPreview& preview);

/// Paints the marks that stay on the drawing until the next repaint: a magenta dot on every
/// selected atom (when `selection` is set) and an olive square on the midpoint of every bond
/// that reduce-bond mode offers.
void paintEditorMarks(QPainter& painter, const Structure& structure, bool selection,
                      const std::vector<PixelPoint>& reduceBondMarks);

} // namespace qzx
