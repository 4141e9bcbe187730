#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "chem/isotope_profile.h"

class QPainter;

namespace qzx {

/// Which sticks of the isotopic profiler's plot carry their mass.
enum class PlotLabels {
    None,
    AboveOnePercent, ///< after a calculation with "Show Labels" checked
    All,             ///< "Show Labels" checked afterwards
};

/// The plot is 254 x 211 pixels.
constexpr int kIsotopePlotWidth = 254;
constexpr int kIsotopePlotHeight = 211;

/// Paints the profiler's plot on white: the red axes, the black axis texts ("Times New Roman"
/// 8 point bold), the sticks (2 pixels wide, from the baseline at 180) and their labels
/// ("Small Fonts" 6 point, at (x - 7, top - 10)).
void paintIsotopePlot(QPainter& painter, const std::vector<ProfileStick>& sticks, bool accurate,
                      PlotLabels labels);

/// What the printed profile shows.
struct IsotopeProfilePage {
    /// The formula's elements in element-number order: symbol and count text.
    std::vector<std::pair<QString, QString>> elements;
    QString nominalMass;      ///< the "Nominal Mass:" field
    QString minimumAbundance; ///< the "Minimum %" field
    std::vector<ProfileStick> sticks;
    bool accurate = false;
    bool labels = false; ///< "Show Labels" checked: peaks above 20 % carry their mass
    /// The grid's rows: mass cell and abundance cell.
    std::vector<std::pair<QString, QString>> rows;
};

/// Paints the profiler's printed page: title, composition line with lowered counts, nominal
/// mass and minimum abundance, the plot with its axes and ticks, and the table in blocks of
/// 10 or 20 rows. Coordinates are page pixels times `scale` (2 on a page 4,800 pixels wide);
/// fonts are points of the painter's device.
void paintIsotopeProfilePage(QPainter& painter, const IsotopeProfilePage& page, int scale);

/// The table as text for the word processor: each row's mass cell, three blanks and its
/// abundance cell, one line per peak.
QString isotopeTableText(const std::vector<std::pair<QString, QString>>& rows);

} // namespace qzx
