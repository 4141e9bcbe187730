#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "structure/bond_geometry.h"

namespace qzx {

class ElementTable;
class Structure;

/// The three ways of cutting a structure by hand in analyze mode.
enum class CutShape { Line = 1, Box = 2, Region = 3 };

/// One entry of the cut list: two end points and the two side masses, single precision, in
/// the order x1, y1, mass A, x2, y2, mass B. A box stores its left edge negated, which marks it
/// as a box for the structure picture (a left edge of 0 is stored as -0).
struct CutEntry {
    float x1 = 0.0f;
    float y1 = 0.0f;
    float massA = 0.0f;
    float x2 = 0.0f;
    float y2 = 0.0f;
    float massB = 0.0f;

    bool isBox() const;
    /// The left edge of a box, or x1 of a line: the stored first x by its magnitude.
    float left() const;
};

constexpr int kMaxCuts = 10;

/// The cuts made so far: with "Multi Fragment" off only the latest, with it on up to ten, the
/// tenth overwritten by every further cut.
struct CutList {
    std::array<CutEntry, kMaxCuts> entries{};
    int count = 0; ///< entries 1..count are in use
};

/// The Options menu's flags that shape a cut.
struct CutOptions {
    bool multiFragment = false;
    bool subFragment = false;
    bool showComposition = false; ///< "Show Fragment Comp"
    bool showBoxPopup = true;     ///< "Show BoxFrag Popup"
    bool accurateMass = false;    ///< "Use Accurate Mass"
};

/// Atoms and hydrogens of one side, per element number 1..83 (hydrogen is element 2).
using SideCounts = std::array<std::int64_t, 84>;

/// One side of a cut: its atoms (rows of the structure's atom table), counts and mass.
struct CutSide {
    std::vector<int> atoms;
    SideCounts counts{};
    float mass = 0.0f;       ///< nominal (a whole number) or monoisotopic, by the option
    std::string massText;    ///< "78", or " 78.0470" with accurate masses
    std::string composition; ///< " C6 H6": each present element with its count
};

/// A label the cut writes beside the structure, in drawing pixels (top-left of its text).
struct CutLabel {
    std::string text;
    PixelPoint at;
    /// The box's second label stands to the right of the first: `at.x` is then the offset from
    /// the first label's end, which only the painter can measure.
    bool afterFirstLabel = false;
};

/// What the small "Fragments" window shows after a box or region cut.
struct FragmentsWindowValues {
    std::string firstValue;    ///< beside "mass1:"
    std::string secondCaption; ///< "M - mass1" or "Residual:"
    std::string secondValue;
};

/// Everything a finished cut changes and shows.
struct CutOutcome {
    CutShape shape = CutShape::Line;
    CutSide sideA;
    CutSide sideB;
    bool redrawFirst = false; ///< paint the structure afresh before the marks (earlier ones go)
    /// The red line (end points) or box (ordered corners) to draw; nothing for a region.
    PixelPoint from;
    PixelPoint to;
    std::vector<CutLabel> labels; ///< A then B; none for a region
    bool residual = false;        ///< a box inside the previous box with "SubFragment" on
    bool showFragmentsWindow = false;
    FragmentsWindowValues fragments;
};

/// Ends a cut gesture: files the cut in the list (with "Multi Fragment" off the list first
/// empties; at ten entries the tenth is reused), sorts every atom to side A or B by the
/// shape's rule, and returns the masses, texts and labels to show. A region cut takes no place
/// in the list: it stores no masses, and the structure picture would draw it as a line.
/// `region` holds the region gesture's points (ignored for a line or box).
CutOutcome EndCut(CutShape shape, PixelPoint start, PixelPoint end,
                  const std::vector<PixelPoint>& region, CutList& cuts, const Structure& structure,
                  const ElementTable& elements, const CutOptions& options);

/// The side rule of a line cut (y grows downwards): a vertical line puts the atoms left of it
/// on side A, a horizontal one those above it, any other those above it on the screen, with
/// slope and intercept in single precision. Atoms on the line are side B.
bool lineSideA(const CutEntry& line, PixelPoint atom);

/// The side rule of a box cut: strictly inside the box with ordered corners.
bool boxSideA(PixelPoint corner1, PixelPoint corner2, PixelPoint atom);

/// The side rule of a region cut: inside the polygon by the alternate (even-odd) rule, the
/// point taken at its pixel's centre, as a filled region covers pixels.
bool regionSideA(const std::vector<PixelPoint>& polygon, PixelPoint atom);

/// A side's mass text: a whole number for nominal masses, 4 decimals in a field of 7
/// characters for accurate ones.
std::string cutMassText(float mass, bool accurateMass);

/// How the structure picture writes a stored cut mass: a mass equal to its rounded value as
/// that whole number ("78"), any other with 4 decimals in 7 characters (" 78.0470").
std::string pictureMassText(float mass);

} // namespace qzx
