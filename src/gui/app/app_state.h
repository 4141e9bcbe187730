#pragma once

#include <filesystem>

#include "chem/element_data_files.h"
#include "chem/element_table.h"
#include "settings/settings.h"

namespace qzx {

/// The program's process-wide records, created once by main() and handed by reference to
/// every window. Nothing of this lives in global variables.
struct AppState {
    /// The folder that holds the program, its data files, QZXPRO.INI and the help topics.
    std::filesystem::path programDirectory;
    ElementTable elements;
    CalcElementSlots calcElementSlots = kDefaultCalcElementSlots;
    Settings settings;

    /// QZXPRO.INI in the program's folder.
    std::filesystem::path settingsFile() const { return programDirectory / "QZXPRO.INI"; }
};

/// The folder of the running executable, from Qt's application object.
std::filesystem::path applicationFolder();

} // namespace qzx
