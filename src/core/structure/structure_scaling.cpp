#include "structure/structure_scaling.h"

#include <algorithm>

#include "structure/structure.h"
#include "util/rounding.h"

namespace qzx {

void rescaleAboutFirstAtom(Structure& structure, double ratio) {
    if (structure.count.atoms < 1) return;
    const double x0 = structure.atom(1).X;
    const double y0 = structure.atom(1).Y;
    const auto scaled = [ratio](double origin, std::int32_t value) {
        const auto moved = Round(origin + (value - origin) * ratio);
        return static_cast<std::int32_t>(
            std::clamp<std::int64_t>(moved, -kCoordinateReach, kCoordinateReach));
    };
    for (int a = 1; a <= structure.count.atoms; ++a) {
        Atom& atom = structure.atom(a);
        atom.X = scaled(x0, atom.X);
        atom.Y = scaled(y0, atom.Y);
    }
    for (int b = 1; b <= structure.count.bonds; ++b) {
        Bond& bond = structure.bond(b);
        bond.X1 = scaled(x0, bond.X1);
        bond.Y1 = scaled(y0, bond.Y1);
        bond.X2 = scaled(x0, bond.X2);
        bond.Y2 = scaled(y0, bond.Y2);
        if (bond.RingState == 1) { // the ring's centre; aromatic bonds hold a ring row there
            bond.RingX = scaled(x0, bond.RingX);
            bond.RingY = scaled(y0, bond.RingY);
        }
    }
    for (int r = 1; r <= structure.count.rings; ++r) {
        AromaticRing& ring = structure.ring(r);
        ring.CentreX = scaled(x0, ring.CentreX);
        ring.CentreY = scaled(y0, ring.CentreY);
        ring.Radius = scaled(0.0, ring.Radius);
    }
}

} // namespace qzx
