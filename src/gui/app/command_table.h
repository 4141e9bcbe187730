#pragma once

#include <span>
#include <string_view>

namespace qzx {

/// What a main-window command is, on screen.
enum class CommandKind {
    Menu,        ///< a menu of the menu bar (or the popup menu itself)
    Submenu,     ///< an item that opens a submenu ("Copy", "Valence")
    Action,      ///< a menu or popup item that runs a command
    SpeedButton, ///< a button of the speed bar
};

/// When a command can be chosen, besides having a window that serves it.
enum class Enabling {
    Always,
    Structure,           ///< only while a structure is drawn
    DrawMode,            ///< not in analyze mode
    StructureInDrawMode, ///< both of the above
};

/// Which option or mode a check mark (or a speed button's down state) shows.
enum class CheckMark {
    None,
    DrawMode,
    AnalyzeMode,
    LineShape,
    BoxShape,
    RegionShape,
    SelectMode,
    ValenceAdd,
    ValenceSubtract,
    ShowAllAtoms,
    SubFragment,
    MultiFragment,
    AccurateMass,
    ShowFragmentComposition,
    ShowBoxPopup,
    ShowLabel,
};

/// One command of the main window's menus, popup menu or speed bar.
struct CommandSpec {
    const char* name;     ///< object name, e.g. "m1New", "puUndo", "SpeedButton53"
    const char* caption;  ///< menu text, or the speed button's short caption
    const char* shortcut; ///< in portable key text ("Ctrl+N", "F2"); empty for none
    const char* place;    ///< name of the menu it belongs to, "PopupMenu1" or "Panel3"
    CommandKind kind = CommandKind::Action;
    Enabling enabling = Enabling::Always;
    CheckMark check = CheckMark::None;
    /// The command whose handler this one runs (a speed button or popup item that repeats a
    /// menu command); empty when it has a handler of its own.
    const char* runs = "";
    const char* hint = "";   ///< a speed button's hint
    bool groupStart = false; ///< a separator (menus) or a gap (speed bar) comes before it

    /// The name under which its handler is registered.
    std::string_view handlerName() const { return *runs ? runs : name; }
    bool checkable() const { return check != CheckMark::None; }
};

/// Every command of the main window in the order the menus, popup menu and speed bar show
/// them; the menu bar's menus come before their items.
std::span<const CommandSpec> commandTable();

/// The command of that object name, or nullptr.
const CommandSpec* findCommand(std::string_view name);

/// The state that decides what the commands show: enabled or not, checked or not.
struct CommandView {
    bool structurePresent = false; ///< the structure has at least one atom
    bool analyzeMode = false;
    int fragmentShape = 1; ///< 1 line, 2 box, 3 region
    bool selectMode = false;
    bool valenceAdd = false;
    bool valenceSubtract = false;
    bool showAllAtoms = false;
    bool subFragment = false;
    bool multiFragment = false;
    bool accurateMass = false;
    bool showFragmentComposition = false;
    bool showBoxPopup = true;
    bool showLabel = false;
    bool undoShowsRedo = false; ///< the popup's undo item reads "Redo"
};

/// Whether `command` can be chosen. `served` tells whether a handler is registered for it:
/// a command whose window is not part of the program yet is never enabled. Menus and
/// submenus are always served.
bool commandEnabled(const CommandSpec& command, const CommandView& view, bool served);

/// Whether `command` shows a check mark (a speed button: whether it is down).
bool commandChecked(const CommandSpec& command, const CommandView& view);

/// The caption as it reads in `view` (the popup's "Undo" reads "Redo" after an undo).
const char* commandCaption(const CommandSpec& command, const CommandView& view);

} // namespace qzx
