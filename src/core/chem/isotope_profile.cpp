#include "chem/isotope_profile.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "chem/composition.h"
#include "chem/element_table.h"
#include "util/rounding.h"

namespace qzx {
namespace {

/// The shortest general notation of a number with up to 15 significant digits ("78",
/// "78.5"), as the desktop writes a floating-point value by default.
std::string generalText(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.15g", value);
    return text;
}

/// The value to `digits` significant digits, then written with `decimals` decimals.
std::string fixedText(double value, int digits, int decimals) {
    char rounded[64];
    std::snprintf(rounded, sizeof rounded, "%.*e", digits - 1, value);
    char text[96];
    std::snprintf(text, sizeof text, "%.*f", decimals, std::strtod(rounded, nullptr));
    return text;
}

} // namespace

long long profileNominalMass(const Composition& composition, const ElementTable& elements) {
    long long sum = 0;
    for (int element = 1; element <= kElementCount; ++element) {
        const int count = composition[element];
        if (count <= 0) continue;
        const ElementRecord& record = elements[element];
        const auto principal = static_cast<int>(record.PrincipalIsotope);
        if (principal < 1 || principal > kIsotopeSlots) continue; // no isotope to weigh
        sum +=
            Round(static_cast<double>(count) *
                  static_cast<double>(record.Isotopes[static_cast<std::size_t>(principal)].Mass));
    }
    return sum;
}

std::string profileMassCell(float mass, bool accurate) {
    return "     " + (accurate ? fixedText(mass, 8, 4) : generalText(mass));
}

std::string profileAbundanceCell(float abundance) {
    std::string cell = "   ";
    if (abundance < 100.0f) cell += "  ";
    if (abundance < 10.0f) cell += "  ";
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", static_cast<double>(abundance));
    return cell + text;
}

std::string profileLabelText(float mass, bool accurate) {
    if (!accurate) return generalText(mass);
    char text[64];
    std::snprintf(text, sizeof text, "%.4f", static_cast<double>(mass));
    return text;
}

std::vector<ProfileStick> profileSticks(const IsotopePattern& pattern, bool accurate) {
    const std::vector<IsotopePeak>& peaks = pattern.peaks;
    std::vector<ProfileStick> sticks;
    if (peaks.empty()) return sticks;
    const auto n = static_cast<int>(peaks.size());
    int spacing = 0;
    if (accurate) {
        spacing = n < 8 ? 18 : 140 / (n - 1);
    } else {
        // Nominal masses of eight or more peaks span at least 7 u, so the divisor is not 0.
        const auto span = Round(static_cast<double>(peaks.back().mass) - peaks.front().mass);
        spacing = n < 8 || span <= 0 ? 16 : static_cast<int>(140 / span);
    }
    for (int i = 0; i < n; ++i) {
        const IsotopePeak& peak = peaks[static_cast<std::size_t>(i)];
        ProfileStick stick;
        stick.x = accurate
                      ? 60 + i * spacing
                      : 60 + static_cast<int>(Round(
                                 (static_cast<double>(peak.mass) - peaks.front().mass) * spacing));
        stick.height = static_cast<int>(Round(static_cast<double>(peak.abundance) * 0.01 * 150.0));
        stick.mass = peak.mass;
        stick.abundance = peak.abundance;
        sticks.push_back(stick);
    }
    return sticks;
}

} // namespace qzx
