#include "structure/fragment_cuts.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "chem/element_table.h"
#include "structure/structure.h"

namespace qzx {
namespace {

constexpr int kHydrogen = 2;

PixelPoint pointOf(float x, float y) {
    return {static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y))};
}

/// Adds an atom and its hydrogens to a side.
void addAtom(CutSide& side, int row, const Atom& atom) {
    side.atoms.push_back(row);
    if (atom.Element >= 1 && atom.Element <= kElementCount) ++side.counts[atom.Element];
    if (atom.Hydrogens > 0) side.counts[kHydrogen] += atom.Hydrogens;
}

/// The side's mass (nominal as a whole number, or the single-precision monoisotopic sum, as
/// the status panel sums the whole structure), its mass text and composition.
void finishSide(CutSide& side, const ElementTable& elements, bool accurateMass) {
    std::int64_t nominal = 0;
    float mono = 0.0f;
    for (int element = 1; element <= kElementCount; ++element) {
        const std::int64_t count = side.counts[element];
        if (count <= 0) continue;
        side.composition += " " + elements[element].Symbol + std::to_string(count);
        if (accurateMass)
            mono = static_cast<float>(static_cast<double>(mono) +
                                      static_cast<double>(count) *
                                          static_cast<double>(elements[element].ExactMass));
        else
            nominal += count * elements[element].NominalMass;
    }
    side.mass = accurateMass ? mono : static_cast<float>(nominal);
    side.massText = cutMassText(side.mass, accurateMass);
}

/// Files a line or box in the list: the list empties first without "Multi Fragment"; below
/// ten entries a new one is taken, at ten the last is reused.
CutEntry& fileCut(CutList& cuts, const CutOptions& options) {
    if (!options.multiFragment) cuts.count = 0;
    if (cuts.count < kMaxCuts) ++cuts.count;
    return cuts.entries[static_cast<std::size_t>(cuts.count - 1)];
}

template <class InSideA>
void classify(CutOutcome& out, const Structure& structure, InSideA inSideA) {
    for (int row = 1; row <= structure.count.atoms; ++row) {
        const Atom& atom = structure.atom(row);
        addAtom(inSideA(PixelPoint{atom.X, atom.Y}) ? out.sideA : out.sideB, row, atom);
    }
}

std::string withComposition(const CutSide& side) {
    return side.massText + "  (" + side.composition + ")";
}

void lineCut(CutOutcome& out, CutEntry& entry, const Structure& structure,
             const ElementTable& elements, const CutOptions& options) {
    out.redrawFirst = !options.multiFragment;
    out.from = pointOf(entry.x1, entry.y1);
    out.to = pointOf(entry.x2, entry.y2);
    classify(out, structure, [&](PixelPoint p) { return lineSideA(entry, p); });
    finishSide(out.sideA, elements, options.accurateMass);
    finishSide(out.sideB, elements, options.accurateMass);
    entry.massA = out.sideA.mass;
    entry.massB = out.sideB.mass;
    const bool comp = options.showComposition;
    out.labels.push_back(
        {comp ? withComposition(out.sideA) : out.sideA.massText, {out.from.x + 5, out.from.y - 5}});
    out.labels.push_back(
        {comp ? withComposition(out.sideB) : out.sideB.massText, {out.to.x, out.to.y + 5}});
}

/// Label B of a box cut, by the two options and whether it shows the residual.
std::string boxLabelB(const CutSide& b, const std::string& residual, bool isResidual,
                      const CutOptions& options) {
    if (!options.showComposition)
        return isResidual ? "( r= " + residual + ")" : "(" + b.massText + ")";
    if (!options.accurateMass)
        return isResidual ? "  r= " + residual + "  (" + b.composition + ")"
                          : b.massText + "  (" + b.composition + ")";
    return isResidual ? "( r= " + residual + "   " + b.composition + ")"
                      : "(" + b.massText + "   " + b.composition + ")";
}

