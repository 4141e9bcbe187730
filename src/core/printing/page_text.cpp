#include "printing/page_text.h"

#include <algorithm>

#include "util/rounding.h"

namespace qzx {

std::string PageText::text() const {
    std::string all;
    for (const PageTextRun& run : runs)
        all += run.text;
    return all;
}

int pointsToPixels(double points, int dotsPerInch) {
    return std::max(1, static_cast<int>(Round(points * dotsPerInch / 72.0)));
}

std::vector<PageTextRun> splitRuns(std::string_view text, bool (*lowered)(char)) {
    std::vector<PageTextRun> runs;
    for (const char c : text) {
        const bool low = lowered(c);
        if (runs.empty() || runs.back().lowered != low) runs.push_back({std::string(), low});
        runs.back().text += c;
    }
    return runs;
}

} // namespace qzx
