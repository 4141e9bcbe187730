#include "structure/bond_edits.h"

#include <cmath>
#include <cstdlib>

#include "chem/element_table.h"
#include "structure/editor_tools.h"
#include "structure/hydrogens.h"
#include "structure/structure.h"
#include "structure/undo.h"
#include "util/rounding.h"

namespace qzx {
namespace {

/// Press and release closer than this in both directions make a click.
constexpr int kClickLimit = 8;
/// A bond ends on the atom nearest to the release within this Manhattan distance, and a new
/// atom lines up with that atom on each axis that differs by less than this.
constexpr int kSnapLimit = 10;
/// Sideways step of a chain's zigzag, in pixels.
constexpr int kZigzag = 5;

constexpr int kSulfur = 5;
constexpr int kChlorine = 6;
constexpr int kFluorine = 7;
constexpr int kBromine = 8;
constexpr int kIodine = 11;
constexpr int kDeuterium = 12;

int appendBondWithItem(Structure& s, PixelPoint from, PixelPoint to, int order, int atomA,
                       int atomB) {
    const int row = s.appendBond(makeBondRow(from, to, order, atomA, atomB));
    s.appendItem(kBondItem, row);
    return row;
}

Atom chainAtom(int element, PixelPoint at, int hydrogens, int labelShown) {
    Atom a;
    a.Element = element;
    a.X = at.x;
    a.Y = at.y;
    a.Hydrogens = hydrogens;
    a.LabelShown = labelShown;
    return a;
}

BondResult endOnAtom(Structure& s, int tool, int startAtom, int b) {
    const int k = bondOrderOfTool(tool);
    // A bond back onto its own start atom, or a nitro group onto an atom that already exists,
    // would make a loop or a nitrogen without its place; refuse both.
    if (b == startAtom || tool == kToolNitro || s.atom(b).Hydrogens < k) return BondResult::Refused;
    if (const int existing = s.bondBetween(startAtom, b); existing != 0) {
        if (tool != kToolSingleBond) return BondResult::Unchanged;
        Bond& bond = s.bond(existing);
        if (bond.Order >= 3 || bond.RingState == 2) return BondResult::Refused;
        s.undo = {UndoRecord::BondRaised, existing, bond.Order, 0};
        ++bond.Order;
        --s.atom(b).Hydrogens;
        return BondResult::Raised;
    }
    if (!s.hasRoomFor({1, 0, 1, 0})) return BondResult::Refused;
    s.atom(b).Hydrogens -= k;
    appendBondWithItem(s, s.position(startAtom), s.position(b), k, startAtom, b);
    return BondResult::Added;
}

} // namespace

bool isClick(PixelPoint start, PixelPoint end) {
    return std::abs(start.x - end.x) < kClickLimit && std::abs(start.y - end.y) < kClickLimit;
}

ToolAtom toolAtom(int tool) {
    switch (tool) {
    case kToolSingleBond:
        return {kCarbon, 3};
    case kToolDoubleBond:
        return {kCarbon, 2};
    case kToolTripleBond:
        return {kCarbon, 1};
    case kToolHydroxyl:
        return {kOxygen, 1};
    case kToolAmino:
        return {kNitrogen, 2};
    case kToolKeto:
        return {kOxygen, 0};
    case kToolChlorine:
        return {kChlorine, 0};
    case kToolFluorine:
        return {kFluorine, 0};
    case kToolBromine:
        return {kBromine, 0};
    case kToolIodine:
        return {kIodine, 0};
    case kToolSulfhydryl:
        return {kSulfur, 1};
    case kToolDeuterium:
        return {kDeuterium, 0};
    default:
        return {};
    }
}

BondResult finishBond(Structure& s, int tool, int startAtom, PixelPoint release) {
    const PixelPoint start = s.position(startAtom);
    if (isClick(start, release)) return BondResult::Refused;
    const int b = s.nearestAtom(release.x, release.y);
    const PixelPoint near = s.position(b);
    if (std::abs(near.x - release.x) + std::abs(near.y - release.y) < kSnapLimit)
        return endOnAtom(s, tool, startAtom, b);

    PixelPoint end = release;
    if (std::abs(near.x - release.x) < kSnapLimit) end.x = near.x;
    if (std::abs(near.y - release.y) < kSnapLimit) end.y = near.y;
    // Aligned on both axes the end lies on B itself: end the bond there.
    if (end == near) return endOnAtom(s, tool, startAtom, b);

    const int k = bondOrderOfTool(tool);
    const bool nitro = tool == kToolNitro;
    if (!s.hasRoomFor(nitro ? TableCounts{2, 3, 3, 0} : TableCounts{2, 1, 1, 0}))
        return BondResult::Refused;
    // Painting straightens a nearly upright or level multiple bond; its new atom goes where
    // the painted bond ends, while the bond row keeps the points as drawn.
    const PixelPoint atomAt = k >= 2 ? straightenedBondEnd(start, end) : end;
    const int lead = appendBondWithItem(s, start, end, k, startAtom, s.count.atoms + 1);
    if (nitro) {
        // The nitrogen stays hidden: the nitro label item paints it.
        completeNitroGroup(s, lead, s.appendAtom(chainAtom(kNitrogen, atomAt, 0, 0)));
        return BondResult::Added;
    }
    const ToolAtom made = toolAtom(tool);
    const int row = s.appendAtom(chainAtom(made.element, atomAt, made.hydrogens, 1));
    s.appendItem(kAtomItem, row);
    return BondResult::Added;
}

int chainCarbonCount(PixelPoint start, PixelPoint end, int alkBondLength) {
    if (alkBondLength <= 0) return 0;
    const double dx = end.x - start.x;
    const double dy = end.y - start.y;
    return static_cast<int>(Round(std::sqrt(dx * dx + dy * dy)) / alkBondLength);
}

ChainResult buildChain(Structure& s, int startAtom, PixelPoint end, int alkBondLength) {
    const PixelPoint start = s.position(startAtom);
    const int n = chainCarbonCount(start, end, alkBondLength);
    if (n == 0) return ChainResult::TooShort;
    if (!s.hasRoomFor({2 * n, n, n, 0})) return ChainResult::NoRoom;

    const int dx = std::abs(end.x - start.x);
    const int dy = std::abs(end.y - start.y);
    int ox = kZigzag;
    int oy = kZigzag;
    if (dy < dx)
        ox = 0;
    else if (dx < dy)
        oy = 0;
    int previous = startAtom;
    for (int i = n - 1; i >= 0; --i) {
        ox = -ox;
        oy = -oy;
        const float fraction = static_cast<float>(i) / static_cast<float>(n);
        const PixelPoint p{
            static_cast<int>(Round((start.x - end.x) * static_cast<double>(fraction))) + end.x + ox,
            static_cast<int>(Round((start.y - end.y) * static_cast<double>(fraction))) + end.y +
                oy};
        const int row = s.count.atoms + 1;
        appendBondWithItem(s, s.position(previous), p, 1, previous, row);
        s.appendAtom(chainAtom(kCarbon, p, i == 0 ? 3 : 2, 1));
        s.appendItem(kAtomItem, row);
        previous = row;
    }
    return ChainResult::Added;
}

bool placeLoneAtom(Structure& s, const ElementTable& elements, int element, PixelPoint at) {
    if (element < 1 || element > kElementCount || !s.hasRoomFor({1, 1, 0, 0})) return false;
    Atom a = chainAtom(element, at, elements[element].Valence, 1);
    a.RingState = 1;
    s.appendItem(kAtomItem, s.appendAtom(a));
    return true;
}

bool changeAtomElement(Structure& s, const ElementTable& elements, int atomRow, int element,
                       bool showAllAtoms) {
    if (element < 1 || element > kElementCount) return false;
    const UndoRecord oldRecord = s.undo;
    const int oldSavedLabel = s.atom(atomRow).SavedLabelShown;
    recordElementChange(s, atomRow);
    if (changeElement(s, elements, atomRow, element, showAllAtoms)) return true;
    s.undo = oldRecord;
    s.atom(atomRow).SavedLabelShown = oldSavedLabel;
    return false;
}

} // namespace qzx
