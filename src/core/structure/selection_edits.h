#pragma once

#include "structure/bond_geometry.h"

namespace qzx {

class Structure;

/// A rectangle on the drawing image with left <= right and top <= bottom.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const PixelRect&) const = default;
};

/// The rectangle spanned by two corners in any order.
PixelRect orderedRect(PixelPoint a, PixelPoint b);

/// Whether `p` lies strictly inside `r` (points on an edge are outside).
bool strictlyInside(const PixelRect& r, PixelPoint p);

/// Fills the SelectionList with every atom strictly inside `r`, in ascending row order. False,
/// leaving the list empty, when more atoms lie inside than the list holds (500).
bool selectAtomsInside(Structure& structure, const PixelRect& r);

/// Moves the selected atoms by (dx, dy) together with the bond ends on them, the ring centres
/// kept in ring bonds (RingState 1) that touch them, and the centre of every aromatic ring
/// whose top vertex (cx, cy - Round(1.5 L)) or left vertex (cx - Round(1.5 L), cy) holds a
/// selected atom before the move.
void moveSelectedAtoms(Structure& structure, int dx, int dy, int ringBondLength);

/// Hides the labels of the selected carbons.
void hideSelectedCarbonLabels(Structure& structure);
/// Shows the labels of the selected atoms, except the hidden atoms of nitro groups.
void showSelectedLabels(Structure& structure);

/// "Show All Atoms": on shows every label except those of nitro groups' hidden atoms; off hides
/// the labels of carbons in rings (RingState 1 or 2).
void applyShowAllAtoms(Structure& structure, bool on);

} // namespace qzx
