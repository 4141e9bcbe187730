#include "printing/page_frame.h"

#include <algorithm>

#include "settings/settings.h"
#include "util/number_format.h"
#include "util/rounding.h"

namespace qzx {
namespace {

int rounded(double value) {
    return static_cast<int>(Round(value));
}

/// A page setup number from its setting text, held to the boxes' range; `fallback` when the
/// text is no whole number.
int boxValue(const std::string& text, int fallback) {
    const auto value = readWholeNumberField(text);
    return std::clamp(value ? *value : fallback, kPageSetupMin, kPageSetupMax);
}

/// Units with every 0 replaced by the value of `orientation`.
PageUnits filledUnits(PageUnits units, PageOrientation orientation) {
    return pageUnitsAtPrintTime(units, orientation);
}

} // namespace

PageUnits pageUnitsFor(PageOrientation orientation) {
    return orientation == PageOrientation::Portrait ? PageUnits{160, 200} : PageUnits{200, 160};
}

PageUnits pageUnitsAtPrintTime(PageUnits current, PageOrientation printer) {
    const PageUnits full = pageUnitsFor(printer);
    if (current.width == 0) current.width = full.width;
    if (current.height == 0) current.height = full.height;
    return current;
}

PageSetup pageSetupOnCreation(const Settings& settings) {
    PageSetup setup;
    setup.orientation = PageOrientation::Landscape;
    setup.top = boxValue(settings.StructureTop, setup.top);
    setup.left = boxValue(settings.StructureLeft, setup.left);
    setup.height = boxValue(settings.StructureWidth, setup.height);
    setup.width = boxValue(settings.StructureHeight, setup.width);
    return setup;
}

PageSetup pageSetupDefaults(const Settings& settings, bool structurePage, PageSetup current) {
    const bool s = structurePage;
    current.top = boxValue(s ? settings.StructureTop : settings.SpectrumTop, current.top);
    current.left = boxValue(s ? settings.StructureLeft : settings.SpectrumLeft, current.left);
    current.height = boxValue(s ? settings.StructureWidth : settings.SpectrumWidth, current.height);
    current.width = boxValue(s ? settings.StructureHeight : settings.SpectrumHeight, current.width);
    const int orientation = s ? settings.Structure_Orientation : settings.Spectrum_Orientation;
    current.orientation = orientation == 1 ? PageOrientation::Portrait : PageOrientation::Landscape;
    return current;
}

PageSetup reportPageSetup() {
    PageSetup setup;
    setup.showDate = false;
    setup.header = PageHeader::Filename;
    setup.orientation = PageOrientation::Portrait;
    setup.top = 20;
    setup.left = 20;
    setup.height = 80;
    setup.width = 120;
    setup.showCompositionAndMass = false;
    return setup;
}

PageRect pageFrame(const PageSetup& setup, PageUnits units, int pageWidth, int pageHeight) {
    const PageUnits u = filledUnits(units, setup.orientation);
    const double w = pageWidth;
    const double h = pageHeight;
    return {rounded(setup.left / static_cast<double>(u.width) * w),
            rounded(setup.top / static_cast<double>(u.height) * h),
            rounded(setup.width / static_cast<double>(u.width) * w),
            rounded(setup.height / static_cast<double>(u.height) * h)};
}

PageRect structurePageFrame(const PageSetup& setup, PageUnits units, int pageWidth, int pageHeight,
                             int pictureWidth, int pictureHeight) {
    const PageUnits u = filledUnits(units, setup.orientation);
    const int d = pageWidth == 4800 ? 2 : 1;
    // The picture's share of the page in units, rounded as the page arithmetic does; an empty
    // picture (no width or height) places nothing, and a share that rounds to 0 counts as 1
    // so that a very wide picture fills the page instead of dividing by zero.
    int w = 0;
    int h = 0;
    if (pictureWidth > 0) {
        const int a = std::max(1, rounded(static_cast<double>(u.width) / pictureWidth * u.width));
        w = rounded(static_cast<double>(setup.width) / a * pageWidth);
    }
    if (pictureHeight > 0) {
        const int b =
            std::max(1, rounded(static_cast<double>(u.height) / pictureHeight * u.height));
        h = rounded(static_cast<double>(setup.height) / b * pageHeight);
    }
    const int left = std::max(pageWidth / 2 - w / 2, 100 * d);
    const int top = std::max(pageHeight / 2 - h / 2, 200 * d);
    // The far edges stop at the margins, and never before the near ones: a page too small
    // for its margins gives an empty rectangle, not a negative one.
    const int right = std::max(std::min(left + w, pageWidth - 100), left);
    const int bottom = std::max(std::min(top + h, pageHeight - 100), top);
    return {left, top, right - left, bottom - top};
}

PagePreview pagePreview(const PageSetup& setup) {
    PagePreview preview;
    switch (setup.header) {
    case PageHeader::Filename:
        preview.headerLabel = "<Filename>";
        break;
    case PageHeader::Custom:
        preview.headerLabel = "<Custom>";
        break;
    case PageHeader::None:
        break;
    }
    preview.dateShown = setup.showDate;
    preview.dateTop = setup.header == PageHeader::None ? 9 : 24;
    preview.compositionShown = setup.showCompositionAndMass;
    preview.image = {setup.left, setup.top, setup.width, setup.height};
    return preview;
}

} // namespace qzx
