#include "structure/hydrogens.h"

#include <algorithm>
#include <vector>

#include "chem/element_table.h"
#include "structure/structure.h"
#include "util/rounding.h"

namespace qzx {

namespace {

bool validElement(int element) {
    return element >= 1 && element <= kElementCount;
}

int valenceOf(const ElementTable& elements, int element) {
    return validElement(element) ? elements[element].Valence : 0;
}

} // namespace

void recomputeHydrogens(Structure& structure, const ElementTable& elements,
                        HydrogenRounding rounding, int atomLimit, int bondLimit) {
    atomLimit = std::clamp(atomLimit, 0, kMaxAtoms);
    bondLimit = std::clamp(bondLimit, 0, kMaxBonds);

    // Bond weights in half units, so that the aromatic 1.5 stays exact.
    std::vector<int> halfBonds(static_cast<std::size_t>(atomLimit) + 1, 0);
    for (int row = 1; row <= bondLimit; ++row) {
        const Bond& bond = structure.bond(row);
        const int weight = bond.RingState == 2 ? 3 : 2 * bond.Order;
        for (const int end : {bond.AtomA, bond.AtomB})
            if (end >= 1 && end <= atomLimit) halfBonds[static_cast<std::size_t>(end)] += weight;
    }

    for (int row = 1; row <= atomLimit; ++row) {
        Atom& atom = structure.atom(row);
        const int halfHydrogens =
            2 * valenceOf(elements, atom.Element) - halfBonds[static_cast<std::size_t>(row)];
        int hydrogens = 0;
        if (rounding == HydrogenRounding::Up)
            hydrogens = halfHydrogens > 0 ? (halfHydrogens + 1) / 2 : 0;
        else
            hydrogens = static_cast<int>(Round(halfHydrogens * 0.5));
        atom.Hydrogens = std::max(hydrogens, 0);
    }
    markChainEnds(structure, atomLimit, rounding == HydrogenRounding::NearestEven);
}

void markChainEnds(Structure& structure, int atomLimit, bool clearReserved) {
    atomLimit = std::clamp(atomLimit, 0, kMaxAtoms);
    for (int row = 1; row <= atomLimit; ++row) {
        Atom& atom = structure.atom(row);
        if (atom.Element != kCarbon || atom.Hydrogens != 3) continue;
        atom.RingState = 0;
        atom.LabelShown = 1;
        if (clearReserved) atom.Reserved8 = 0;
    }
}

bool changeElement(Structure& structure, const ElementTable& elements, int atomRow, int element,
                   bool showAllAtoms) {
    if (atomRow < 1 || atomRow > structure.count.atoms || !validElement(element)) return false;
    if (isNitroAtom(structure, atomRow)) return false;
    Atom& atom = structure.atom(atomRow);
    const int bondsInUse = valenceOf(elements, atom.Element) - atom.Hydrogens;
    const int hydrogens = valenceOf(elements, element) - bondsInUse;
    if (hydrogens < 0) return false;

    atom.Element = element;
    atom.Hydrogens = hydrogens;
    const bool hideLabel = element == kCarbon && atom.RingState >= 1 && !showAllAtoms;
    atom.LabelShown = hideLabel ? 0 : 1;
    return true;
}

void completeNitroGroup(Structure& structure, int leadBond, int nitrogen) {
    structure.appendItem(kNitroItem, leadBond);
    const Atom& n = structure.atom(nitrogen);
    const int x = n.X;
    const int y = n.Y;
    for (int i = 0; i < 2; ++i) {
        Atom oxygen;
        oxygen.Element = kOxygen;
        oxygen.X = x + kNitroOxygenOffset;
        oxygen.Y = y;
        oxygen.NitroOxygen = 1;
        const int row = structure.appendAtom(oxygen);
        structure.appendBond(makeBondRow({x, y}, {oxygen.X, oxygen.Y}, 2, nitrogen, row));
    }
}

std::vector<NitroGroup> findNitroGroups(const Structure& structure) {
    std::vector<NitroGroup> groups;
    for (int item = 1; item <= structure.count.drawItems; ++item) {
        const DrawItem& label = structure.item(item);
        if (label.Kind != kNitroItem || label.Index < 1 || label.Index > structure.count.bonds)
            continue;
        NitroGroup group;
        group.labelItem = item;
        group.leadBond = label.Index;
        group.nitrogen = structure.bond(label.Index).AtomB;
        for (int row = 1; row <= structure.count.bonds; ++row) {
            const Bond& bond = structure.bond(row);
            int other = 0;
            if (bond.AtomA == group.nitrogen)
                other = bond.AtomB;
            else if (bond.AtomB == group.nitrogen)
                other = bond.AtomA;
            if (other < 1 || other > structure.count.atoms) continue;
            if (structure.atom(other).NitroOxygen != 1) continue;
            group.oxygens.push_back(other);
            group.oxygenBonds.push_back(row);
        }
        groups.push_back(std::move(group));
    }
    return groups;
}

bool isNitroAtom(const Structure& structure, int atomRow) {
    if (atomRow < 1 || atomRow > structure.count.atoms) return false;
    if (structure.atom(atomRow).NitroOxygen == 1) return true;
    for (int item = 1; item <= structure.count.drawItems; ++item) {
        const DrawItem& label = structure.item(item);
        if (label.Kind == kNitroItem && label.Index >= 1 && label.Index <= structure.count.bonds &&
            structure.bond(label.Index).AtomB == atomRow)
            return true;
    }
    return false;
}

} // namespace qzx
