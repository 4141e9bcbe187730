#pragma once

#include <array>
#include <string>
#include <string_view>

#include "capture/capture_image.h"

namespace qzx {

/// The four calibration points the user marks on the picture's axes.
enum class AxisPoint { XMin = 0, XMax = 1, YMin = 2, YMax = 3 };

constexpr std::array<AxisPoint, 4> kAxisPoints{AxisPoint::XMin, AxisPoint::XMax, AxisPoint::YMin,
                                               AxisPoint::YMax};

/// Half the side of an axis point's square marker, in pixels.
constexpr int kAxisMarkerHalfSize = 3;

/// How an axis point is shown: its setup button, the name written beside its marker (offset from
/// the click), the colour of marker and name, and the value its box holds after Reset.
struct AxisPointLook {
    std::string_view buttonCaption;
    std::string_view markerName;
    int nameDx = 0;
    int nameDy = 0;
    CaptureRgb colour = 0;
    int defaultValue = 0;
};

/// XMin and XMax red, YMin and YMax green (0, 128, 0); values 1, 100, 0 and 100.
const AxisPointLook& axisPointLook(AxisPoint which);

/// A pixel position on the picture.
struct PicturePoint {
    int x = 0;
    int y = 0;
    bool operator==(const PicturePoint&) const = default;
};

/// The axis points and the values typed for them. Only the x positions of XMin and XMax with
/// the Xmin and XMax values give masses; of the y axis only the row of the YMin point is used
/// (as the baseline of the abundances). The YMin and Ymax values are kept for the setup dialog
/// but nothing computes with them.
class Calibration {
public:
    /// Places an axis point; refused (false) when that point is already set.
    bool place(AxisPoint which, PicturePoint at);
    /// Takes an axis point away; false when it was not set.
    bool clear(AxisPoint which);

    bool isSet(AxisPoint which) const { return set_[slot(which)]; }
    /// All four points are set.
    bool complete() const;
    /// The point's pixel position; (0, 0) while it is not set.
    PicturePoint point(AxisPoint which) const { return points_[slot(which)]; }

    int value(AxisPoint which) const { return values_[slot(which)]; }
    void setValue(AxisPoint which, int value) { values_[slot(which)] = value; }

    /// XMax value - Xmin value: the number of whole masses after the first.
    long long massRange() const;

    /// What keeps the points and values from giving masses, or an empty text when they can:
    /// all four points set, an XMax value above the Xmin value and the two x points in different
    /// columns.
    std::string problem() const;
    bool usable() const { return problem().empty(); }

    /// Pixels per mass unit: (x of XMax - x of XMin) / (XMax value - Xmin value), or 1.0 while
    /// the calibration is not usable.
    float scale() const;

    /// The whole mass at picture column x: Xmin value + round((x - x of XMin) / scale), halves to
    /// the even neighbour.
    int massAt(int x) const;
    /// The picture column of the mass Xmin value + k: x of XMin + round(k x scale).
    int columnOf(long long k) const;

    /// The setup dialog's "Reset": all four points cleared, the values back to 1, 100, 0, 100.
    void reset() { *this = Calibration{}; }

private:
    static std::size_t slot(AxisPoint which) { return static_cast<std::size_t>(which); }

    std::array<PicturePoint, 4> points_{};
    std::array<bool, 4> set_{};
    std::array<int, 4> values_{1, 100, 0, 100};
};

} // namespace qzx
