#pragma once

#include <vector>

namespace qzx {

class ElementTable;
class Structure;

/// Element number of carbon, the one element whose label and chain-end state the hydrogen
/// rules look after.
constexpr int kCarbon = 1;
/// Element numbers of the atoms a nitro group is made of.
constexpr int kNitrogen = 3;
constexpr int kOxygen = 4;
/// The two hidden oxygens of a nitro group sit this many pixels right of its nitrogen.
constexpr int kNitroOxygenOffset = 20;

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

/// Makes every carbon among atoms 1..atomLimit that holds exactly 3 hydrogens a chain end:
/// RingState 0, label shown, and with `clearReserved` the reserved field 8 set to 0.
void markChainEnds(Structure& structure, int atomLimit, bool clearReserved);

/// Changes the element of an atom, keeping the bonds in use: new hydrogens are
/// valence(new) - (valence(old) - hydrogens). Returns false, changing nothing, when that is
/// negative, or when the atom belongs to a nitro group (its nitrogen or oxygens cannot be
/// edited). A carbon that results in a ring hides its label unless all atoms are shown;
/// otherwise the label is shown. Records nothing for undo: the caller does.
bool changeElement(Structure& structure, const ElementTable& elements, int atomRow, int element,
                   bool showAllAtoms);

/// One nitro group as the tables hold it: a nitro label item (kind 4) names the bond that
/// leads to the nitrogen (its AtomB); the hidden oxygens (NitroOxygen 1) hang on the nitrogen
/// by bonds without draw items.
struct NitroGroup {
    int labelItem = 0;            ///< row of the kind-4 item in the draw list
    int leadBond = 0;             ///< the drawn bond to the nitrogen
    int nitrogen = 0;             ///< AtomB of leadBond
    std::vector<int> oxygens;     ///< atom rows, normally two
    std::vector<int> oxygenBonds; ///< the hidden nitrogen-oxygen bonds, normally two
};

/// Completes a nitro group on `nitrogen`, a hidden nitrogen already appended as AtomB of
/// `leadBond`: appends the nitro label item naming `leadBond`, then twice a hidden oxygen
/// (NitroOxygen 1, no hydrogens, no label) at kNitroOxygenOffset pixels right of the nitrogen
/// and its N=O double bond, neither with a draw item. The nitro tool and the MOL import both
/// build their groups with it, so the two give the same rows. The caller has checked room for
/// one draw item, two atoms and two bonds.
void completeNitroGroup(Structure& structure, int leadBond, int nitrogen);

/// The nitro groups among the used rows, in draw-list order.
std::vector<NitroGroup> findNitroGroups(const Structure& structure);

/// Whether the atom is the nitrogen or one of the two hidden oxygens of a nitro group.
bool isNitroAtom(const Structure& structure, int atomRow);

} // namespace qzx
