#include "capture/calibration.h"

#include <algorithm>

#include "util/rounding.h"

namespace qzx {

namespace {

constexpr CaptureRgb kMarkerRed = 0xFF0000;
constexpr CaptureRgb kMarkerGreen = 0x008000;

const std::array<AxisPointLook, 4> kLooks{{
    {"Xmin", "XMin", -10, 15, kMarkerRed, 1},
    {"XMax", "XMax", 10, -8, kMarkerRed, 100},
    {"YMin", "YMin", -35, -10, kMarkerGreen, 0},
    {"Ymax", "YMax", -10, -25, kMarkerGreen, 100},
}};

} // namespace

const AxisPointLook& axisPointLook(AxisPoint which) {
    return kLooks[static_cast<std::size_t>(which)];
}

bool Calibration::place(AxisPoint which, PicturePoint at) {
    if (set_[slot(which)]) return false;
    points_[slot(which)] = at;
    set_[slot(which)] = true;
    return true;
}

bool Calibration::clear(AxisPoint which) {
    if (!set_[slot(which)]) return false;
    points_[slot(which)] = PicturePoint{};
    set_[slot(which)] = false;
    return true;
}

bool Calibration::complete() const {
    return std::all_of(set_.begin(), set_.end(), [](bool s) { return s; });
}

long long Calibration::massRange() const {
    return static_cast<long long>(value(AxisPoint::XMax)) - value(AxisPoint::XMin);
}

std::string Calibration::problem() const {
    if (!complete()) return "Mark all four axis points first.";
    if (massRange() <= 0) return "The XMax value must be larger than the Xmin value.";
    if (point(AxisPoint::XMax).x == point(AxisPoint::XMin).x)
        return "The XMin and XMax points must not lie in the same column.";
    return {};
}

float Calibration::scale() const {
    if (!usable()) return 1.0f;
    const float pixels = static_cast<float>(point(AxisPoint::XMax).x - point(AxisPoint::XMin).x);
    return pixels / static_cast<float>(massRange());
}

int Calibration::massAt(int x) const {
    const double offset = static_cast<double>(x - point(AxisPoint::XMin).x) / scale();
    return static_cast<int>(value(AxisPoint::XMin) + Round(offset));
}

int Calibration::columnOf(long long k) const {
    const double step = static_cast<double>(k) * static_cast<double>(scale());
    return static_cast<int>(point(AxisPoint::XMin).x + Round(step));
}

} // namespace qzx
