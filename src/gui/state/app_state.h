#pragma once

#include <filesystem>
#include <memory>

#include "chem/element_data_files.h"
#include "chem/element_table.h"
#include "chem/fragments.h"
#include "settings/settings.h"
#include "spectrum/spectrum.h"
#include "state/print_state.h"
#include "state/state_notifier.h"
#include "structure/fragment_cuts.h"
#include "structure/structure.h"
#include "structure/structure_composition.h"

namespace qzx {

class Prompter;

/// The program's process-wide records, made once at start-up and handed by reference to every
/// window. Nothing of this lives in global variables; a test makes its own.
struct AppState {
    /// The folder that holds the program, its data files, QZXPRO.INI and the help topics.
    std::filesystem::path programDirectory;
    ElementTable elements;
    /// The element rows of the formula calculator's seven element slots.
    CalcElementSlots calcElementSlots = kDefaultCalcElementSlots;
    Settings settings;
    /// The drawn molecule.
    Structure structure;
    /// Its composition text and mass as of the last change (`StructureComposition`, ...).
    StructureMasses structureMasses;
    /// The line and box cuts made by hand in Analyze mode, for the structure picture.
    CutList cuts;
    /// Masses are monoisotopic (true) or nominal (false); starts from the "Accurate Mass" setting.
    bool UseAccurateMass = false;
    /// The fragments of the last autofragment run.
    FragmentTable fragments;
    /// The spectrum with its labels and the results of the last comparison.
    Spectrum spectrum;
    /// The choice of the spectrum's print dialog: 1 "Print Report", 2 "Print Spectrum Only",
    /// 3 "Cancel" (0 until it was first asked).
    int spectrumPrintChoice = 0;
    /// The printer and the page units of the page setup.
    PrintState print;
    /// Signals the windows when one of the records above changed.
    StateNotifier changes;

    /// QZXPRO.INI in the program's folder.
    std::filesystem::path settingsFile() const { return programDirectory / "QZXPRO.INI"; }
};

/// The start-up loading, for the program and for tests alike: reads QZXPRO.INI from
/// `programDirectory` into the settings (defaults where the file or a key is missing), then
/// the element table from the data files there. A missing or damaged data file is reported
/// through `prompter` after the error signal, and leaves an all-zero table so the program
/// still starts.
std::unique_ptr<AppState> loadAppState(const std::filesystem::path& programDirectory,
                                       Prompter& prompter);

/// The folder of the running executable, from Qt's application object.
std::filesystem::path applicationFolder();

} // namespace qzx
