#include "spectrum/spectrum_match.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "chem/isotope_pattern.h"
#include "spectrum/spectrum.h"
#include "util/rounding.h"

namespace qzx {
namespace {

std::string fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

bool atPatternMass(float mass, const IsotopePattern& pattern) {
    return std::any_of(pattern.peaks.begin(), pattern.peaks.end(),
                       [mass](const IsotopePeak& line) { return mass == line.mass; });
}

} // namespace

IsotopeMatchOutcome isotopeMatch(const Spectrum& spectrum, int structureMass,
                                 const IsotopePattern& pattern) {
    IsotopeMatchOutcome out;
    const int n = spectrum.peakCount();
    if (n == 0) return out;

    bool present = false;
    for (int i = n; i >= 1 && Round(spectrum.peak(i).Mass) >= structureMass; --i)
        present = present || Round(spectrum.peak(i).Mass) == structureMass;
    if (!present) {
        out.kind = IsotopeMatchOutcome::Kind::MassAbsent;
        out.message = "The structure MW is " + std::to_string(structureMass) +
                      "\r\nThat mass is not present in this spectrum";
        return out;
    }
    if (pattern.peaks.empty()) {
        out.kind = IsotopeMatchOutcome::Kind::NoPattern;
        out.message = "The structure MW of " + std::to_string(structureMass) +
                      " is present\r\n\r\nbut the structure has no isotope pattern to compare.";
        return out;
    }

    // The peaks at the pattern's masses, from the heaviest down to the lightest line.
    const float lightest = pattern.peaks.front().mass;
    std::vector<int> matched;
    for (int i = n; i >= 1 && spectrum.peak(i).Mass >= lightest; --i)
        if (atPatternMass(spectrum.peak(i).Mass, pattern)) matched.push_back(i);
    double largest = 0.0;
    for (int i : matched)
        largest = std::max(largest, static_cast<double>(spectrum.peak(i).Abundance));
    out.expected = static_cast<int>(pattern.peaks.size());
    if (matched.empty() || !(largest > 0.0)) {
        out.kind = IsotopeMatchOutcome::Kind::NoIsotopeFound;
        out.message = "The structure MW of " + std::to_string(structureMass) +
                      " is present\r\n\r\nbut none of its " + std::to_string(out.expected) +
                      " isotope masses has a peak in this spectrum.";
        return out;
    }

    out.found = out.expected;
    double agreement = 0.0, total = 0.0;
    for (const IsotopePeak& line : pattern.peaks) {
        const auto at = std::find_if(matched.begin(), matched.end(),
                                     [&](int i) { return spectrum.peak(i).Mass == line.mass; });
        double difference = line.abundance;
        if (at != matched.end())
            difference = std::fabs(100.0 * spectrum.peak(*at).Abundance / largest - line.abundance);
        else
            --out.found;
        agreement += line.abundance - difference;
        total += line.abundance;
    }
    double index = agreement / total;
    const float heaviest = pattern.peaks.back().mass;
    for (int i = n; i >= 1 && spectrum.peak(i).Mass >= heaviest; --i)
        if (spectrum.peak(i).Abundance >= 10.0f) index -= 0.01 * spectrum.peak(i).Abundance;
    out.index = std::max(index, 0.0);
    out.kind = IsotopeMatchOutcome::Kind::Index;
    out.message = "The structure MW of " + std::to_string(structureMass) + " is present\r\n\r\n" +
                  "The Isotope Match Index is " + fixed(out.index, 4) + "\r\n" +
                  std::to_string(out.expected) + " isotopes expected; " +
                  std::to_string(out.found) + (out.found <= 1 ? " isotope" : " isotopes") +
                  " found";
    return out;
}

std::vector<int> compareSpectrum(Spectrum& spectrum, const std::vector<int>& fragmentMasses,
                                 const IsotopePattern& pattern, const ComparisonOptions& options) {
    const int n = spectrum.peakCount();
    spectrum.MatchCount = 0;
    spectrum.PeakMatched.fill(false);
    double matchedSum = 0.0;
    std::vector<int> matched;
    const auto match = [&](int i) {
        spectrum.PeakMatched[static_cast<std::size_t>(i)] = true;
        ++spectrum.MatchCount;
        matchedSum += static_cast<double>(spectrum.peak(i).Mass) * spectrum.peak(i).Abundance;
        matched.push_back(i);
    };
    const int h = options.hydrogens == 2 ? 2 : 1;
    for (int i = n; i >= 1; --i) {
        const double mass = spectrum.peak(i).Mass;
        const bool explained =
            std::any_of(fragmentMasses.begin(), fragmentMasses.end(), [&](int f) {
                return options.allowHydrogenTransfers ? mass - h <= f && f <= mass + h : f == mass;
            });
        if (explained) match(i);
    }
    if (!pattern.peaks.empty()) {
        const float lightest = pattern.peaks.front().mass;
        for (int i = n; i >= 1 && spectrum.peak(i).Mass > lightest; --i)
            if (!spectrum.PeakMatched[static_cast<std::size_t>(i)] &&
                atPatternMass(spectrum.peak(i).Mass, pattern))
                match(i);
    }
    double total = 0.0;
    for (int i = 1; i <= n; ++i)
        total += static_cast<double>(spectrum.peak(i).Mass) * spectrum.peak(i).Abundance;
    // Strong peaks well above the molecular ion count against the structure.
    for (int i = n; i >= 1 && spectrum.peak(i).Mass >= options.structureMass + 10; --i)
        if (spectrum.peak(i).Abundance > 5.0f)
            matchedSum -= static_cast<double>(spectrum.peak(i).Mass) * spectrum.peak(i).Abundance;
    // A spectrum without any mass x abundance has nothing to match: 0 rather than the index of
    // an earlier comparison.
    spectrum.MatchIndex =
        total > 0.0 ? static_cast<float>(std::max(matchedSum / total, 0.0)) : 0.0f;
    return matched;
}

std::string comparisonSummary(const Spectrum& spectrum) {
    const int n = spectrum.peakCount();
    if (n == 0) return {};
    return "There were " + std::to_string(spectrum.MatchCount) + " matched masses found\r\n" +
           "The total number of unmatched ions was " + std::to_string(n - spectrum.MatchCount) +
           "\r\n    Percentage matched was " + fixed(100.0 * spectrum.MatchCount / n, 1) +
           "%\r\nThe estimated match index is: " + fixed(spectrum.MatchIndex, 4);
}

} // namespace qzx
