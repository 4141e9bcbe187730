#pragma once

#include <QString>

namespace qzx {

/// The fragment mass window as the main window steers it: a box or region cut fills and shows
/// it; New, Draw mode, a change of the fragment shape and switching "Show BoxFrag Popup" off
/// hide it.
class FragmentMassDisplay {
public:
    virtual ~FragmentMassDisplay() = default;
    /// Shows the two values, the second under `secondCaption`, without blocking the caller.
    virtual void showFragmentMasses(const QString& firstValue, const QString& secondCaption,
                                    const QString& secondValue) = 0;
    virtual void hideFragmentMasses() = 0;
};

/// The notice window as other windows use it: the isotope calculations' notices, each shown
/// modally after one system beep.
class NoticeDisplay {
public:
    virtual ~NoticeDisplay() = default;
    virtual void showNotice(const QString& text) = 0;
};

/// The element windows as other windows use them: the periodic table (the isotopic profiler's
/// "Elements...") and the element list (the formula calculator's rows 5-7).
class ElementWindows {
public:
    virtual ~ElementWindows() = default;
    /// Shows the periodic table window modally.
    virtual void showPeriodicTable() = 0;
    /// Shows the element list modally; the element number chosen with OK, or 0.
    virtual int chooseElement() = 0;
};

/// The formula calculator as the spectrum window uses it: a Ctrl-click on a peak opens it for
/// that peak's mass, modally.
class FormulaCalculatorDisplay {
public:
    virtual ~FormulaCalculatorDisplay() = default;
    /// Shows the calculator with "Molecular Weight" = `mass`, "Tolerance" 0.5 and O and N
    /// checked, with `menuNote` shown in its menu bar until it closes (empty for none).
    virtual void showForPeak(int mass, const QString& menuNote) = 0;
};

/// The spectrum editor as the spectrum tools use it ("Edit Data", the capture tool's table).
class SpectrumEditorDisplay {
public:
    virtual ~SpectrumEditorDisplay() = default;
    /// Shows the editor modally with the spectrum's peaks; they go back into the spectrum,
    /// as whole numbers, when it closes.
    virtual void editSpectrum() = 0;
};

} // namespace qzx
