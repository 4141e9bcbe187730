#pragma once

namespace qzx {

/// What the main window does to fit a screen that differs from the 800 x 600 it is laid out for.
struct ScreenFit {
    double contentScale = 1.0;       ///< factor for the whole window's contents
    double speedBarScale = 1.0;      ///< extra factor for the speed bar (640-pixel screens)
    bool smallGroupCaptions = false; ///< 7-point group captions, 6-point "Draw"/"Analyze"
    double massPanelWiden = 1.0;     ///< extra width of the mass panel
};

/// The fitting factors for a screen `screenWidth` pixels wide at `dotsPerInch`, with or
/// without a task bar that stays on top of other windows (and so takes screen space).
ScreenFit fitToScreen(int screenWidth, int dotsPerInch, bool taskBarAlwaysOnTop);

} // namespace qzx
