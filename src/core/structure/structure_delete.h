#pragma once

#include <vector>

namespace qzx {

class ElementTable;
class Structure;

/// Deletes the atoms in the structure's SelectionList (a selected nitro nitrogen takes its
/// two oxygens with it) and every bond touching them; removes the circles of broken aromatic
/// rings, turning their other bonds into single bonds; compacts the tables, rebuilds the draw
/// list in canonical order (atoms, bonds, rings, nitro labels), sets every saved counter to
/// its counter, clears the undo record and the selection, and recomputes hydrogens (rounding
/// up).
void deleteSelectedAtoms(Structure& structure, const ElementTable& elements);

/// The bonds that reduce-bond mode offers: chain and ring bonds (RingState 0 or 1), except
/// the two hidden bonds of a nitro group.
std::vector<int> reducibleBonds(const Structure& structure);

/// The reducible bond whose midpoint (integer halves) is nearest to (x, y) by |dx| + |dy|,
/// the lower row on ties; 0 when there is none.
int nearestReducibleBond(const Structure& structure, int x, int y);

/// Reduces a bond: gives one hydrogen back to each of its atoms; a single bond is removed
/// (tables compacted, canonical draw list, every saved counter set to its counter, undo
/// record cleared), a double or triple bond loses one order.
void reduceBond(Structure& structure, int bondRow);

} // namespace qzx
