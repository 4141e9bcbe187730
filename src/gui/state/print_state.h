#pragma once

#include <memory>

class QPrinter;

namespace qzx {

/// The printing records shared by every print command: the printer with its chosen page size
/// and orientation, and the page units of the page setup (160 x 200 in portrait, 200 x 160 in
/// landscape; 0 until a print command or the page setup first sets them).
class PrintState {
public:
    PrintState();
    ~PrintState();
    PrintState(const PrintState&) = delete;
    PrintState& operator=(const PrintState&) = delete;

    /// The program's printer, made on first use (asking the print system for its printers
    /// takes time, so start-up does not do it): US Letter at 300 dots per inch, the
    /// resolution the printed pages are laid out in.
    QPrinter& printer();

    /// The text factor of the pictures: 2 when the printer's page is exactly 4,800 pixels
    /// wide, else 1.
    int pictureTextFactor();

    int pageWidthUnits = 0;
    int pageHeightUnits = 0;

private:
    std::unique_ptr<QPrinter> m_printer;
};

} // namespace qzx
