#pragma once

#include <filesystem>

#include "chem/element_data_files.h"
#include "chem/element_table.h"
#include "settings/settings.h"
#include "structure/structure.h"
#include "structure/structure_composition.h"

namespace qzx {

/// The program's process-wide records, created once by main() and handed by reference to
/// every window. Nothing of this lives in global variables.
struct AppState {
    /// The folder that holds the program, its data files, QZXPRO.INI and the help topics.
    std::filesystem::path programDirectory;
    ElementTable elements;
    CalcElementSlots calcElementSlots = kDefaultCalcElementSlots;
    Settings settings;
    /// The drawn molecule.
    Structure structure;
    /// Its composition text and mass as of the last repaint.
    StructureMasses structureMasses;

    /// QZXPRO.INI in the program's folder.
    std::filesystem::path settingsFile() const { return programDirectory / "QZXPRO.INI"; }
};

/// The folder of the running executable, from Qt's application object.
std::filesystem::path applicationFolder();

} // namespace qzx
