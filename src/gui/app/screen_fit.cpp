#include "app/screen_fit.h"

namespace qzx {

ScreenFit fitToScreen(int screenWidth, int dotsPerInch, bool taskBarAlwaysOnTop) {
    constexpr int kDesignWidth = 800;
    ScreenFit fit;
    if (screenWidth > 0 && screenWidth != kDesignWidth)
        fit.contentScale = static_cast<double>(screenWidth) / kDesignWidth;
    if (screenWidth == 640) {
        fit.speedBarScale = 5.0 / 4.0;
        fit.smallGroupCaptions = true;
    }
    if (taskBarAlwaysOnTop) {
        fit.contentScale *= screenWidth == 640 ? 0.90 : 0.95;
        fit.massPanelWiden = 1.12;
    }
    if (dotsPerInch > 96) {
        if (screenWidth == kDesignWidth)
            fit.contentScale *= 0.85;
        else if (screenWidth > kDesignWidth && screenWidth < 1200)
            fit.contentScale *= 0.90;
        else
            fit.contentScale *= 0.95;
    }
    return fit;
}

} // namespace qzx
