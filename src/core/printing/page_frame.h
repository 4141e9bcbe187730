#pragma once

#include <string>

namespace qzx {

struct Settings;

enum class PageOrientation { Portrait, Landscape };

/// The header line of a printed page.
enum class PageHeader { Filename, None, Custom };

/// The page in abstract units: 160 x 200 in portrait, 200 x 160 in landscape; 0 x 0 until the
/// page setup or a print command first sets them.
struct PageUnits {
    int width = 0;
    int height = 0;
    bool operator==(const PageUnits&) const = default;
};

/// The units the orientation buttons set.
PageUnits pageUnitsFor(PageOrientation orientation);

/// The units a print command works with: a unit still 0 takes the value of the printer's
/// orientation.
PageUnits pageUnitsAtPrintTime(PageUnits current, PageOrientation printer);

constexpr int kPageSetupMin = 0;
constexpr int kPageSetupMax = 200;

/// The values of the page setup window ("Print").
struct PageSetup {
    int top = 40;     ///< "Top:", page units
    int left = 10;    ///< "Left:"
    int height = 140; ///< "Height:"
    int width = 140;  ///< "Width:"
    PageOrientation orientation = PageOrientation::Landscape;
    PageHeader header = PageHeader::Filename;
    std::string customHeader = "Header";
    bool showDate = true;
    bool showCompositionAndMass = false; ///< only offered when a structure is printed
    bool operator==(const PageSetup&) const = default;
};

/// The window as it is created: landscape, the numbers from the structure page settings
/// (Height from `StructureWidth`, Width from `StructureHeight`).
PageSetup pageSetupOnCreation(const Settings& settings);

/// "Defaults": the structure page settings and `Structure_Orientation` when a structure is
/// printed, otherwise the spectrum page settings (`SpectrumWidth` into Height,
/// `SpectrumHeight` into Width) and `Spectrum_Orientation`; 1 is portrait, anything else
/// landscape. The other choices of `current` stay. A setting that is no whole number keeps
/// the box's value; every number is held to the boxes' range 0..200.
PageSetup pageSetupDefaults(const Settings& settings, bool structurePage, PageSetup current);

/// The fixed layout of "Print Report": no date, the file name header, portrait, Top 20,
/// Left 20, Height 80, Width 120; its units are 160 x 200.
PageSetup reportPageSetup();

/// A rectangle in device pixels.
struct PageRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const PageRect&) const = default;
};

/// The frame of a spectrum page on a printable page of `pageWidth` x `pageHeight` pixels:
/// each value of the setup over its page units times the page size, rounded. Units of 0
/// (not yet set) are taken as the setup's orientation gives them.
PageRect pageFrame(const PageSetup& setup, PageUnits units, int pageWidth, int pageHeight);

/// The rectangle a structure picture of `pictureWidth` x `pictureHeight` is stretched into:
/// the setup's Width and Height scaled by the picture's share of the page, centred on the
/// page, kept 100 pixels (200 on a 4800-pixel-wide page) from the left, 200 (400) from the
/// top and 100 from the right and bottom. Top and Left of the setup are not used.
PageRect structurePageFrame(const PageSetup& setup, PageUnits units, int pageWidth, int pageHeight,
                             int pictureWidth, int pictureHeight);

/// What the page setup window's preview shows, in preview pixels (one per page unit).
struct PagePreview {
    std::string headerLabel;       ///< "<Filename>", "<Custom>", or empty (hidden) for no header
    bool dateShown = false;        ///< "<Date>"
    int dateTop = 24;              ///< 24 pixels down under a header label, 9 without
    bool compositionShown = false; ///< "<Compo>" and "<Mass>"
    PageRect image;               ///< the grey cross-hatched image area
    bool operator==(const PagePreview&) const = default;
};

PagePreview pagePreview(const PageSetup& setup);

} // namespace qzx
