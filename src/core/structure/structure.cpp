#include "structure/structure.h"

#include <algorithm>
#include <cstdlib>

namespace qzx {

Structure::Structure()
    : Max(kMaxDrawItems + 1), Lax(kMaxAtoms + 1), Tax(kMaxBonds + 1), Rax(kMaxAromaticRings + 1) {}

void Structure::clear() {
    std::fill(Max.begin(), Max.end(), DrawItem{});
    std::fill(Lax.begin(), Lax.end(), Atom{});
    std::fill(Tax.begin(), Tax.end(), Bond{});
    std::fill(Rax.begin(), Rax.end(), AromaticRing{});
    count = {};
    saved = {};
    SelectionList.clear();
    undo = {};
    deAromatisedBonds.clear();
    StructureLabel.clear();
}

int Structure::nearestAtom(int x, int y) const {
    int best = 1;
    long bestDistance = -1;
    for (int row = 1; row <= count.atoms; ++row) {
        const Atom& a = Lax[static_cast<std::size_t>(row)];
        const long distance =
            std::labs(static_cast<long>(a.X) - x) + std::labs(static_cast<long>(a.Y) - y);
        if (bestDistance < 0 || distance < bestDistance) {
            bestDistance = distance;
            best = row;
        }
    }
    return best;
}

bool Structure::hasRoomFor(const TableCounts& extra) const {
    return count.drawItems + extra.drawItems <= kMaxDrawItems &&
           count.atoms + extra.atoms <= kMaxAtoms && count.bonds + extra.bonds <= kMaxBonds - 1 &&
           count.rings + extra.rings <= kMaxAromaticRings;
}

int Structure::appendItem(std::int32_t kind, std::int32_t index) {
    Max.at(static_cast<std::size_t>(++count.drawItems)) = DrawItem{kind, index};
    return count.drawItems;
}

int Structure::appendAtom(const Atom& atom) {
    Lax.at(static_cast<std::size_t>(++count.atoms)) = atom;
    return count.atoms;
}

int Structure::appendBond(const Bond& bond) {
    Tax.at(static_cast<std::size_t>(++count.bonds)) = bond;
    return count.bonds;
}

int Structure::appendRing(const AromaticRing& ring) {
    Rax.at(static_cast<std::size_t>(++count.rings)) = ring;
    return count.rings;
}

Bond makeBondRow(PixelPoint from, PixelPoint to, int order, int atomA, int atomB) {
    Bond bond;
    bond.X1 = from.x;
    bond.Y1 = from.y;
    bond.X2 = to.x;
    bond.Y2 = to.y;
    bond.Order = order;
    bond.AtomA = atomA;
    bond.AtomB = atomB;
    return bond;
}

int Structure::bondBetween(int a, int b) const {
    for (int row = 1; row <= count.bonds; ++row) {
        const Bond& bond = Tax[static_cast<std::size_t>(row)];
        if ((bond.AtomA == a && bond.AtomB == b) || (bond.AtomA == b && bond.AtomB == a))
            return row;
    }
    return 0;
}

} // namespace qzx
