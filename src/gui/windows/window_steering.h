#pragma once

#include <cstdint>
#include <vector>

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

/// The main window's structure as the autofragment windows show fragments on it.
class StructureDisplay {
public:
    virtual ~StructureDisplay() = default;
    /// Redraws the structure in its normal colours (marks of a fragment disappear).
    virtual void redrawStructure() = 0;
    /// Redraws the structure and marks the given atoms (rows of the atom table).
    virtual void showFragmentAtoms(const std::vector<std::int32_t>& atoms) = 0;
};

/// The isotopic profiler as the autofragment results use it ("Isotopes").
class IsotopeProfilerDisplay {
public:
    virtual ~IsotopeProfilerDisplay() = default;
    /// Writes the formula into "Composition", calculates and shows the profiler modally.
    virtual void showProfileOf(const QString& formula) = 0;
};

/// The spectrum window as the autofragment results use it ("Match", "Exit").
class SpectrumMatchDisplay {
public:
    virtual ~SpectrumMatchDisplay() = default;
    /// Makes the comparison panel and "Isotope Match " visible and shows the window modally.
    virtual void showForMatch() = 0;
    /// Hides the comparison panel and "Isotope Match " again.
    virtual void hideMatch() = 0;
};

/// The autofragment results window as the options window hands a finished run to it.
class AutofragmentResultsDisplay {
public:
    virtual ~AutofragmentResultsDisplay() = default;
    /// Lists the last run's fragments, selects row 0 and shows the window without blocking.
    virtual void showResults() = 0;
};

/// The main window's options that the preferences switch at once.
class MainWindowOptions {
public:
    virtual ~MainWindowOptions() = default;
    /// "Use Accurate Mass" checked or not; the panels show the mass anew.
    virtual void setAccurateMass(bool on) = 0;
    /// The label panel shown (in the background colour) or hidden, its menu item checked.
    virtual void setLabelShown(bool on) = 0;
    /// The drawing area's scroll bars on (range 1000) or off.
    virtual void setScrollBarsOn(bool on) = 0;
    virtual void setShowFragmentComposition(bool on) = 0;
    virtual void setShowBoxPopup(bool on) = 0;
    /// Tool-tip hints of the whole program.
    virtual void setHintsShown(bool on) = 0;
};

/// The spectrum window's "Save..." as the capture tool switches it.
class SpectrumSaveSwitch {
public:
    virtual ~SpectrumSaveSwitch() = default;
    virtual void setSaveEnabled(bool on) = 0;
};

} // namespace qzx
