#pragma once

// Structures written row by row exactly as the drawing tools leave them, the real element
// table, and checks of the invariants every edit must keep.

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "chem/element_data_files.h"
#include "structure/structure.h"
#include "structure/structure_composition.h"
#include "test_paths.h"

namespace qzx::test {

constexpr int L = 20; ///< ring bond length of the tests, pixels

/// The element table the build writes beside the program (C 4, N 3, O 2, Cl 1).
inline const ElementTable& elements() {
    static const ElementTable table = [] {
        ElementTable t;
        CalcElementSlots slots{};
        const ElementLoadResult result = LoadElementTable(
            QZX_RUNTIME_DIR, t, slots, [](const std::string& w) { ADD_FAILURE() << w; });
        EXPECT_TRUE(result.loaded) << result.error;
        return t;
    }();
    return table;
}

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

/// The invariants of the tables: references in range, bond ends on their atoms, aromatic
/// bonds inside their ring, no negative hydrogens, and the draw list holding one item per
/// atom, bond and ring (none for the parts of a nitro group, one label per group).
inline ::testing::AssertionResult consistent(const Structure& s) {
    const auto fail = [](const std::string& what) { return ::testing::AssertionFailure() << what; };
    const TableCounts& c = s.count;
    auto inRange = [](int row, int count) { return row >= 1 && row <= count; };
    std::vector<int> atomItems(static_cast<std::size_t>(c.atoms) + 1, 0);
    std::vector<int> bondItems(static_cast<std::size_t>(c.bonds) + 1, 0);
    std::vector<int> ringItems(static_cast<std::size_t>(c.rings) + 1, 0);
    std::vector<int> nitrogens;
    for (int i = 1; i <= c.drawItems; ++i) {
        const DrawItem& item = s.item(i);
        const std::string at = " at item " + std::to_string(i);
        switch (item.Kind) {
        case kAtomItem:
            if (!inRange(item.Index, c.atoms)) return fail("atom item out of range" + at);
            ++atomItems[static_cast<std::size_t>(item.Index)];
            break;
        case kBondItem:
            if (!inRange(item.Index, c.bonds)) return fail("bond item out of range" + at);
            ++bondItems[static_cast<std::size_t>(item.Index)];
            break;
        case kRingItem:
            if (!inRange(item.Index, c.rings)) return fail("ring item out of range" + at);
            ++ringItems[static_cast<std::size_t>(item.Index)];
            break;
        case kNitroItem:
            if (!inRange(item.Index, c.bonds)) return fail("nitro item out of range" + at);
            nitrogens.push_back(s.bond(item.Index).AtomB);
            break;
        default:
            return fail("item of kind " + std::to_string(item.Kind) + at);
        }
    }
    auto isNitrogen = [&](int a) {
        return std::find(nitrogens.begin(), nitrogens.end(), a) != nitrogens.end();
    };
    auto hiddenAtom = [&](int a) { return isNitrogen(a) || s.atom(a).NitroOxygen == 1; };
    for (int a = 1; a <= c.atoms; ++a) {
        const Atom& atom = s.atom(a);
        if (atom.Hydrogens < 0) return fail("negative hydrogens on atom " + std::to_string(a));
        if (atomItems[static_cast<std::size_t>(a)] != (hiddenAtom(a) ? 0 : 1))
            return fail("wrong number of items for atom " + std::to_string(a));
    }
    for (int b = 1; b <= c.bonds; ++b) {
        const Bond& bond = s.bond(b);
        const std::string which = " of bond " + std::to_string(b);
        if (!inRange(bond.AtomA, c.atoms) || !inRange(bond.AtomB, c.atoms))
            return fail("atom out of range" + which);
        const Atom& a = s.atom(bond.AtomA);
        const Atom& z = s.atom(bond.AtomB);
        if (bond.X1 != a.X || bond.Y1 != a.Y || bond.X2 != z.X || bond.Y2 != z.Y)
            return fail("end points off their atoms" + which);
        const bool hidden = hiddenAtom(bond.AtomA) && hiddenAtom(bond.AtomB);
        if (bondItems[static_cast<std::size_t>(b)] != (hidden ? 0 : 1))
            return fail("wrong number of items" + which);
        if (bond.RingState == 2) {
            if (!inRange(bond.RingX, c.rings)) return fail("ring row out of range" + which);
            const auto& ringAtoms = s.ring(bond.RingX).Atoms;
            for (const int end : {bond.AtomA, bond.AtomB})
                if (std::find(ringAtoms.begin(), ringAtoms.end(), end) == ringAtoms.end())
                    return fail("aromatic bond outside its ring" + which);
        }
    }
    for (int r = 1; r <= c.rings; ++r) {
        for (const int a : s.ring(r).Atoms)
            if (!inRange(a, c.atoms))
                return fail("ring " + std::to_string(r) + " names atom out of range");
        if (ringItems[static_cast<std::size_t>(r)] != 1)
            return fail("wrong number of circles for ring " + std::to_string(r));
    }
    return ::testing::AssertionSuccess();
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
