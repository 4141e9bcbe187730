#pragma once

namespace qzx {

class ElementTable;
class Structure;

/// How a fractional hydrogen count (aromatic bonds weigh 1.5) is made whole.
enum class HydrogenRounding {
    Up,          ///< after a deletion
    NearestEven, ///< after undo and redo
};

/// Sets the hydrogens of atoms 1..atomLimit from the bonds 1..bondLimit that touch them:
/// valence minus the sum of bond orders (an aromatic bond weighs 1.5), never below 0. Every
/// carbon that ends with exactly 3 hydrogens becomes a chain end again (RingState 0, label
/// shown; after undo and redo also the reserved field 8 cleared).
void recomputeHydrogens(Structure& structure, const ElementTable& elements,
                        HydrogenRounding rounding, int atomLimit, int bondLimit);

/// Changes the element of an atom, keeping the bonds in use: new hydrogens are
/// valence(new) - (valence(old) - hydrogens). Returns false, changing nothing, when that is
/// negative, or when the atom belongs to a nitro group (its nitrogen or oxygens cannot be
/// edited). A carbon that results in a ring hides its label unless all atoms are shown;
/// otherwise the label is shown. Records nothing for undo: the caller does.
bool changeElement(Structure& structure, const ElementTable& elements, int atomRow, int element,
                   bool showAllAtoms);

/// Whether the atom is the nitrogen or one of the two hidden oxygens of a nitro group.
bool isNitroAtom(const Structure& structure, int atomRow);

} // namespace qzx
