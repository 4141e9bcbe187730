#include "structure/selection_edits.h"

#include <algorithm>
#include <vector>

#include "structure/hydrogens.h"
#include "structure/structure.h"
#include "util/rounding.h"

namespace qzx {
namespace {

bool selected(const std::vector<char>& flags, int row) {
    return row >= 0 && row < static_cast<int>(flags.size()) && flags[static_cast<std::size_t>(row)];
}

} // namespace

PixelRect orderedRect(PixelPoint a, PixelPoint b) {
    return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

bool strictlyInside(const PixelRect& r, PixelPoint p) {
    return r.left < p.x && p.x < r.right && r.top < p.y && p.y < r.bottom;
}

bool selectAtomsInside(Structure& s, const PixelRect& r) {
    s.SelectionList.clear();
    for (int row = 1; row <= s.count.atoms; ++row)
        if (strictlyInside(r, {s.atom(row).X, s.atom(row).Y})) s.SelectionList.push_back(row);
    if (static_cast<int>(s.SelectionList.size()) <= kMaxSelectedAtoms) return true;
    s.SelectionList.clear();
    return false;
}

void moveSelectedAtoms(Structure& s, int dx, int dy, int ringBondLength) {
    std::vector<char> flags(static_cast<std::size_t>(s.count.atoms) + 1, 0);
    for (int row : s.SelectionList)
        if (row >= 1 && row <= s.count.atoms) flags[static_cast<std::size_t>(row)] = 1;

    // Aromatic ring centres are found from the atom positions before anything moves.
    const int half = static_cast<int>(Round(1.5 * ringBondLength));
    std::vector<int> movedRings;
    for (int ring = 1; ring <= s.count.rings; ++ring) {
        const AromaticRing& r = s.ring(ring);
        for (int row = 1; row <= s.count.atoms; ++row) {
            if (!flags[static_cast<std::size_t>(row)]) continue;
            const Atom& a = s.atom(row);
            const bool top = a.X == r.CentreX && a.Y == r.CentreY - half;
            const bool left = a.X == r.CentreX - half && a.Y == r.CentreY;
            if (top || left) {
                movedRings.push_back(ring);
                break;
            }
        }
    }
    for (int ring : movedRings) {
        s.ring(ring).CentreX += dx;
        s.ring(ring).CentreY += dy;
    }

    for (int row = 1; row <= s.count.bonds; ++row) {
        Bond& b = s.bond(row);
        const bool onA = selected(flags, b.AtomA);
        const bool onB = selected(flags, b.AtomB);
        if (onA) {
            b.X1 += dx;
            b.Y1 += dy;
        }
        if (onB) {
            b.X2 += dx;
            b.Y2 += dy;
        }
        if ((onA || onB) && b.RingState == 1) {
            b.RingX += dx;
            b.RingY += dy;
        }
    }
    for (int row = 1; row <= s.count.atoms; ++row) {
        if (flags[static_cast<std::size_t>(row)]) {
            s.atom(row).X += dx;
            s.atom(row).Y += dy;
        }
    }
}

void hideSelectedCarbonLabels(Structure& s) {
    for (int row : s.SelectionList)
        if (row >= 1 && row <= s.count.atoms && s.atom(row).Element == kCarbon)
            s.atom(row).LabelShown = 0;
}

void showSelectedLabels(Structure& s) {
    for (int row : s.SelectionList)
        if (row >= 1 && row <= s.count.atoms && !isNitroAtom(s, row)) s.atom(row).LabelShown = 1;
}

void applyShowAllAtoms(Structure& s, bool on) {
    for (int row = 1; row <= s.count.atoms; ++row) {
        Atom& a = s.atom(row);
        if (on && !isNitroAtom(s, row))
            a.LabelShown = 1;
        else if (!on && a.Element == kCarbon && a.RingState >= 1)
            a.LabelShown = 0;
    }
}

} // namespace qzx
