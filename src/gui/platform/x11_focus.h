#pragma once

#include <chrono>
#include <functional>

#include "platform/process_tree.h"

namespace qzx {

enum class FocusWait {
    Focused,   ///< a window of the started program has the keyboard focus
    NoDisplay, ///< there is no X display to ask
    TimedOut,  ///< no window of the program took the focus before the deadline
};

/// Waits until a window of process `pid`, or of a process it started, holds the X keyboard focus
/// (the focus window, one of its ancestors or children carries the process id in _NET_WM_PID).
/// Every ~300 ms it asks for the focus for the program's window: through the window manager
/// (_NET_ACTIVE_WINDOW) when one runs, directly otherwise, since without a window manager a new
/// window stays unfocused. A program that ends at once after handing its work to an instance
/// already running (office suites do) counts as focused when, after it ended, the focus moves
/// to a window of another program than this one (after at most 5 seconds it gives up).
/// Between polls `runEventsFor` is called with the pause (~25 ms) to run the caller's event loop
/// meanwhile; without it the wait just sleeps.
FocusWait
waitForProgramFocus(ProcessId pid, std::chrono::milliseconds timeout,
                    const std::function<void(std::chrono::milliseconds)>& runEventsFor = {});

} // namespace qzx
