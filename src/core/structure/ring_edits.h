#pragma once

#include <vector>

#include "structure/bond_geometry.h"

namespace qzx {

class Structure;

/// The vertices of a ring tool's template in ring order, vertex 1 at `anchor`; L is the ring
/// bond length in pixels. Empty for a tool that is not a ring tool.
std::vector<PixelPoint> ringTemplate(int tool, PixelPoint anchor, int ringBondLength);

/// The centre of a ring tool's template at `anchor` (where a ring double bond draws its inner
/// line and where a benzene ring's circle goes).
PixelPoint ringCentre(int tool, PixelPoint anchor, int ringBondLength);

/// Radius in pixels of the circle of a ring made with a benzene tool.
int benzeneCircleRadius(int ringBondLength);

/// How a ring edit ended. Every outcome but Added leaves the structure as it was.
enum class RingResult {
    Added,
    NoRoom,             ///< a table would overflow (error signal)
    SharedAtomRefused,  ///< benzene onto a chain atom with fewer than 3 H (plain beep)
    HydrogensExhausted, ///< a shared atom would end with negative hydrogens (plain beep)
};

/// Places a ring with its first vertex at `anchor`, touching nothing that exists: its bonds
/// first (atoms N + 1 .. N + n), then for a benzene tool the aromatic ring and its circle, then
/// its carbons. Ring carbons show their label only with `showAllAtoms`. The caller has saved
/// the counters.
RingResult placeFreeRing(Structure& structure, int tool, PixelPoint anchor, int ringBondLength,
                         bool showAllAtoms);

/// Fuses a ring onto a non-empty structure: the template vertex nearest to an existing atom
/// (|dx| + |dy|, atoms in row order, vertices in order, first pair on ties) is moved onto that
/// atom; atoms lying exactly on a vertex and bonds joining two such atoms are shared, the rest
/// is appended (atoms, then bonds, then for a benzene ring its ring row and circle last). A
/// shared atom gives one hydrogen per new bond; a benzene ring leaves its shared atoms with none
/// and makes shared bonds aromatic (Order 2, RingX the new ring row). When a shared atom would
/// go below zero hydrogens everything is rolled back. The caller has saved the counters.
RingResult fuseRing(Structure& structure, int tool, PixelPoint anchor, int ringBondLength,
                    bool showAllAtoms);

} // namespace qzx
