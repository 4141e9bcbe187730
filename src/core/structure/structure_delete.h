#pragma once

#include <vector>

namespace qzx {

class ElementTable;
class Structure;

/// Deletes the atoms in the structure's SelectionList and every bond touching them. A nitro
/// group goes as a whole, with its nitrogen or with the atom that carries it; its hidden
/// oxygens selected on their own are left alone. Removes the circles of broken aromatic
/// rings, turning their other bonds into single bonds (a bond stays aromatic while a
/// surviving ring holds both its atoms); compacts the tables, rebuilds the draw list in
/// canonical order (atoms, bonds, rings, nitro labels), sets every saved counter to its
/// counter, clears the undo record and the selection, and recomputes hydrogens (rounding up).
/// With nothing selected only the selection is cleared.
void deleteSelectedAtoms(Structure& structure, const ElementTable& elements);

/// The bonds that reduce-bond mode offers, ascending: chain and ring bonds (RingState 0 or 1),
/// except the bonds of a nitro group (the drawn bond to its nitrogen and the two hidden
/// nitrogen-oxygen bonds), which cannot be edited.
std::vector<int> reducibleBonds(const Structure& structure);

/// The reducible bond whose midpoint (integer halves) is nearest to (x, y) by |dx| + |dy|,
/// the lower row on ties; 0 when there is none.
int nearestReducibleBond(const Structure& structure, int x, int y);

/// Reduces a reducible bond: gives one hydrogen back to each of its atoms; a single bond is
/// removed (tables compacted, canonical draw list, every saved counter set to its counter,
/// undo record cleared), a double or triple bond loses one order. Other rows change nothing.
void reduceBond(Structure& structure, int bondRow);

} // namespace qzx
