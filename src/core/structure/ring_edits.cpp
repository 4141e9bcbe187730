#include "structure/ring_edits.h"

#include <cstdlib>

#include "structure/editor_tools.h"
#include "structure/hydrogens.h"
#include "structure/structure.h"
#include "util/rounding.h"

namespace qzx {
namespace {

/// A benzene circle is this fraction of the ring bond length (5/7).
constexpr double kBenzeneRadiusFactor = 0.7142857142857143;

int oneAndAHalf(int ringBondLength) {
    return static_cast<int>(Round(1.5 * ringBondLength));
}

Bond ringBond(PixelPoint from, PixelPoint to, int atomA, int atomB, bool benzene, PixelPoint centre,
              int ringRow) {
    Bond b = makeBondRow(from, to, benzene ? 2 : 1, atomA, atomB);
    b.RingState = benzene ? 2 : 1;
    b.RingX = benzene ? ringRow : centre.x;
    b.RingY = benzene ? 0 : centre.y;
    return b;
}

int appendRingCarbon(Structure& s, PixelPoint at, bool benzene, bool showAllAtoms) {
    Atom a;
    a.Element = kCarbon;
    a.X = at.x;
    a.Y = at.y;
    a.Hydrogens = benzene ? 1 : 2;
    a.LabelShown = showAllAtoms ? 1 : 0;
    a.RingState = benzene ? 2 : 1;
    const int row = s.appendAtom(a);
    s.appendItem(kAtomItem, row);
    return row;
}

int appendRingRow(Structure& s, const std::vector<int>& atoms, PixelPoint centre,
                  int ringBondLength) {
    AromaticRing r;
    for (std::size_t i = 0; i < r.Atoms.size() && i < atoms.size(); ++i)
        r.Atoms[i] = atoms[i];
    r.CentreX = centre.x;
    r.CentreY = centre.y;
    r.Radius = benzeneCircleRadius(ringBondLength);
    const int row = s.appendRing(r);
    s.appendItem(kRingItem, row);
    return row;
}

/// The first atom row lying exactly at `p`, or 0.
int atomAt(const Structure& s, PixelPoint p) {
    for (int row = 1; row <= s.count.atoms; ++row)
        if (s.atom(row).X == p.x && s.atom(row).Y == p.y) return row;
    return 0;
}

/// What a shared atom or bond looked like before the fusion, for the roll-back.
struct SharedAtom {
    int row;
    int ringState;
    int labelShown;
};
struct SharedBond {
    int row;
    int ringState;
    int order;
    int ringX;
};

} // namespace

std::vector<PixelPoint> ringTemplate(int tool, PixelPoint anchor, int L) {
    const int x = anchor.x;
    const int y = anchor.y;
    switch (tool) {
    case kToolCyclohexane:
    case kToolBenzene:
        return {{x, y},         {x - L, y + L},     {x - L, y + 2 * L},
                {x, y + 3 * L}, {x + L, y + 2 * L}, {x + L, y + L}};
    case kToolCyclohexaneLying:
    case kToolBenzeneLying:
        return {{x, y},         {x + L, y + L},     {x + 2 * L, y + L},
                {x + 3 * L, y}, {x + 2 * L, y - L}, {x + L, y - L}};
    case kToolCyclopentaneApexUp:
        return {{x, y}, {x, y + L}, {x + 2 * L, y + L}, {x + 2 * L, y}, {x + L, y - L}};
    case kToolCyclopentaneApexDown:
        return {{x, y}, {x, y + L}, {x + L, y + 2 * L}, {x + 2 * L, y + L}, {x + 2 * L, y}};
    default:
        return {};
    }
}

PixelPoint ringCentre(int tool, PixelPoint anchor, int L) {
    switch (tool) {
    case kToolCyclohexane:
    case kToolBenzene:
        return {anchor.x, anchor.y + oneAndAHalf(L)};
    case kToolCyclohexaneLying:
    case kToolBenzeneLying:
        return {anchor.x + oneAndAHalf(L), anchor.y};
    case kToolCyclopentaneApexUp:
        return {anchor.x + L, anchor.y};
    case kToolCyclopentaneApexDown:
        return {anchor.x + L, anchor.y + L};
    default:
        return anchor;
    }
}

int benzeneCircleRadius(int ringBondLength) {
    return static_cast<int>(Round(ringBondLength * kBenzeneRadiusFactor));
}

RingResult placeFreeRing(Structure& s, int tool, PixelPoint anchor, int L, bool showAllAtoms) {
    const std::vector<PixelPoint> vertices = ringTemplate(tool, anchor, L);
    const int n = static_cast<int>(vertices.size());
    const bool benzene = isBenzeneTool(tool);
    const int rings = benzene ? 1 : 0;
    if (n == 0 || !s.hasRoomFor({2 * n + rings, n, n, rings})) return RingResult::NoRoom;

    const PixelPoint centre = ringCentre(tool, anchor, L);
    const int first = s.count.atoms;
    const int ringRow = s.count.rings + 1;
    for (int i = 0; i < n; ++i) {
        const int next = (i + 1) % n;
        const int row = s.appendBond(ringBond(vertices[i], vertices[next], first + 1 + i,
                                              first + 1 + next, benzene, centre, ringRow));
        s.appendItem(kBondItem, row);
    }
    if (benzene) {
        std::vector<int> atoms;
        for (int i = 1; i <= n; ++i)
            atoms.push_back(first + i);
        appendRingRow(s, atoms, centre, L);
    }
    for (const PixelPoint& v : vertices)
        appendRingCarbon(s, v, benzene, showAllAtoms);
    return RingResult::Added;
}

RingResult fuseRing(Structure& s, int tool, PixelPoint anchor, int L, bool showAllAtoms) {
    std::vector<PixelPoint> vertices = ringTemplate(tool, anchor, L);
    const int n = static_cast<int>(vertices.size());
    const bool benzene = isBenzeneTool(tool);
    if (n == 0 || s.empty()) return RingResult::NoRoom;

    // The closest pair of an existing atom and a template vertex; the first one on ties.
    int pairAtom = 0;
    int pairVertex = 0;
    long best = -1;
    for (int row = 1; row <= s.count.atoms; ++row) {
        for (int v = 0; v < n; ++v) {
            const long d = std::labs(static_cast<long>(s.atom(row).X) - vertices[v].x) +
                           std::labs(static_cast<long>(s.atom(row).Y) - vertices[v].y);
            if (best < 0 || d < best) {
                best = d;
                pairAtom = row;
                pairVertex = v;
            }
        }
    }
    // A benzene ring may share an atom only with a ring or a chain end.
    if (benzene && s.atom(pairAtom).RingState == 0 && s.atom(pairAtom).Hydrogens < 3)
        return RingResult::SharedAtomRefused;

    const int dx = s.atom(pairAtom).X - vertices[pairVertex].x;
    const int dy = s.atom(pairAtom).Y - vertices[pairVertex].y;
    for (PixelPoint& v : vertices)
        v = {v.x + dx, v.y + dy};
    const PixelPoint centre0 = ringCentre(tool, anchor, L);
    const PixelPoint centre{centre0.x + dx, centre0.y + dy};

    // Plan first, so that a full table refuses before anything changes.
    std::vector<int> vertexAtom(static_cast<std::size_t>(n));
    std::vector<int> edgeBond(static_cast<std::size_t>(n), 0);
    int newAtoms = 0;
    for (int v = 0; v < n; ++v) {
        vertexAtom[v] = atomAt(s, vertices[v]);
        newAtoms += vertexAtom[v] == 0 ? 1 : 0;
    }
    int newBonds = 0;
    for (int e = 0; e < n; ++e) {
        const int a = vertexAtom[e];
        const int b = vertexAtom[(e + 1) % n];
        edgeBond[e] = (a != 0 && b != 0) ? s.bondBetween(a, b) : 0;
        newBonds += edgeBond[e] == 0 ? 1 : 0;
    }
    const int rings = benzene ? 1 : 0;
    if (!s.hasRoomFor({newAtoms + newBonds + rings, newAtoms, newBonds, rings}))
        return RingResult::NoRoom;

    const TableCounts before = s.count;
    const int ringRow = s.count.rings + 1;
    std::vector<SharedAtom> sharedAtoms;
    for (int v = 0; v < n; ++v) {
        if (vertexAtom[v] == 0) {
            vertexAtom[v] = appendRingCarbon(s, vertices[v], benzene, showAllAtoms);
            continue;
        }
        Atom& a = s.atom(vertexAtom[v]);
        sharedAtoms.push_back({vertexAtom[v], a.RingState, a.LabelShown});
        a.SavedHydrogens = a.Hydrogens;
        a.RingState = benzene ? 2 : 1;
        if (a.Element == kCarbon && !showAllAtoms) a.LabelShown = 0;
    }
    std::vector<SharedBond> sharedBonds;
    std::vector<int> newBondRows;
    for (int e = 0; e < n; ++e) {
        const int next = (e + 1) % n;
        if (edgeBond[e] != 0) {
            Bond& b = s.bond(edgeBond[e]);
            sharedBonds.push_back({edgeBond[e], b.RingState, b.Order, b.RingX});
            if (benzene && b.RingState != 2) {
                b.RingState = 2;
                b.Order = 2;
                b.RingX = ringRow;
            }
            continue;
        }
        const int row = s.appendBond(ringBond(vertices[e], vertices[next], vertexAtom[e],
                                              vertexAtom[next], benzene, centre, ringRow));
        s.appendItem(kBondItem, row);
        newBondRows.push_back(row);
    }

    bool exhausted = false;
    for (const SharedAtom& shared : sharedAtoms) {
        Atom& a = s.atom(shared.row);
        for (int row : newBondRows)
            if (s.bond(row).AtomA == shared.row || s.bond(row).AtomB == shared.row) --a.Hydrogens;
        exhausted = exhausted || a.Hydrogens < 0;
    }
    if (exhausted) {
        for (const SharedAtom& shared : sharedAtoms) {
            Atom& a = s.atom(shared.row);
            a.Hydrogens = a.SavedHydrogens;
            a.RingState = shared.ringState;
            a.LabelShown = shared.labelShown;
        }
        for (const SharedBond& shared : sharedBonds) {
            Bond& b = s.bond(shared.row);
            b.RingState = shared.ringState;
            b.Order = shared.order;
            b.RingX = shared.ringX;
        }
        s.count = before;
        return RingResult::HydrogensExhausted;
    }

    if (benzene) {
        for (const SharedAtom& shared : sharedAtoms)
            s.atom(shared.row).Hydrogens = 0;
        appendRingRow(s, vertexAtom, centre, L);
    }
    return RingResult::Added;
}

} // namespace qzx
