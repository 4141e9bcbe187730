#include "platform/x11_focus.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <unistd.h>

#include <optional>
#include <thread>
#include <vector>

namespace qzx {
namespace {

using Clock = std::chrono::steady_clock;
constexpr std::chrono::milliseconds PollPause{25};
constexpr std::chrono::milliseconds RequestInterval{300};
/// How long after the started program ended a window of a running instance may take the focus.
constexpr std::chrono::seconds HandOverGrace{5};
/// How deep below a window its program's own window may sit (window-manager frames nest).
constexpr int SearchDepth = 3;

/// Windows vanish while we look at them; Xlib's default handler would end the process then.
int ignoreXError(Display*, XErrorEvent*) {
    return 0;
}

/// A connection to the X server with the atoms the wait reads, and an error handler that
/// keeps a vanished window from ending the program.
class FocusProbe {
public:
    FocusProbe() : m_display(XOpenDisplay(nullptr)) {
        if (m_display == nullptr) return;
        m_previousHandler = XSetErrorHandler(&ignoreXError);
        m_root = DefaultRootWindow(m_display);
        m_wmPid = XInternAtom(m_display, "_NET_WM_PID", False);
        m_activeWindow = XInternAtom(m_display, "_NET_ACTIVE_WINDOW", False);
        m_wmCheck = XInternAtom(m_display, "_NET_SUPPORTING_WM_CHECK", False);
    }
    ~FocusProbe() {
        if (m_display == nullptr) return;
        XSync(m_display, False);
        XSetErrorHandler(m_previousHandler);
        XCloseDisplay(m_display);
    }
    FocusProbe(const FocusProbe&) = delete;
    FocusProbe& operator=(const FocusProbe&) = delete;

    bool open() const { return m_display != nullptr; }

    /// The focus window; 0 for none, PointerRoot and the root window (where the focus falls
    /// back when a focused window dies).
    Window focus() const {
        Window window = 0;
        int revertTo = 0;
        XGetInputFocus(m_display, &window, &revertTo);
        if (window == None || window == PointerRoot || window == m_root) return 0;
        return window;
    }

    /// The window just below the root that holds `window`; 0 for 0.
    Window topLevel(Window window) const {
        while (window != 0) {
            const Window up = parent(window);
            if (up == 0 || up == m_root) return window;
            window = up;
        }
        return 0;
    }

    /// True when `window`, one of its ancestors or one of its descendants carries one of `pids`.
    bool ownedBy(Window window, const std::set<ProcessId>& pids) const {
        for (Window w = window; w != 0 && w != m_root; w = parent(w))
            if (pids.count(windowPid(w)) != 0) return true;
        return descendantOwnedBy(window, pids, SearchDepth);
    }

    /// The process id of `window` or of one of the windows below it; 0 when none says.
    ProcessId owner(Window window) const {
        if (const ProcessId pid = windowPid(window); pid != 0) return pid;
        for (Window child : children(window))
            if (const ProcessId pid = owner(child); pid != 0) return pid;
        return 0;
    }

    /// A mapped window of one of `pids`, searched from the root downwards; 0 when none.
    Window findWindow(const std::set<ProcessId>& pids) const {
        return findBelow(m_root, pids, SearchDepth);
    }

    /// Asks for the focus for `window`: through the window manager when one runs (it would
    /// take a focus set behind its back away again), directly otherwise.
    void requestFocus(Window window) const {
        if (windowManagerRunning()) {
            XEvent event{};
            event.xclient.type = ClientMessage;
            event.xclient.window = window;
            event.xclient.message_type = m_activeWindow;
            event.xclient.format = 32;
            event.xclient.data.l[0] = 2; // the request comes from a tool acting for the user
            event.xclient.data.l[1] = CurrentTime;
            XSendEvent(m_display, m_root, False, SubstructureRedirectMask | SubstructureNotifyMask,
                       &event);
        } else {
            XRaiseWindow(m_display, window);
            XSetInputFocus(m_display, window, RevertToParent, CurrentTime);
        }
        XSync(m_display, False);
    }

private:
    ProcessId windowPid(Window window) const {
        Atom type = 0;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(m_display, window, m_wmPid, 0, 1, False, XA_CARDINAL, &type, &format,
                               &count, &after, &data) != Success)
            return 0;
        ProcessId pid = 0;
        // Xlib hands 32-bit properties over as an array of long.
        if (data != nullptr && type == XA_CARDINAL && format == 32 && count == 1)
            pid = static_cast<ProcessId>(*reinterpret_cast<const unsigned long*>(data));
        if (data != nullptr) XFree(data);
        return pid;
    }

