#pragma once

#include <cstdint>
#include <vector>

#include <QPoint>

class QPainter;

namespace qzx {

class Structure;
struct CutList;
struct CutOutcome;
struct Settings;

/// Paints a finished cut over the structure: the red cut line or box in the bond pen's width,
/// a small ring in the side's colour (`FragmentA`, `FragmentB`, pen `FragmentMarker` wide) on
/// every atom, and the two labels in bold, label A in `FragmentA`, label B in `FragmentB`,
/// with a transparent background. A region cut only marks the atoms. The painter's state is
/// restored afterwards.
void paintCutOutcome(QPainter& painter, const CutOutcome& cut, const Structure& structure,
                     const Settings& settings);

/// Paints the stored line and box cuts as the structure picture shows them, every point moved
/// by `shift`: a line between its end points with its masses at each end (5 pixels right of
/// the point), a box (left edge by its magnitude) with its two masses side by side 10 pixels
/// above its top edge (their top-left corners), the second 10 pixels right of the first. Masses
/// that are whole numbers read as such, others with four decimals. Pen and font are the painter's
/// own.
/// Marks the atoms of an autofragment fragment (rows of the atom table): a small filled dot from
/// (x - 1, y - 1) to (x + 1, y + 1) on each, brush and pen in `FragmentA`, the pen `FragmentMarker`
/// wide. Rows outside the structure are skipped. The painter's state is restored afterwards.
void paintFragmentAtoms(QPainter& painter, const std::vector<std::int32_t>& atoms,
                        const Structure& structure, const Settings& settings);

void paintStoredCuts(QPainter& painter, const CutList& cuts, QPoint shift);

} // namespace qzx
