#pragma once

namespace qzx {

class AboutBox;
class NoticeWindow;
class StatusWindow;
class ShortcutsWindow;
class HelpBrowser;

/// The windows that live from start to exit beside the main window, shown and hidden but
/// never recreated. main() creates them in the program's fixed order, after the main window.
struct AppWindows {
    AboutBox* aboutBox = nullptr;         ///< TAboutBox
    NoticeWindow* notice = nullptr;       ///< TMsgForm
    StatusWindow* status = nullptr;       ///< TStatform
    ShortcutsWindow* shortcuts = nullptr; ///< TShrtform
    HelpBrowser* help = nullptr;          ///< the help topics viewer
};

} // namespace qzx