void boxCut(CutOutcome& out, CutList& cuts, CutEntry& entry, const Structure& structure,
            const ElementTable& elements, const CutOptions& options) {
    const float left = std::min(entry.x1, entry.x2);
    const float right = std::max(entry.x1, entry.x2);
    const float top = std::min(entry.y1, entry.y2);
    const float bottom = std::max(entry.y1, entry.y2);
    out.redrawFirst = !options.multiFragment;
    out.from = pointOf(left, top);
    out.to = pointOf(right, bottom);
    entry.x1 = -left;
    entry.y1 = top;
    entry.x2 = right;
    entry.y2 = bottom;
    classify(out, structure, [&](PixelPoint p) { return boxSideA(out.from, out.to, p); });
    finishSide(out.sideA, elements, options.accurateMass);
    finishSide(out.sideB, elements, options.accurateMass);
    entry.massA = out.sideA.mass;
    entry.massB = out.sideB.mass;

    // A box strictly inside the previous box shows what lies between the two: the previous
    // side A less this one. The stored mass B stays the rest of the structure.
    std::string residualText;
    if (options.subFragment && cuts.count > 1) {
        const CutEntry& previous = cuts.entries[static_cast<std::size_t>(cuts.count - 2)];
        if (previous.isBox() && left > previous.left() && right < previous.x2 &&
            top > previous.y1 && bottom < previous.y2) {
            const float outer =
                options.accurateMass ? previous.massA : std::nearbyint(previous.massA);
            out.residual = true;
            residualText = cutMassText(outer - out.sideA.mass, options.accurateMass);
        }
    }
    const bool comp = options.showComposition;
    out.labels.push_back({comp ? withComposition(out.sideA) : out.sideA.massText,
                          {out.from.x + 5, out.from.y - 15}});
    out.labels.push_back(
        {boxLabelB(out.sideB, residualText, out.residual, options), {15, out.from.y - 15}, true});
    if (options.showBoxPopup) {
        out.showFragmentsWindow = true;
        out.fragments = {out.sideA.massText, out.residual ? "Residual:" : "M - mass1",
                         out.residual ? residualText : out.sideB.massText};
    }
}

void regionCut(CutOutcome& out, const std::vector<PixelPoint>& region, const Structure& structure,
               const ElementTable& elements, const CutOptions& options) {
    classify(out, structure, [&](PixelPoint p) { return regionSideA(region, p); });
    finishSide(out.sideA, elements, options.accurateMass);
    finishSide(out.sideB, elements, options.accurateMass);
    out.showFragmentsWindow = true;
    out.fragments = {out.sideA.massText, "M - mass1", out.sideB.massText};
}

} // namespace

bool CutEntry::isBox() const {
    return std::signbit(x1);
}

float CutEntry::left() const {
    return std::fabs(x1);
}

CutOutcome EndCut(CutShape shape, PixelPoint start, PixelPoint end,
                  const std::vector<PixelPoint>& region, CutList& cuts, const Structure& structure,
                  const ElementTable& elements, const CutOptions& options) {
    CutOutcome out;
    out.shape = shape;
    if (shape == CutShape::Region) {
        if (!options.multiFragment) cuts.count = 0;
        regionCut(out, region, structure, elements, options);
        return out;
    }
    CutEntry& entry = fileCut(cuts, options);
    entry = {static_cast<float>(start.x), static_cast<float>(start.y), 0.0f,
             static_cast<float>(end.x),   static_cast<float>(end.y),   0.0f};
    if (shape == CutShape::Box)
        boxCut(out, cuts, entry, structure, elements, options);
    else
        lineCut(out, entry, structure, elements, options);
    return out;
}

bool lineSideA(const CutEntry& line, PixelPoint atom) {
    const auto x = static_cast<float>(atom.x);
    const auto y = static_cast<float>(atom.y);
    if (line.x1 == line.x2) return x < line.x1;
    if (line.y1 == line.y2) return y < line.y1;
    const float slope = (line.y2 - line.y1) / (line.x2 - line.x1);
    const float intercept = line.y1 - line.x1 * slope;
    const float onLine = slope * x + intercept;
    return y < onLine;
}

bool boxSideA(PixelPoint corner1, PixelPoint corner2, PixelPoint atom) {
    const int left = std::min(corner1.x, corner2.x);
    const int right = std::max(corner1.x, corner2.x);
    const int top = std::min(corner1.y, corner2.y);
    const int bottom = std::max(corner1.y, corner2.y);
    return atom.x > left && atom.x < right && atom.y > top && atom.y < bottom;
}

bool regionSideA(const std::vector<PixelPoint>& polygon, PixelPoint atom) {
    if (polygon.size() < 3) return false;
    // Crossings of a ray from the pixel's centre to the right with the closed polygon's
    // edges; an odd number means inside.
    const double px = atom.x + 0.5;
    const double py = atom.y + 0.5;
    bool inside = false;
    for (std::size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
        const double xi = polygon[i].x, yi = polygon[i].y;
        const double xj = polygon[j].x, yj = polygon[j].y;
        if ((yi > py) == (yj > py)) continue;
        const double crossX = xi + (py - yi) * (xj - xi) / (yj - yi);
        if (px < crossX) inside = !inside;
    }
    return inside;
}

std::string cutMassText(float mass, bool accurateMass) {
    char text[48];
    if (accurateMass)
        std::snprintf(text, sizeof text, "%7.4f", static_cast<double>(mass));
    else
        std::snprintf(text, sizeof text, "%.0f", static_cast<double>(mass));
    return text;
}

std::string pictureMassText(float mass) {
    char text[48];
    if (mass == std::nearbyint(mass))
        std::snprintf(text, sizeof text, "%.0f", static_cast<double>(mass));
    else
        std::snprintf(text, sizeof text, " %7.4f", static_cast<double>(mass));
    return text;
}

} // namespace qzx
