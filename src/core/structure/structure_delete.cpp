#include "structure/structure_delete.h"

#include <algorithm>
#include <cstdlib>

#include "structure/hydrogens.h"
#include "structure/structure.h"

namespace qzx {

namespace {

using Flags = std::vector<char>;

bool inRange(int row, int count) {
    return row >= 1 && row <= count;
}

/// Moves the kept rows 1..count down over the dropped ones, zeroes the rows it vacates and
/// returns the new row of every old row (0 for a dropped one).
template <typename Row>
std::vector<int> compactTable(std::vector<Row>& table, int& count, const Flags& drop) {
    std::vector<int> newRow(static_cast<std::size_t>(count) + 1, 0);
    int kept = 0;
    for (int row = 1; row <= count; ++row) {
        if (drop[static_cast<std::size_t>(row)]) continue;
        newRow[static_cast<std::size_t>(row)] = ++kept;
        if (kept != row)
            table[static_cast<std::size_t>(kept)] = table[static_cast<std::size_t>(row)];
    }
    for (int row = kept + 1; row <= count; ++row)
        table[static_cast<std::size_t>(row)] = Row{};
    count = kept;
    return newRow;
}

int mapped(const std::vector<int>& newRow, int oldRow) {
    return oldRow >= 1 && oldRow < static_cast<int>(newRow.size())
               ? newRow[static_cast<std::size_t>(oldRow)]
               : 0;
}

/// Writes the draw list in canonical order: every atom, every bond, every aromatic ring, then
/// one label per nitro group. A nitro group's nitrogen, its hidden oxygens and the two bonds
/// between them get no item of their own.
void rebuildDrawList(Structure& s, const std::vector<int>& nitroLeadBonds) {
    Flags hiddenAtom(static_cast<std::size_t>(s.count.atoms) + 1, 0);
    for (int row = 1; row <= s.count.atoms; ++row)
        hiddenAtom[static_cast<std::size_t>(row)] = s.atom(row).NitroOxygen == 1;
    for (const int lead : nitroLeadBonds) {
        const int nitrogen = s.bond(lead).AtomB;
        if (inRange(nitrogen, s.count.atoms)) hiddenAtom[static_cast<std::size_t>(nitrogen)] = 1;
    }
    auto isHidden = [&](int atom) {
        return inRange(atom, s.count.atoms) && hiddenAtom[static_cast<std::size_t>(atom)];
    };

    const int oldItems = s.count.drawItems;
    s.count.drawItems = 0;
    auto add = [&](std::int32_t kind, int index) {
        if (s.count.drawItems < kMaxDrawItems) s.appendItem(kind, index);
    };
    for (int row = 1; row <= s.count.atoms; ++row)
        if (!hiddenAtom[static_cast<std::size_t>(row)]) add(kAtomItem, row);
    for (int row = 1; row <= s.count.bonds; ++row) {
        const Bond& bond = s.bond(row);
        const bool nitroOxygenBond = (isHidden(bond.AtomA) && isHidden(bond.AtomB));
        if (!nitroOxygenBond) add(kBondItem, row);
    }
    for (int row = 1; row <= s.count.rings; ++row)
        add(kRingItem, row);
    for (const int lead : nitroLeadBonds)
        add(kNitroItem, lead);
    for (int row = s.count.drawItems + 1; row <= oldItems; ++row)
        s.item(row) = DrawItem{};
}

/// Drops the flagged rows of the atom, bond and ring tables, renumbers every reference to
/// them, rebuilds the draw list and leaves nothing to undo: the old row numbers that the
/// saved counters and the undo record speak of no longer exist.
void compactAndRebuild(Structure& s, const Flags& dropAtom, const Flags& dropBond,
                       const Flags& dropRing, const std::vector<int>& nitroLeadBonds) {
    const std::vector<int> bondRow = compactTable(s.Tax, s.count.bonds, dropBond);
    const std::vector<int> atomRow = compactTable(s.Lax, s.count.atoms, dropAtom);
    const std::vector<int> ringRow = compactTable(s.Rax, s.count.rings, dropRing);

    for (int row = 1; row <= s.count.bonds; ++row) {
        Bond& bond = s.bond(row);
        bond.AtomA = mapped(atomRow, bond.AtomA);
        bond.AtomB = mapped(atomRow, bond.AtomB);
        if (bond.RingState == 2) bond.RingX = mapped(ringRow, bond.RingX);
    }
    for (int row = 1; row <= s.count.rings; ++row)
        for (std::int32_t& atom : s.ring(row).Atoms)
            atom = mapped(atomRow, atom);

    std::vector<int> leads;
    for (const int lead : nitroLeadBonds)
        if (const int row = mapped(bondRow, lead); row != 0) leads.push_back(row);
    rebuildDrawList(s, leads);

    s.saved = s.count;
    s.undo = UndoRecord{};
    s.deAromatisedBonds.clear();
}

bool ringHoldsBoth(const AromaticRing& ring, int a, int b) {
    const auto holds = [&](int atom) {
        return std::find(ring.Atoms.begin(), ring.Atoms.end(), atom) != ring.Atoms.end();
    };
    return holds(a) && holds(b);
}

} // namespace

void deleteSelectedAtoms(Structure& s, const ElementTable& elements) {
    const int atoms = s.count.atoms;
    const int bonds = s.count.bonds;
    const int rings = s.count.rings;

    Flags selected(static_cast<std::size_t>(atoms) + 1, 0);
    for (const int row : s.SelectionList)
        if (inRange(row, atoms)) selected[static_cast<std::size_t>(row)] = 1;
    s.SelectionList.clear();

    // A nitro group goes as a whole, with its nitrogen or with the atom carrying it: without
    // its drawn bond it would stay counted but invisible and beyond editing. Its oxygens
    // share a hidden position, so selecting only them leaves the group as it is.
    const std::vector<NitroGroup> groups = findNitroGroups(s);
    std::vector<char> groupGone(groups.size(), 0);
    for (std::size_t g = 0; g < groups.size(); ++g) {
        const Bond& lead = s.bond(groups[g].leadBond);
        for (const int end : {lead.AtomA, lead.AtomB})
            if (inRange(end, atoms) && selected[static_cast<std::size_t>(end)]) groupGone[g] = 1;
    }
    for (std::size_t g = 0; g < groups.size(); ++g) {
        const NitroGroup& group = groups[g];
        for (const int oxygen : group.oxygens)
            selected[static_cast<std::size_t>(oxygen)] = groupGone[g];
        if (groupGone[g] && inRange(group.nitrogen, atoms))
            selected[static_cast<std::size_t>(group.nitrogen)] = 1;
    }
    if (std::none_of(selected.begin(), selected.end(), [](char c) { return c != 0; })) return;
    auto isSelected = [&](int atom) {
        return inRange(atom, atoms) && selected[static_cast<std::size_t>(atom)];
    };

    // 1. Every bond touching a selected atom.
    Flags collected(static_cast<std::size_t>(bonds) + 1, 0);
    for (int row = 1; row <= bonds; ++row) {
        const Bond& bond = s.bond(row);
        collected[static_cast<std::size_t>(row)] = isSelected(bond.AtomA) || isSelected(bond.AtomB);
    }

    // 2. Rings broken by a collected aromatic bond or a selected atom lose their circle; a
    // ring row without a circle item is not kept either.
    Flags ringGone(static_cast<std::size_t>(rings) + 1, 1);
    for (int item = 1; item <= s.count.drawItems; ++item)
        if (s.item(item).Kind == kRingItem && inRange(s.item(item).Index, rings))
            ringGone[static_cast<std::size_t>(s.item(item).Index)] = 0;
    for (int row = 1; row <= bonds; ++row) {
        const Bond& bond = s.bond(row);
        if (collected[static_cast<std::size_t>(row)] && bond.RingState == 2 &&
            inRange(bond.RingX, rings))
            ringGone[static_cast<std::size_t>(bond.RingX)] = 1;
    }
    for (int row = 1; row <= rings; ++row)
        for (const int atom : s.ring(row).Atoms)
            if (isSelected(atom)) ringGone[static_cast<std::size_t>(row)] = 1;

    std::vector<int> nitroLeads;
    for (std::size_t g = 0; g < groups.size(); ++g)
        if (!groupGone[g] && !collected[static_cast<std::size_t>(groups[g].leadBond)])
            nitroLeads.push_back(groups[g].leadBond);

    // 3. An aromatic bond stays aromatic while a surviving ring holds both its atoms, and then
    // names that ring; otherwise it becomes a plain single bond.
    auto survivingRingOf = [&](const Bond& bond) {
        if (inRange(bond.RingX, rings) && !ringGone[static_cast<std::size_t>(bond.RingX)] &&
            ringHoldsBoth(s.ring(bond.RingX), bond.AtomA, bond.AtomB))
            return static_cast<int>(bond.RingX);
        for (int row = 1; row <= rings; ++row)
            if (!ringGone[static_cast<std::size_t>(row)] &&
                ringHoldsBoth(s.ring(row), bond.AtomA, bond.AtomB))
                return row;
        return 0;
    };
    for (int row = 1; row <= bonds; ++row) {
        Bond& bond = s.bond(row);
        if (collected[static_cast<std::size_t>(row)] || bond.RingState != 2) continue;
        if (const int ring = survivingRingOf(bond); ring != 0) {
            bond.RingX = ring;
        } else {
            bond.Order = 1;
            bond.RingState = 0;
            bond.RingX = 0;
            bond.RingY = 0;
        }
    }

    // 4 and 5. Compact, renumber, canonical draw list, saved counters.
    compactAndRebuild(s, selected, collected, ringGone, nitroLeads);

    // 6.
    recomputeHydrogens(s, elements, HydrogenRounding::Up, s.count.atoms, s.count.bonds);
}

std::vector<int> reducibleBonds(const Structure& s) {
    Flags nitroBond(static_cast<std::size_t>(s.count.bonds) + 1, 0);
    for (const NitroGroup& group : findNitroGroups(s)) {
        nitroBond[static_cast<std::size_t>(group.leadBond)] = 1;
        for (const int row : group.oxygenBonds)
            nitroBond[static_cast<std::size_t>(row)] = 1;
    }
    std::vector<int> rows;
    for (int row = 1; row <= s.count.bonds; ++row) {
        const int state = s.bond(row).RingState;
        if ((state == 0 || state == 1) && !nitroBond[static_cast<std::size_t>(row)])
            rows.push_back(row);
    }
    return rows;
}

int nearestReducibleBond(const Structure& s, int x, int y) {
    int best = 0;
    long bestDistance = 0;
    for (const int row : reducibleBonds(s)) {
        const Bond& bond = s.bond(row);
        const long midX = (static_cast<long>(bond.X1) + bond.X2) / 2;
        const long midY = (static_cast<long>(bond.Y1) + bond.Y2) / 2;
        const long distance = std::labs(midX - x) + std::labs(midY - y);
        if (best == 0 || distance < bestDistance) {
            best = row;
            bestDistance = distance;
        }
    }
    return best;
}

void reduceBond(Structure& s, int bondRow) {
    const std::vector<int> candidates = reducibleBonds(s);
    if (std::find(candidates.begin(), candidates.end(), bondRow) == candidates.end()) return;

    Bond& bond = s.bond(bondRow);
    for (const int end : {bond.AtomA, bond.AtomB})
        if (inRange(end, s.count.atoms)) s.atom(end).Hydrogens += 1;
    if (bond.Order > 1) {
        --bond.Order;
        return;
    }

    Flags dropBond(static_cast<std::size_t>(s.count.bonds) + 1, 0);
    dropBond[static_cast<std::size_t>(bondRow)] = 1;
    std::vector<int> nitroLeads;
    for (const NitroGroup& group : findNitroGroups(s))
        nitroLeads.push_back(group.leadBond);
    compactAndRebuild(s, Flags(static_cast<std::size_t>(s.count.atoms) + 1, 0), dropBond,
                      Flags(static_cast<std::size_t>(s.count.rings) + 1, 0), nitroLeads);
}

} // namespace qzx
