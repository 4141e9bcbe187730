#pragma once

// The one place for the structures the tests start from: molecules written row by row exactly
// as the drawing tools leave them, molecules given as bond lists, the real element table, a
// comparable snapshot of the tables and the checks of the invariants every edit must keep.

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "../loaded_elements.h"
#include "structure/bond_geometry.h"
#include "structure/structure.h"
#include "structure/structure_composition.h"

namespace qzx::test {

constexpr int L = 20; ///< ring bond length of the tests, pixels

inline Atom makeAtom(int element, int x, int y, int hydrogens, int labelShown, int ringState) {
    Atom a;
    a.Element = element;
    a.X = x;
    a.Y = y;
    a.Hydrogens = hydrogens;
    a.LabelShown = labelShown;
    a.RingState = ringState;
    return a;
}

/// A bond between two existing atoms, end points taken from them.
inline Bond makeBond(const Structure& s, int a, int b, int order, int ringState = 0, int ringX = 0,
                     int ringY = 0) {
    Bond bond;
    bond.X1 = s.atom(a).X;
    bond.Y1 = s.atom(a).Y;
    bond.X2 = s.atom(b).X;
    bond.Y2 = s.atom(b).Y;
    bond.Order = order;
    bond.RingState = ringState;
    bond.AtomA = a;
    bond.AtomB = b;
    bond.RingX = ringX;
    bond.RingY = ringY;
    return bond;
}

/// Adds an atom with its draw item.
inline int addAtom(Structure& s, const Atom& atom) {
    const int row = s.appendAtom(atom);
    s.appendItem(kAtomItem, row);
    return row;
}

/// Adds a bond with its draw item.
inline int addBond(Structure& s, int a, int b, int order) {
    const int row = s.appendBond(makeBond(s, a, b, order));
    s.appendItem(kBondItem, row);
    return row;
}

/// What a single-bond gesture from `from` to empty space leaves: the counters saved, one
/// hydrogen taken from the start atom, the bond and a new CH3.
inline int drawMethylFrom(Structure& s, int from, int x, int y) {
    s.saveCounters();
    s.undo = UndoRecord{};
    s.atom(from).Hydrogens -= 1;
    const int bondRow = s.appendBond(Bond{});
    s.appendItem(kBondItem, bondRow);
    const int methyl = addAtom(s, makeAtom(1, x, y, 3, 1, 0));
    s.bond(bondRow) = makeBond(s, from, methyl, 1);
    return methyl;
}

/// The carbon a bond tool makes on an empty surface, before the bond takes its hydrogen: as
/// many hydrogens as carbon's valence. The draw* helpers then take what the bond uses.
inline int firstCarbon(Structure& s, int x, int y) {
    return addAtom(s, makeAtom(1, x, y, 4, 1, 0));
}

/// Ethane drawn by one single-bond gesture: atom item, bond item, atom item.
inline Structure ethane() {
    Structure s;
    const int c1 = firstCarbon(s, 100, 100);
    drawMethylFrom(s, c1, 120, 100);
    return s;
}

/// Vertices of the upright hexagon anchored at (x, y).
inline std::vector<std::pair<int, int>> uprightHexagon(int x, int y) {
    return {{x, y},         {x - L, y + L},     {x - L, y + 2 * L},
            {x, y + 3 * L}, {x + L, y + 2 * L}, {x + L, y + L}};
}

/// A free upright ring placed at (x, y) as the ring tools place it: bonds first, then (for
/// benzene) the ring row and its circle, then the carbons. An appending edit.
inline void placeRing(Structure& s, int x, int y, bool benzene) {
    s.saveCounters();
    s.undo = UndoRecord{};
    const int n = s.count.atoms;
    const auto vertices = uprightHexagon(x, y);
    const int cx = x, cy = y + 30; // Round(1.5 L)
    const int ringRow = s.count.rings + 1;
    for (int i = 1; i <= 6; ++i) {
        const int j = i % 6 + 1;
        Bond b;
        b.X1 = vertices[i - 1].first;
        b.Y1 = vertices[i - 1].second;
        b.X2 = vertices[j - 1].first;
        b.Y2 = vertices[j - 1].second;
        b.Order = benzene ? 2 : 1;
        b.RingState = benzene ? 2 : 1;
        b.AtomA = n + i;
        b.AtomB = n + j;
        b.RingX = benzene ? ringRow : cx;
        b.RingY = benzene ? 0 : cy;
        s.appendItem(kBondItem, s.appendBond(b));
    }
    if (benzene) {
        AromaticRing r;
        for (int i = 0; i < 6; ++i)
            r.Atoms[static_cast<std::size_t>(i)] = n + i + 1;
        r.CentreX = cx;
        r.CentreY = cy;
        r.Radius = 14; // Round(20 x 0.7142857142857143)
        s.appendItem(kRingItem, s.appendRing(r));
    }
    for (const auto& [vx, vy] : vertices)
        addAtom(s, makeAtom(1, vx, vy, benzene ? 1 : 2, 0, benzene ? 2 : 1));
}

inline Structure benzene(int x = 100, int y = 100) {
    Structure s;
    placeRing(s, x, y, true);
    return s;
}

inline Structure cyclohexane(int x = 100, int y = 100) {
    Structure s;
    placeRing(s, x, y, false);
    return s;
}

/// Benzene at (100, 100) with a methyl drawn up from its first carbon (atom 7, bond 7).
inline Structure toluene() {
    Structure s = benzene();
    drawMethylFrom(s, 1, 100, 80);
    return s;
}

/// A nitro group drawn by the nitro tool from atom `from` to a new nitrogen at (x, y): the
/// drawn bond with its bond item and nitro label item, the nitrogen and two hidden oxygens at
/// (x + 20, y), each joined by a double bond without a draw item. Returns the nitrogen row.
inline int drawNitroFrom(Structure& s, int from, int x, int y) {
    s.saveCounters();
    s.undo = UndoRecord{};
    s.atom(from).Hydrogens -= 1;
    const int lead = s.appendBond(Bond{});
    s.appendItem(kBondItem, lead);
    s.appendItem(kNitroItem, lead);
    const int nitrogen = s.appendAtom(makeAtom(3, x, y, 0, 0, 0));
    s.bond(lead) = makeBond(s, from, nitrogen, 1);
    for (int i = 0; i < 2; ++i) {
        Atom oxygen = makeAtom(4, x + 20, y, 0, 0, 0);
        oxygen.NitroOxygen = 1;
        const int o = s.appendAtom(oxygen);
        s.appendBond(makeBond(s, nitrogen, o, 2));
    }
    return nitrogen;
}

/// CH3-NO2: carbon 1, nitrogen 2, oxygens 3 and 4; bond 1 to the nitrogen, bonds 2 and 3 N=O.
inline Structure nitromethane() {
    Structure s;
    const int c = firstCarbon(s, 100, 100);
    drawNitroFrom(s, c, 120, 100);
    return s;
}

/// A bond given by its two atom rows and its order.
struct BondRow {
    int a = 0;
    int b = 0;
    int order = 1;
};

/// `atoms` atoms of the given elements (carbon where the list ends) joined by `bonds` in row
/// order; each atom gets valence minus its bond orders as hydrogens (never below 0).
inline Structure molecule(int atoms, const std::vector<BondRow>& bonds,
                          const std::vector<int>& elementOf = {}) {
    Structure s;
    std::vector<int> used(static_cast<std::size_t>(atoms) + 1, 0);
    for (const BondRow& bond : bonds) {
        used[static_cast<std::size_t>(bond.a)] += bond.order;
        used[static_cast<std::size_t>(bond.b)] += bond.order;
    }
    for (int row = 1; row <= atoms; ++row) {
        const std::size_t i = static_cast<std::size_t>(row - 1);
        const int element = i < elementOf.size() ? elementOf[i] : 1;
        const int hydrogens = std::max(0, elements()[element].Valence - used[i + 1]);
        addAtom(s, makeAtom(element, 20 * row, 100, hydrogens, 1, 0));
    }
    for (const BondRow& bond : bonds)
        addBond(s, bond.a, bond.b, bond.order);
    return s;
}

/// A chain of `atoms` carbons, bonds (1,2), (2,3), ... in that order.
inline Structure carbonChain(int atoms) {
    std::vector<BondRow> bonds;
    for (int a = 1; a < atoms; ++a)
        bonds.push_back({a, a + 1});
    return molecule(atoms, bonds);
}

/// The composition text, e.g. "C6 H6 ".
inline std::string formula(const Structure& s) {
    return composeStructure(s, elements(), false).composition;
}

/// Every used row of the four tables and the counters; SavedHydrogens and SavedLabelShown left
/// out, because undo and redo keep their own copies there.
struct Snapshot {
    TableCounts count;
    std::vector<DrawItem> items;
    std::vector<Atom> atoms;
    std::vector<Bond> bonds;
    std::vector<AromaticRing> rings;
    bool operator==(const Snapshot&) const = default;
};

inline Snapshot snapshot(const Structure& s) {
    Snapshot snap;
    snap.count = s.count;
    snap.items.assign(s.Max.begin() + 1, s.Max.begin() + 1 + s.count.drawItems);
    snap.atoms.assign(s.Lax.begin() + 1, s.Lax.begin() + 1 + s.count.atoms);
    for (Atom& a : snap.atoms) {
        a.SavedHydrogens = 0;
        a.SavedLabelShown = 0;
    }
    snap.bonds.assign(s.Tax.begin() + 1, s.Tax.begin() + 1 + s.count.bonds);
    snap.rings.assign(s.Rax.begin() + 1, s.Rax.begin() + 1 + s.count.rings);
    return snap;
}

/// Whether two structures are the same in every member: all rows of the four tables up to
/// their capacities (used or not, since undo and redo read rows above the counters), the
/// counters and saved counters, the selection, the undo record, the de-aromatised bonds, the
/// label and the file name. A failure names the members that differ.
inline ::testing::AssertionResult sameStructure(const Structure& a, const Structure& b) {
    std::string differ;
    const auto check = [&differ](bool same, const char* member) {
        if (!same) differ += std::string(differ.empty() ? "" : ", ") + member;
    };
    check(a.Max == b.Max, "Max");
    check(a.Lax == b.Lax, "Lax");
    check(a.Tax == b.Tax, "Tax");
    check(a.Rax == b.Rax, "Rax");
    check(a.count == b.count, "count");
    check(a.saved == b.saved, "saved");
    check(a.SelectionList == b.SelectionList, "SelectionList");
    check(a.undo == b.undo, "undo");
    check(a.deAromatisedBonds == b.deAromatisedBonds, "deAromatisedBonds");
    check(a.StructureLabel == b.StructureLabel, "StructureLabel");
    check(a.CurrentFile == b.CurrentFile, "CurrentFile");
    if (differ.empty()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "they differ in " << differ;
}

/// Readable failure output: one line per row.
inline void PrintTo(const Snapshot& snap, std::ostream* os) {
    const TableCounts& c = snap.count;
    *os << "counts " << c.drawItems << "/" << c.atoms << "/" << c.bonds << "/" << c.rings;
    for (const DrawItem& i : snap.items)
        *os << "\n  item " << i.Kind << " " << i.Index;
    for (const Atom& a : snap.atoms)
        *os << "\n  atom el " << a.Element << " (" << a.X << "," << a.Y << ") H " << a.Hydrogens
            << " label " << a.LabelShown << " ring " << a.RingState << " nitroO " << a.NitroOxygen
            << " r8 " << a.Reserved8;
    for (const Bond& b : snap.bonds)
        *os << "\n  bond " << b.AtomA << "-" << b.AtomB << " (" << b.X1 << "," << b.Y1 << ")-("
            << b.X2 << "," << b.Y2 << ") order " << b.Order << " ring " << b.RingState << " "
            << b.RingX << "," << b.RingY;
    for (const AromaticRing& r : snap.rings) {
        *os << "\n  ring";
        for (const int a : r.Atoms)
            *os << " " << a;
        *os << " centre (" << r.CentreX << "," << r.CentreY << ") radius " << r.Radius;
    }
}

/// Where tableFaults expects a bond's end points.
enum class BondEnds {
    OnAtoms, ///< exactly on its two atoms: rows written by hand or read from a file
    AsDrawn, ///< as the tools draw: a double or triple bond's new atom may sit at the
             ///< straightened end while the row keeps the end as drawn
};

/// Everything that breaks the rules the tables must keep; empty when they hold. Counts within
/// the capacities; draw items naming used rows; no negative hydrogens; one draw item per atom,
/// bond and ring circle, and none for the nitrogen and oxygens of a nitro group or the bonds
/// between them; bonds joining two different used atoms with order 1 to 3 and end points on
/// their atoms; aromatic bonds naming a ring that holds both their atoms; ring atoms and the
/// selection naming used atoms.
inline std::string tableFaults(const Structure& s, BondEnds ends) {
    std::ostringstream f;
    const TableCounts& c = s.count;
    if (c.drawItems > kMaxDrawItems || c.atoms > kMaxAtoms || c.bonds >= kMaxBonds ||
        c.rings > kMaxAromaticRings)
        return "counts beyond capacity";
    const auto inRange = [](int row, int count) { return row >= 1 && row <= count; };
    std::vector<int> atomItems(static_cast<std::size_t>(c.atoms) + 1, 0);
    std::vector<int> bondItems(static_cast<std::size_t>(c.bonds) + 1, 0);
    std::vector<int> ringItems(static_cast<std::size_t>(c.rings) + 1, 0);
    std::vector<int> nitrogens;
    for (int r = 1; r <= c.drawItems; ++r) {
        const DrawItem& d = s.item(r);
        const int limit = d.Kind == kAtomItem ? c.atoms : d.Kind == kRingItem ? c.rings : c.bonds;
        if (d.Kind < kAtomItem || d.Kind > kNitroItem || !inRange(d.Index, limit)) {
            f << "item " << r << " (kind " << d.Kind << ") names no row; ";
            continue;
        }
        const auto index = static_cast<std::size_t>(d.Index);
        if (d.Kind == kAtomItem) ++atomItems[index];
        if (d.Kind == kBondItem) ++bondItems[index];
        if (d.Kind == kRingItem) ++ringItems[index];
        if (d.Kind == kNitroItem) nitrogens.push_back(s.bond(d.Index).AtomB);
    }
    const auto hidden = [&](int a) {
        return s.atom(a).NitroOxygen == 1 ||
               std::find(nitrogens.begin(), nitrogens.end(), a) != nitrogens.end();
    };
    for (int r = 1; r <= c.atoms; ++r) {
        const Atom& a = s.atom(r);
        const int items = atomItems[static_cast<std::size_t>(r)];
        if (a.Hydrogens < 0) f << "atom " << r << " has " << a.Hydrogens << " H; ";
        if (items != (hidden(r) ? 0 : 1)) f << "atom " << r << " has " << items << " items; ";
    }
    for (int r = 1; r <= c.bonds; ++r) {
        const Bond& b = s.bond(r);
        if (!inRange(b.AtomA, c.atoms) || !inRange(b.AtomB, c.atoms) || b.AtomA == b.AtomB) {
            f << "bond " << r << " joins " << b.AtomA << '-' << b.AtomB << "; ";
            continue;
        }
        const PixelPoint a = s.position(b.AtomA);
        const PixelPoint e = s.position(b.AtomB);
        const PixelPoint drawnEnd{b.X2, b.Y2};
        const bool endOnAtom =
            e == drawnEnd || (ends == BondEnds::AsDrawn && e == straightenedBondEnd(a, drawnEnd));
        if (!(a == PixelPoint{b.X1, b.Y1}) || !endOnAtom)
            f << "bond " << r << " ends off its atoms; ";
        if (b.Order < 1 || b.Order > 3) f << "bond " << r << " has order " << b.Order << "; ";
        const bool bothHidden = hidden(b.AtomA) && hidden(b.AtomB);
        const int items = bondItems[static_cast<std::size_t>(r)];
        if (items != (bothHidden ? 0 : 1)) f << "bond " << r << " has " << items << " items; ";
        if (s.atom(b.AtomB).NitroOxygen == 1 && !bothHidden)
            f << "bond " << r << " reaches a nitro oxygen from outside its group; ";
        if (b.RingState == 2) {
            if (!inRange(b.RingX, c.rings)) {
                f << "aromatic bond " << r << " names ring " << b.RingX << "; ";
                continue;
            }
            const auto& ringAtoms = s.ring(b.RingX).Atoms;
            for (const int end : {b.AtomA, b.AtomB})
                if (std::find(ringAtoms.begin(), ringAtoms.end(), end) == ringAtoms.end())
                    f << "aromatic bond " << r << " lies outside its ring; ";
        }
    }
    for (int r = 1; r <= c.rings; ++r) {
        for (const int a : s.ring(r).Atoms)
            if (!inRange(a, c.atoms)) f << "ring " << r << " names atom " << a << "; ";
        const int items = ringItems[static_cast<std::size_t>(r)];
        if (items != 1) f << "ring " << r << " has " << items << " circles; ";
    }
    for (const int a : s.SelectionList)
        if (!inRange(a, c.atoms)) f << "selection names atom " << a << "; ";
    return f.str();
}

/// Whether the draw list is in canonical order: atom items, bond items, ring items, nitro
/// labels, each group ascending.
inline bool canonicalDrawList(const Structure& s) {
    std::vector<DrawItem> items(s.Max.begin() + 1, s.Max.begin() + 1 + s.count.drawItems);
    std::vector<DrawItem> sorted = items;
    std::stable_sort(sorted.begin(), sorted.end(), [](const DrawItem& a, const DrawItem& b) {
        return a.Kind < b.Kind || (a.Kind == b.Kind && a.Kind != kNitroItem && a.Index < b.Index);
    });
    return items == sorted;
}

} // namespace qzx::test
