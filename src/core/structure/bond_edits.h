#pragma once

#include "structure/bond_geometry.h"

namespace qzx {

class ElementTable;
class Structure;

/// Whether two gesture points are less than 8 pixels apart in both directions (a click, which
/// the bond, chain and R-group tools refuse).
bool isClick(PixelPoint start, PixelPoint end);

/// Element and hydrogens of the atom that a bond-making tool puts at a bond's free end.
struct ToolAtom {
    int element = 0;
    int hydrogens = 0;
};
ToolAtom toolAtom(int tool);

/// How finishing a bond gesture ended. Only Added and Raised change the structure.
enum class BondResult {
    Added,     ///< a new bond (and atom or nitro group) was appended
    Raised,    ///< single bond over an existing bond: its Order went up by one (undo kind 2)
    Refused,   ///< error signal; the caller gives the start atom its hydrogens back
    Unchanged, ///< another tool over an existing bond: hydrogens back without a signal
};

/// Finishes a bond gesture of `tool` (7 to 9, 12 to 21) from `startAtom`, whose k hydrogens
/// the press already took, released at `release`. The bond ends on the atom B nearest to the
/// release when |dx| + |dy| < 10, otherwise at a new atom aligned on each axis with B when
/// that axis differs by less than 10; a double or triple bond's new atom takes the straightened
/// end point while the bond row keeps the points as drawn. Refused: a click, a bond back onto
/// the start atom, B short of hydrogens, a nitro group onto an existing atom, a single bond
/// over a triple or aromatic bond, a full table. The caller has saved the counters.
BondResult finishBond(Structure& structure, int tool, int startAtom, PixelPoint release);

/// Carbons in a chain drawn from `start` to `end`: Round(distance) div A.
int chainCarbonCount(PixelPoint start, PixelPoint end, int alkBondLength);

enum class ChainResult {
    Added,
    TooShort, ///< shorter than one bond: nothing added, no signal
    NoRoom,   ///< error signal
};

/// Appends a zigzag chain of carbons from `startAtom` (its hydrogen already taken) towards
/// `end`: the last carbon is a CH3, the others CH2; a mostly horizontal chain zigzags 5 pixels
/// up and down, a mostly vertical one left and right. The caller has saved the counters.
ChainResult buildChain(Structure& structure, int startAtom, PixelPoint end, int alkBondLength);

/// Appends a lone atom of `element` at `at`: hydrogens = valence, label shown, RingState 1.
/// False, changing nothing, when the tables are full. The caller has saved the counters.
bool placeLoneAtom(Structure& structure, const ElementTable& elements, int element, PixelPoint at);

/// Changes the element of `atomRow` and records the change for undo (kind 1, with the old
/// label flag in SavedLabelShown). False, changing nothing, for an atom of a nitro group or
/// when the new element has too few bonds for the atom.
bool changeAtomElement(Structure& structure, const ElementTable& elements, int atomRow, int element,
                       bool showAllAtoms);

} // namespace qzx
