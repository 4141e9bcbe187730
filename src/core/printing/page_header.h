#pragma once

#include <string>
#include <vector>

#include "printing/page_frame.h"
#include "printing/page_text.h"

namespace qzx {

/// The header and date lines of a printed page in "Times New Roman" 14 points, each centred
/// on the printable width: the header (`fileName` with "Filename", the custom text with
/// "Custom", nothing with "None") at y 120, the date (`date`, already in the short date form)
/// at y 300 under a header, else at y 120.
std::vector<PageText> pageHeaderTexts(const PageSetup& setup, const std::string& fileName,
                                      const std::string& date, int pageWidth, int dotsPerInch);

/// The spectrum window's label as the window shows it: its text and its place in a window
/// `windowWidth` x `windowHeight`.
struct SpectrumLabel {
    std::string text;
    int left = 0;
    int top = 0;
    int windowWidth = 0;
    int windowHeight = 0;
};

/// The label on a printed spectrum page (blue, bold, 16 points) or on a clipboard picture (the
/// window's 19-pixel font), at its window position scaled to `frame`: the printed label sits
/// in the frame at `frame` left/top, the picture's label within the picture.
PageText spectrumLabelText(const SpectrumLabel& label, const PageRect& frame, bool printer,
                           int dotsPerInch);

/// The structure's composition and mass as the structure pages print them.
struct CompositionAndMass {
    std::string composition; ///< the composition text, e.g. "C6 H6 "
    int nominalMass = 0;
    float monoMass = 0.0f;
    bool accurateMass = false; ///< the "Accurate Mass" option
};

/// The two lines under a structure page's picture (header font, y = 0.9 x page height):
/// "Elemental Composition = " and the composition at x = 0.1 x page width, every character
/// below ":" (digits, blanks, punctuation) 2 points smaller and lowered; "Formula Weight = "
/// and the mass at x = 0.7 x page width.
std::vector<PageText> compositionAndMassTexts(const CompositionAndMass& values, int pageWidth,
                                              int pageHeight, int dotsPerInch);

/// A mass rounded to 7 significant digits and written with 4 decimals (1234.56789 ->
/// "1234.5680").
std::string formulaWeightText(double mass);

} // namespace qzx
