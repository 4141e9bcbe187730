#pragma once

#include <cstdint>
#include <string>

namespace qzx {

/// Every preference of the program, as kept in QZXPRO.INI beside the program.
/// Colours are 32-bit colour values: low byte red, then green, then blue; a negative value
/// (top bit set) names a system colour by its low byte.
struct Settings {
    // [Bonds]
    std::int32_t RingBondLength = 20; ///< ring bond length in pixels
    std::int32_t AlkBondLength = 30;  ///< aliphatic bond length in pixels
    std::int32_t PiBond = 2;          ///< offset in pixels of a multiple bond's second line
    bool BondWidth = true;            ///< true: 1-pixel bond pen, false: 2-pixel pen
    // [Color]
    std::int32_t Background = -2147483624; ///< system colour 24, the tooltip background
    std::int32_t Bonds = 0;
    std::int32_t FragmentA = 255;
    std::int32_t FragmentB = 16711680;
    std::int32_t Region = 8388736;
    // [Font]
    std::int32_t FontSize = 9; ///< atom label size in points
    std::int32_t FontColor = 0;
    std::int32_t IsotopeColor = 32768;
    bool FontBold = false;
    // [Settings]
    std::int32_t Sound = 30;         ///< beeps before each error or warning; 0 is silent
    std::int32_t FragmentMarker = 3; ///< pen width in pixels of fragment cut markers
    std::string R_Group = "{Default}";
    // [Paths]
    /// Command line of the word processor that receives reports (program, then arguments).
    std::string PathToText = "libreoffice --writer";
    std::string PathToPaint = "C:\\Program Files\\Accessories\\MSPaint.exe";
    // [Options]
    bool ConfirmNew = false;
    bool ConfirmQuit = true;
    bool ShowFragComposition = false;
    bool ShowPopBox = true;
    bool AccurateMass = false; ///< key "Accurate Mass"
    bool ShowLabel = false;    ///< key "Show Label"
    bool ScrollBarsOn = false; ///< key "Scroll Bars On"
    bool ShowHints = true;     ///< key "Show Hints"
    bool HideSplashScreen = false;
    // [Printer]
    std::string PaperWidth = "8.5";   ///< key "Paper Width"
    std::string PaperHeight = "11.0"; ///< key "Paper Height"
    bool Inches = true;
    std::int32_t Spectrum_Orientation = 1;  ///< 1 portrait, 2 landscape
    std::int32_t Structure_Orientation = 2; ///< 1 portrait, 2 landscape
    bool ColorPrinter = false;              ///< key "Color Printer"
    std::string SpectrumTop = "50";
    std::string SpectrumLeft = "20";
    std::string SpectrumWidth = "120";
    std::string SpectrumHeight = "120";
    std::string StructureTop = "60";
    std::string StructureLeft = "60";
    std::string StructureWidth = "60";
    std::string StructureHeight = "70";

    bool operator==(const Settings&) const = default;
};

} // namespace qzx
