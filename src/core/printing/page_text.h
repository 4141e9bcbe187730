#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qzx {

/// Colours the printed pages use.
enum class PageColour { Black, Navy, Red, Blue };

/// A piece of a printed text: normal, or lowered and smaller (the digits of a composition).
struct PageTextRun {
    std::string text;
    bool lowered = false;
    bool operator==(const PageTextRun&) const = default;
};

/// One text of a printed page or picture, in device pixels. The runs are drawn one after the
/// other from the anchor, each advancing by its own width; a lowered run uses
/// `loweredPixelSize` and stands `loweredBy` pixels below the others.
struct PageText {
    /// Where x lies on the text: its left edge, its middle (left edge = x - width div 2) or
    /// its right edge.
    enum class Anchor { Left, Centre, Right };

    int x = 0;
    int y = 0; ///< top of the normal runs
    Anchor anchor = Anchor::Left;
    std::string family = "Times New Roman";
    int pixelSize = 12;
    bool bold = false;
    bool italic = false;
    PageColour colour = PageColour::Black;
    std::vector<PageTextRun> runs;
    int loweredPixelSize = 0;
    int loweredBy = 0;

    /// All runs joined.
    std::string text() const;
};

/// A straight line in device pixels.
struct PageLine {
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
    int penWidth = 1;
    PageColour colour = PageColour::Black;
    bool operator==(const PageLine&) const = default;
};

/// A text size in points as pixels of a device with `dotsPerInch` (at least 1 pixel).
int pointsToPixels(double points, int dotsPerInch);

/// Splits `text` into runs: the characters `lowered` picks form lowered runs, the rest normal
/// ones; neighbours of one kind share a run.
std::vector<PageTextRun> splitRuns(std::string_view text, bool (*lowered)(char));

} // namespace qzx
