#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace qzx {

/// Peaks a spectrum holds (slots 1..300).
constexpr int kMaxPeaks = 300;
/// Peak labels the spectrum window keeps.
constexpr int kMaxPeakLabels = 25;
/// Peak numbers the comparison can mark as matched (1..400).
constexpr int kMatchFlags = 400;

/// One peak: m/z and intensity, single precision.
struct Peak {
    float Mass = 0.0f;
    float Abundance = 0.0f;
    bool operator==(const Peak&) const = default;
};

/// The labelled peaks of the spectrum window: `count` peak numbers (1-based) in slots 1..25.
struct PeakLabelList {
    int count = 0;
    std::array<std::int32_t, kMaxPeakLabels + 1> peaks{};
    void clear() { count = 0; }
};

/// The one spectrum of the program with the state the spectrum tools share.
///
/// Slot 0 of `Peaks` holds the peak count N as a float in its Abundance (its Mass stays 0);
/// slots 1..N hold the peaks. Slots above N keep stale values and are never read.
struct Spectrum {
    std::array<Peak, kMaxPeaks + 1> Peaks{};
    /// False after an ASC file was read: the spectrum window scales the abundances to a
    /// tallest peak of 100 the first time it draws them.
    bool SpectrumNormalized = false;
    /// Full path of the ASC file last opened in the spectrum window (UTF-8).
    std::string SpectrumFileName;
    PeakLabelList PeakLabels;
    /// Set by the comparison per peak number 1..400; only 1..N mean anything.
    std::array<bool, kMatchFlags + 1> PeakMatched{};
    std::int32_t MatchCount = 0; ///< peaks the last comparison matched
    float MatchIndex = 0.0f;     ///< estimated match index of the last comparison, 0..1

    /// N: the float count rounded (ties to even), 0 unless it is above 0, at most 300.
    int peakCount() const;
    /// Stores n (cut to 0..300) as the float count.
    void setPeakCount(int n);

    Peak& peak(int number) { return Peaks.at(static_cast<std::size_t>(number)); }
    const Peak& peak(int number) const { return Peaks.at(static_cast<std::size_t>(number)); }

    /// "Clear Spectrum": N becomes 0 and the labels are emptied. The flag stays as it is.
    void clear();

    /// What the spectrum window does before it first draws a freshly read spectrum: unless
    /// already done, every abundance of peaks 1..N is divided by the largest one and multiplied
    /// by 100 (single precision, no rounding), and the flag is set. A spectrum whose largest
    /// abundance is not above 0 keeps its abundances (they cannot be scaled). Returns whether
    /// the abundances changed.
    bool normalize();
};

} // namespace qzx
