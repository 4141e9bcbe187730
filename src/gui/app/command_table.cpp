#include "app/command_table.h"

#include <array>

namespace qzx {
namespace {

using K = CommandKind;
using E = Enabling;
using C = CheckMark;

// The menus, the popup menu and the speed bar, in the order they show their items.
constexpr CommandSpec kCommands[] = {
    // name, caption, shortcut, place, kind, enabling, check, runs, hint, groupStart
    {"m1File", "&File", "", "", K::Menu},
    {"m1New", "New", "Ctrl+N", "m1File"},
    {"m1Open", "Open...", "Ctrl+O", "m1File"},
    {"m1Save", "Save", "Ctrl+S", "m1File", K::Action, E::Structure},
    {"m1SaveAs", "Save As...", "Ctrl+A", "m1File", K::Action, E::Structure},
    {"m1Molimport", "Import Molfile...", "", "m1File", K::Action, E::Always, C::None, "", "", true},
    {"m1Molexport", "Export Molfile...", "", "m1File", K::Action, E::Structure},
    {"m1MolBndLen", "Set MolBondLength", "", "m1File"},
    {"m1RLoad", "Load R Group...", "", "m1File", K::Action, E::Always, C::None, "", "", true},
    {"m1RSave", "Save R Group...", "", "m1File", K::Action, E::StructureInDrawMode},
    {"m1Delete", "Delete File...", "Ctrl+D", "m1File", K::Action, E::Always, C::None, "", "", true},
    {"m1PrintSetup", "Print Setup...", "", "m1File", K::Action, E::Always, C::None, "", "", true},
    {"m1Print", "Print...", "Ctrl+P", "m1File", K::Action, E::Structure},
    {"m1Exit", "Exit", "Ctrl+X", "m1File", K::Action, E::Always, C::None, "", "", true},

    {"m2Edit", "&Edit", "", "", K::Menu},
    {"m2Select", "Select", "F2", "m2Edit", K::Action, E::StructureInDrawMode, C::SelectMode},
    {"m2Elements", "Elements", "", "m2Edit"},
    {"m2Copy", "Copy", "", "m2Edit", K::Submenu, E::Structure},
    {"m2CopyMetafile", "As Metafile", "", "m2Copy"},
    {"m2CopyBitmap", "As Bitmap", "", "m2Copy"},
    {"m2CopyWord", "Copy to WordPad", "", "m2Edit", K::Action, E::Structure},
    {"m2Valence", "Valence", "", "m2Edit", K::Submenu, E::StructureInDrawMode},
    {"m2ValAdd", "Add", "F3", "m2Valence", K::Action, E::Always, C::ValenceAdd},
    {"m2ValSub", "Subtract", "F4", "m2Valence", K::Action, E::Always, C::ValenceSubtract},
    {"m2Bonds", "Reduce Bond", "", "m2Edit", K::Action, E::StructureInDrawMode},

    {"m3Options", "&Options", "", "", K::Menu},
    {"m3Loss", "Loss of...", "Ctrl+L", "m3Options", K::Action, E::Structure},
    {"m3Preferences", "Preferences", "F5", "m3Options"},
    {"m3ShowAtoms", "Show All Atoms", "", "m3Options", K::Action, E::Always, C::ShowAllAtoms, "",
     "", true},
    {"m3SubFrag", "SubFragment", "", "m3Options", K::Action, E::Always, C::SubFragment},
    {"m3MultiFrag", "Multi Fragment", "", "m3Options", K::Action, E::Always, C::MultiFragment},
    {"m3AccMass", "Use Accurate Mass", "", "m3Options", K::Action, E::Always, C::AccurateMass},
    {"m3ShowFragComp", "Show Fragment Comp", "", "m3Options", K::Action, E::Always,
     C::ShowFragmentComposition},
    {"m3ShowBoxPopUp", "Show BoxFrag Popup", "", "m3Options", K::Action, E::Always,
     C::ShowBoxPopup},
    {"m3ShowLabel", "Show Label", "", "m3Options", K::Action, E::Always, C::ShowLabel},
    // The view's zoom: the drawing keeps its pixels, only the screen scales it.
    {"m3Zoom", "Zoom", "", "m3Options", K::Submenu, E::Always, C::None, "", "", true},
    {"m3ZoomIn", "Zoom In", "Ctrl+=", "m3Zoom"},
    {"m3ZoomOut", "Zoom Out", "Ctrl+-", "m3Zoom"},
    {"m3ZoomActual", "Actual Size", "Ctrl+0", "m3Zoom"},

    {"m4Tools", "&Tools", "", "", K::Menu},
    {"m4IsoPro", "Isotopic Profiler", "Ctrl+I", "m4Tools"},
    {"m4EFC", "Elemental Formula", "Ctrl+E", "m4Tools"},
    {"m4SpecCap", "Spectrum Capture", "", "m4Tools"},

    {"m5Autofragment", "&Autofragment", "", "", K::Menu},
    {"m5AutoFragStart", "Start Autofragment", "", "m5Autofragment"},

    {"m6Spectrum", "&Spectrum", "", "", K::Menu},
    {"m6SpecShow", "Show Spectrum", "F6", "m6Spectrum"},
    {"m6SpecEdit", "Spectrum Editor", "F7", "m6Spectrum"},

    {"m7Help", "&Help", "", "", K::Menu},
    {"m7HelpContents", "Help Contents", "F1", "m7Help"},
    {"m7HelpSearch", "Search for Help on...", "", "m7Help"},
    {"m7Status", "Status", "", "m7Help", K::Action, E::Always, C::None, "", "", true},
    {"m7FirstUse", "First Time User", "", "m7Help"},
    {"m7ShortCuts", "Shortcuts", "F8", "m7Help"},
    {"FAQ1", "FAQ", "", "m7Help"},
    {"m7About", "About QZX 4.0", "", "m7Help", K::Action, E::Always, C::None, "", "", true},

    // The popup menu of the drawing surface.
    {"puSelect", "Select", "", "PopupMenu1", K::Action, E::DrawMode, C::SelectMode, "m2Select"},
    {"puValence", "Valence", "", "PopupMenu1", K::Submenu, E::DrawMode},
    {"puAdd", "Add", "", "puValence", K::Action, E::Always, C::ValenceAdd, "m2ValAdd"},
    {"puSubtract", "Subtract", "", "puValence", K::Action, E::Always, C::ValenceSubtract,
     "m2ValSub"},
    {"puUndo", "Undo", "", "PopupMenu1", K::Action, E::DrawMode},
    {"puShow", "Show Atoms", "", "PopupMenu1", K::Action, E::Always, C::ShowAllAtoms,
     "m3ShowAtoms"},
    {"puAnalyze", "Analyze", "", "PopupMenu1", K::Action, E::Always, C::AnalyzeMode},
    {"puRedraw", "Redraw Screen", "", "PopupMenu1", K::Action, E::Always, C::None, "SpeedButton60"},
    {"puCancel", "<Cancel>", "", "PopupMenu1", K::Action, E::Always, C::None, "", "", true},

    // The speed bar, left to right.
    {"SpeedButton49", "Draw", "", "Panel3", K::SpeedButton, E::Always, C::DrawMode, "", "Draw"},
    {"SpeedButton50", "Analyze", "", "Panel3", K::SpeedButton, E::Always, C::AnalyzeMode, "",
     "Analyze"},
    {"SpeedButton54", "Line", "", "Panel3", K::SpeedButton, E::Always, C::LineShape, "",
     "Linear Mode", true},
    {"SpeedButton55", "Box", "", "Panel3", K::SpeedButton, E::Always, C::BoxShape, "", "Box Mode"},
    {"SpeedButton56", "Region", "", "Panel3", K::SpeedButton, E::Always, C::RegionShape, "",
     "Region Mode"},
    {"SpeedButton51", "Open", "", "Panel3", K::SpeedButton, E::Always, C::None, "m1Open",
     "Open File", true},
    {"SpeedButton52", "Save As", "", "Panel3", K::SpeedButton, E::Structure, C::None, "m1SaveAs",
     "Save File As..."},
    {"SpeedButton53", "Erase", "", "Panel3", K::SpeedButton, E::Structure, C::None, "m1New",
     "Erase Screen"},
    {"SpeedButton57", "Isotopes", "", "Panel3", K::SpeedButton, E::Always, C::None, "m4IsoPro",
     "Isotopic Profile", true},
    {"SpeedButton62", "Formulas", "", "Panel3", K::SpeedButton, E::Always, C::None, "m4EFC",
     "Elemental Formulas"},
    {"SpeedButton64", "Autofrag", "", "Panel3", K::SpeedButton, E::Always, C::None,
     "m5AutoFragStart", "Autofragment"},
    {"SpeedButton59", "Spectrum", "", "Panel3", K::SpeedButton, E::Always, C::None, "m6SpecShow",
     "Show Spectrum"},
    {"SpeedButton63", "Scan", "", "Panel3", K::SpeedButton, E::Always, C::None, "m4SpecCap",
     "Import Scanned Spectrum"},
    {"SpeedButton58", "Scroll", "", "Panel3", K::SpeedButton, E::Always, C::None, "", "Scroll Bars",
     true},
    {"SpeedButton60", "Redraw", "", "Panel3", K::SpeedButton, E::Always, C::None, "",
     "Redraw Screen"},
    {"SpeedButton61", "Exit", "", "Panel3", K::SpeedButton, E::Always, C::None, "m1Exit", "Exit",
     true},
};

} // namespace

std::span<const CommandSpec> commandTable() {
    return kCommands;
}

const CommandSpec* findCommand(std::string_view name) {
    for (const CommandSpec& command : kCommands)
        if (name == command.name) return &command;
    return nullptr;
}

bool commandEnabled(const CommandSpec& command, const CommandView& view, bool served) {
    const bool containsOthers =
        command.kind == CommandKind::Menu || command.kind == CommandKind::Submenu;
    if (!served && !containsOthers) return false;
    switch (command.enabling) {
    case Enabling::Always:
        return true;
    case Enabling::Structure:
        return view.structurePresent;
    case Enabling::DrawMode:
        return !view.analyzeMode;
    case Enabling::StructureInDrawMode:
        return view.structurePresent && !view.analyzeMode;
    }
    return false;
}

bool commandChecked(const CommandSpec& command, const CommandView& view) {
    switch (command.check) {
    case CheckMark::None:
        return false;
    case CheckMark::DrawMode:
        return !view.analyzeMode;
    case CheckMark::AnalyzeMode:
        return view.analyzeMode;
    case CheckMark::LineShape:
        return view.fragmentShape == 1;
    case CheckMark::BoxShape:
        return view.fragmentShape == 2;
    case CheckMark::RegionShape:
        return view.fragmentShape == 3;
    case CheckMark::SelectMode:
        return view.selectMode;
    case CheckMark::ValenceAdd:
        return view.valenceAdd;
    case CheckMark::ValenceSubtract:
        return view.valenceSubtract;
    case CheckMark::ShowAllAtoms:
        return view.showAllAtoms;
    case CheckMark::SubFragment:
        return view.subFragment;
    case CheckMark::MultiFragment:
        return view.multiFragment;
    case CheckMark::AccurateMass:
        return view.accurateMass;
    case CheckMark::ShowFragmentComposition:
        return view.showFragmentComposition;
    case CheckMark::ShowBoxPopup:
        return view.showBoxPopup;
    case CheckMark::ShowLabel:
        return view.showLabel;
    }
    return false;
}

const char* commandCaption(const CommandSpec& command, const CommandView& view) {
    if (view.undoShowsRedo && std::string_view(command.name) == "puUndo") return "Redo";
    return command.caption;
}

} // namespace qzx
