#pragma once

namespace qzx {

class Structure;

/// Scales the drawing about its first atom by `ratio` (the new ring bond length over the old):
/// atoms, bond end points, ring centres and aromatic circles with their radii, each coordinate
/// rounded to the nearest pixel (halves to even) and held within the coordinate reach.
/// Nothing happens without atoms.
void rescaleAboutFirstAtom(Structure& structure, double ratio);

} // namespace qzx