    Window parent(Window window) const {
        Window root = 0, up = 0;
        Window* kids = nullptr;
        unsigned count = 0;
        if (!XQueryTree(m_display, window, &root, &up, &kids, &count)) return 0;
        if (kids != nullptr) XFree(kids);
        return up;
    }

    std::vector<Window> children(Window window) const {
        Window root = 0, up = 0;
        Window* kids = nullptr;
        unsigned count = 0;
        if (!XQueryTree(m_display, window, &root, &up, &kids, &count)) return {};
        std::vector<Window> result(kids, kids + count);
        if (kids != nullptr) XFree(kids);
        return result;
    }

    bool descendantOwnedBy(Window window, const std::set<ProcessId>& pids, int depth) const {
        if (depth == 0) return false;
        for (Window child : children(window))
            if (pids.count(windowPid(child)) != 0 || descendantOwnedBy(child, pids, depth - 1))
                return true;
        return false;
    }

    bool viewable(Window window) const {
        XWindowAttributes attributes{};
        return XGetWindowAttributes(m_display, window, &attributes) != 0 &&
               attributes.map_state == IsViewable && attributes.c_class == InputOutput;
    }

    Window findBelow(Window window, const std::set<ProcessId>& pids, int depth) const {
        if (depth == 0) return 0;
        for (Window child : children(window)) {
            if (!viewable(child)) continue;
            if (pids.count(windowPid(child)) != 0) return child;
            if (const Window found = findBelow(child, pids, depth - 1); found != 0) return found;
        }
        return 0;
    }

    bool windowManagerRunning() const {
        Atom type = 0;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(m_display, m_root, m_wmCheck, 0, 1, False, XA_WINDOW, &type, &format,
                               &count, &after, &data) != Success)
            return false;
        Window check = 0;
        if (data != nullptr && type == XA_WINDOW && format == 32 && count == 1)
            check = static_cast<Window>(*reinterpret_cast<const unsigned long*>(data));
        if (data != nullptr) XFree(data);
        XWindowAttributes attributes{};
        return check != 0 && XGetWindowAttributes(m_display, check, &attributes) != 0;
    }

    Display* m_display = nullptr;
    int (*m_previousHandler)(Display*, XErrorEvent*) = nullptr;
    Window m_root = 0;
    Atom m_wmPid = 0;
    Atom m_activeWindow = 0;
    Atom m_wmCheck = 0;
};

} // namespace

FocusWait waitForProgramFocus(ProcessId pid, std::chrono::milliseconds timeout,
                              const std::function<void(std::chrono::milliseconds)>& runEventsFor) {
    FocusProbe probe;
    if (!probe.open()) return FocusWait::NoDisplay;
    const Clock::time_point deadline = Clock::now() + timeout;
    const Window focusedBefore = probe.topLevel(probe.focus());
    const ProcessId self = ::getpid();
    std::set<ProcessId> family{pid}; // everyone ever seen in the family: children may outlive
    Clock::time_point nextRequest = Clock::now();
    std::optional<Clock::time_point> endedAt;
    while (true) {
        const Clock::time_point now = Clock::now();
        const Window focus = probe.focus();
        if (focus != 0 && probe.ownedBy(focus, family)) return FocusWait::Focused;
        if (endedAt && focus != 0) {
            const Window top = probe.topLevel(focus);
            if (top != focusedBefore && probe.owner(top) != self) return FocusWait::Focused;
        }
        if (now >= deadline || (endedAt && now >= *endedAt + HandOverGrace))
            return FocusWait::TimedOut;
        if (now >= nextRequest) {
            const std::set<ProcessId> current = processFamily(pid);
            family.insert(current.begin(), current.end());
            if (!endedAt && !processRunning(pid)) endedAt = now;
            if (const Window window = probe.findWindow(family); window != 0)
                probe.requestFocus(window);
            nextRequest = now + RequestInterval;
        }
        if (runEventsFor)
            runEventsFor(PollPause);
        else
            std::this_thread::sleep_for(PollPause);
    }
}

} // namespace qzx
