#include "structure/undo.h"

#include <algorithm>
#include <array>
#include <deque>
#include <optional>
#include <utility>
#include <vector>

#include "chem/element_table.h"
#include "structure/hydrogens.h"
#include "structure/structure.h"
#include "util/rounding.h"

namespace qzx {

namespace {

bool inRange(int row, int count) {
    return row >= 1 && row <= count;
}

/// The first aromatic ring other than `ringRow` that holds both atoms (pass a == b for one
/// atom), or 0.
int otherRingHolding(const Structure& s, int a, int b, int ringRow) {
    for (int row = 1; row <= s.count.rings; ++row) {
        if (row == ringRow) continue;
        const auto& atoms = s.ring(row).Atoms;
        if (std::find(atoms.begin(), atoms.end(), a) != atoms.end() &&
            std::find(atoms.begin(), atoms.end(), b) != atoms.end())
            return row;
    }
    return 0;
}

/// The x of the centre of a ring that the bond `bondRow` closes among the atoms and bonds that
/// stay in view after an undo (rows up to the saved counters), other than the ring of `ringAtoms`
/// that the undo takes away: the midpoint of the smallest such ring's x range, as the ring
/// tools place a centre. Empty when the bond closes no other ring.
std::optional<std::int32_t> otherRingCentreX(const Structure& s, int bondRow,
                                             const std::array<std::int32_t, 6>& ringAtoms) {
    const int atoms = std::min(s.saved.atoms, s.count.atoms);
    const int bonds = std::min(s.saved.bonds, s.count.bonds);
    const Bond& closing = s.bond(bondRow);
    if (!inRange(closing.AtomA, atoms) || !inRange(closing.AtomB, atoms)) return std::nullopt;
    // Shortest path from AtomA to AtomB over the other ring bonds in view.
    std::vector<int> previous(static_cast<std::size_t>(atoms) + 1, -1);
    std::deque<int> queue{closing.AtomA};
    previous[static_cast<std::size_t>(closing.AtomA)] = 0;
    while (!queue.empty() && previous[static_cast<std::size_t>(closing.AtomB)] < 0) {
        const int atom = queue.front();
        queue.pop_front();
        for (int row = 1; row <= bonds; ++row) {
            const Bond& b = s.bond(row);
            if (row == bondRow || b.RingState == 0) continue;
            const int next = b.AtomA == atom ? b.AtomB : b.AtomB == atom ? b.AtomA : 0;
            if (!inRange(next, atoms) || previous[static_cast<std::size_t>(next)] >= 0) continue;
            previous[static_cast<std::size_t>(next)] = atom;
            queue.push_back(next);
        }
    }
    if (previous[static_cast<std::size_t>(closing.AtomB)] < 0) return std::nullopt;
    std::vector<int> cycle;
    for (int atom = closing.AtomB; atom != 0; atom = previous[static_cast<std::size_t>(atom)])
        cycle.push_back(atom);
    std::vector<int> own(ringAtoms.begin(), ringAtoms.end());
    std::sort(own.begin(), own.end());
    std::vector<int> sorted = cycle;
    std::sort(sorted.begin(), sorted.end());
    if (sorted == own) return std::nullopt; // the ring itself (Aromatize): its circle's centre
    int minX = s.atom(cycle[0]).X, maxX = minX;
    for (const int atom : cycle) {
        minX = std::min(minX, s.atom(atom).X);
        maxX = std::max(maxX, s.atom(atom).X);
    }
    return static_cast<std::int32_t>(Round((minX + maxX) * 0.5));
}

/// Redo of an appending edit: the rows above the counters come back with the hydrogens they
/// had when they were undone, and a ring whose aromatic state the undo took away gets it back.
void redoAppended(Structure& s) {
    for (int row = 1; row <= s.saved.atoms; ++row)
        s.atom(row).Hydrogens = s.atom(row).SavedHydrogens;
    if (s.saved.drawItems >= 1) {
        const DrawItem& newest = s.item(s.saved.drawItems);
        if (newest.Kind == kRingItem && inRange(newest.Index, s.saved.rings)) {
            for (const int atom : s.ring(newest.Index).Atoms)
                if (inRange(atom, s.saved.atoms)) s.atom(atom).RingState = 2;
            for (const int row : s.deAromatisedBonds) {
                if (!inRange(row, s.saved.bonds)) continue;
                Bond& bond = s.bond(row);
                bond.Order = 2;
                bond.RingState = 2;
                bond.RingX = newest.Index;
            }
        }
    }
    markChainEnds(s, s.saved.atoms, true);
}

/// Undo of an appending edit. When the newest item is a ring circle (a fused benzene or
/// Aromatize) its atoms that belong to no other aromatic ring lose their aromatic state, and
/// so do their aromatic bonds; redo gives it back from the de-aromatised list. A de-aromatised
/// bond becomes a ring bond whose RingX is the circle's centre x instead of a ring row that no
/// longer applies; RingY is left alone, since Aromatize kept the ring centre y there, so undoing
/// Aromatize gives back the plain ring exactly and redo stays exact in every case. The
/// hydrogens of the atoms that stay in view are then recomputed from the bonds in view.
void undoAppended(Structure& s, const ElementTable& elements) {
    for (int row = 1; row <= s.count.atoms; ++row)
        s.atom(row).SavedHydrogens = s.atom(row).Hydrogens;
    s.deAromatisedBonds.clear();
    if (s.count.drawItems >= 1) {
        const DrawItem& newest = s.item(s.count.drawItems);
        if (newest.Kind == kRingItem && inRange(newest.Index, s.count.rings)) {
            const int ringRow = newest.Index;
            const AromaticRing& ring = s.ring(ringRow);
            // A bond that stays in view and belongs to another ring (the plain ring a benzene
            // was fused onto) takes that ring's centre, so its inner line and the files keep
            // pointing at the ring it still belongs to.
            auto deAromatise = [&](int row) {
                Bond& bond = s.bond(row);
                bond.Order = 1;
                bond.RingState = 1;
                bond.RingX = otherRingCentreX(s, row, ring.Atoms).value_or(ring.CentreX);
                s.deAromatisedBonds.push_back(row);
            };
            for (const int atom : ring.Atoms) {
                if (!inRange(atom, s.count.atoms) || otherRingHolding(s, atom, atom, ringRow) != 0)
                    continue;
                s.atom(atom).RingState = 1;
                s.atom(atom).Reserved8 = 0;
                for (int row = 1; row <= s.count.bonds; ++row) {
                    const Bond& bond = s.bond(row);
                    if (bond.RingState == 2 && (bond.AtomA == atom || bond.AtomB == atom))
                        deAromatise(row);
                }
            }
            // A bond between two atoms of older rings stays aromatic, but must not name the
            // ring that drops out of view: it names an older ring holding both its atoms.
            // Redo gives it the new ring back from the de-aromatised list.
            for (int row = 1; row <= s.count.bonds; ++row) {
                Bond& bond = s.bond(row);
                if (bond.RingState != 2 || bond.RingX != ringRow) continue;
                const int older = otherRingHolding(s, bond.AtomA, bond.AtomB, ringRow);
                if (older == 0) {
                    deAromatise(row);
                    continue;
                }
                bond.RingX = older;
                s.deAromatisedBonds.push_back(row);
            }
        }
    }
    recomputeHydrogens(s, elements, HydrogenRounding::NearestEven, s.saved.atoms, s.saved.bonds);
}

bool undoElementChange(Structure& s) {
    if (!inRange(s.undo.row, s.count.atoms)) return false;
    Atom& atom = s.atom(s.undo.row);
    std::swap(atom.Element, s.undo.oldValue);
    std::swap(atom.Hydrogens, s.undo.oldHydrogens);
    std::swap(atom.LabelShown, atom.SavedLabelShown);
    return true;
}

bool undoBondRaise(Structure& s) {
    if (!inRange(s.undo.row, s.count.bonds)) return false;
    Bond& bond = s.bond(s.undo.row);
    if (!inRange(bond.AtomA, s.count.atoms) || !inRange(bond.AtomB, s.count.atoms)) return false;
    Atom& a = s.atom(bond.AtomA);
    Atom& b = s.atom(bond.AtomB);
    const int d = bond.Order > s.undo.oldValue ? 1 : -1;
    // Raising the order again takes a hydrogen from each end; refuse rather than go negative
    // when a later edit (a valence click, a reduced bond) has used them.
    if (d < 0 && (a.Hydrogens < 1 || b.Hydrogens < 1 || bond.Order >= 3)) return false;
    s.undo.oldValue = bond.Order;
    bond.Order -= d;
    a.Hydrogens += d;
    b.Hydrogens += d;
    return true;
}

} // namespace

bool undoRedo(Structure& s, const ElementTable& elements) {
    switch (s.undo.kind) {
    case UndoRecord::Appended:
        // Nothing appended since the counters were last set equal (Delete, a removed bond, a
        // refused gesture): there is nothing to take away, in particular no ring circle.
        if (s.saved == s.count) return false;
        if (s.saved.drawItems > s.count.drawItems)
            redoAppended(s);
        else
            undoAppended(s, elements);
        std::swap(s.count, s.saved);
        return true;
    case UndoRecord::ElementChanged:
        return undoElementChange(s);
    case UndoRecord::BondRaised:
        return undoBondRaise(s);
    default:
        return false;
    }
}

void recordElementChange(Structure& s, int atomRow) {
    if (!inRange(atomRow, s.count.atoms)) return;
    Atom& atom = s.atom(atomRow);
    s.undo = UndoRecord{UndoRecord::ElementChanged, atomRow, atom.Element, atom.Hydrogens};
    atom.SavedLabelShown = atom.LabelShown;
    s.saved = s.count;
}

AromatizeResult aromatize(Structure& s, const ElementTable& elements, int ringBondLength) {
    std::vector<int> atoms = s.SelectionList;
    std::sort(atoms.begin(), atoms.end());
    if (atoms.size() != 6 || std::adjacent_find(atoms.begin(), atoms.end()) != atoms.end())
        return AromatizeResult::WrongSelection;
    for (const int row : atoms)
        if (!inRange(row, s.count.atoms) || isNitroAtom(s, row))
            return AromatizeResult::WrongSelection;
    if (!s.hasRoomFor(TableCounts{1, 0, 0, 1})) return AromatizeResult::NoRoom;

    s.saveCounters();
    s.undo = UndoRecord{};

    AromaticRing ring;
    int minX = s.atom(atoms[0]).X, maxX = minX;
    int minY = s.atom(atoms[0]).Y, maxY = minY;
    for (std::size_t i = 0; i < atoms.size(); ++i) {
        const Atom& atom = s.atom(atoms[i]);
        ring.Atoms[i] = atoms[i];
        minX = std::min(minX, atom.X);
        maxX = std::max(maxX, atom.X);
        minY = std::min(minY, atom.Y);
        maxY = std::max(maxY, atom.Y);
    }
    ring.CentreX = static_cast<std::int32_t>(Round((minX + maxX) * 0.5));
    ring.CentreY = static_cast<std::int32_t>(Round((minY + maxY) * 0.5));
    ring.Radius = static_cast<std::int32_t>(Round(ringBondLength * 0.7));
    const int ringRow = s.appendRing(ring);
    s.appendItem(kRingItem, ringRow);

    auto selected = [&](int atom) { return std::binary_search(atoms.begin(), atoms.end(), atom); };
    for (const int row : atoms) {
        Atom& atom = s.atom(row);
        atom.LabelShown = atom.Element == kCarbon ? 0 : 1;
        atom.RingState = 2;
    }
    for (int row = 1; row <= s.count.bonds; ++row) {
        Bond& bond = s.bond(row);
        if (!selected(bond.AtomA) || !selected(bond.AtomB)) continue;
        bond.Order = 2;
        bond.RingState = 2;
        bond.RingX = ringRow;
    }
    // The six atoms' hydrogens follow their bonds, the aromatic ones weighing 1.5: a drawn
    // cyclohexane becomes benzene, C6 H6, and a ring drawn with alternating double bonds keeps
    // its hydrogens.
    std::vector<int> halfBonds(atoms.size(), 0);
    for (int row = 1; row <= s.count.bonds; ++row) {
        const Bond& bond = s.bond(row);
        const int weight = bond.RingState == 2 ? 3 : 2 * bond.Order;
        for (std::size_t i = 0; i < atoms.size(); ++i)
            if (bond.AtomA == atoms[i] || bond.AtomB == atoms[i]) halfBonds[i] += weight;
    }
    for (std::size_t i = 0; i < atoms.size(); ++i) {
        Atom& atom = s.atom(atoms[i]);
        const int valence =
            atom.Element >= 1 && atom.Element <= kElementCount ? elements[atom.Element].Valence : 0;
        const int half = 2 * valence - halfBonds[i];
        atom.Hydrogens = std::max(0, static_cast<int>(Round(half * 0.5)));
    }
    return AromatizeResult::Done;
}

} // namespace qzx
