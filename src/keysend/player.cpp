#include "player.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "key_symbols.h"

namespace qzx::keysend {
namespace {

/// A short pause after each event, as between the strokes of a fast typist: the server keeps
/// the order anyway, but some programs react to a key only once they have seen the previous one.
constexpr std::chrono::milliseconds PauseBetweenEvents{5};

Display* display(void* handle) {
    return static_cast<Display*>(handle);
}

/// Xlib's default handler ends the process on any protocol error; an error during playback must
/// not take the calling program down with it.
int ignoreXError(Display*, XErrorEvent*) {
    return 0;
}

using ErrorHandler = int (*)(Display*, XErrorEvent*);

} // namespace

X11Player::~X11Player() {
    remove();
}

bool X11Player::install(const EventList& events) {
    remove();
    Display* d = XOpenDisplay(nullptr);
    if (d == nullptr) return false;
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(d, &eventBase, &errorBase, &major, &minor)) {
        XCloseDisplay(d);
        return false;
    }
    m_keycodes.fill(0);
    for (const QzxKeyEvent& event : events) {
        const unsigned virtualKey = event.paramL & 0xFFu;
        if (m_keycodes[virtualKey] != 0) continue;
        const unsigned long keysym = keysymForVirtualKey(static_cast<int>(virtualKey));
        const KeyCode keycode = keysym != 0 ? XKeysymToKeycode(d, keysym) : 0;
        if (keycode == 0) { // decided before anything is pressed
            XCloseDisplay(d);
            return false;
        }
        m_keycodes[virtualKey] = keycode;
    }
    m_display = d;
    m_previousErrorHandler = reinterpret_cast<void (*)()>(XSetErrorHandler(&ignoreXError));
    return true;
}

void X11Player::play(const QzxKeyEvent& event) {
    if (m_display == nullptr) return;
    const unsigned char keycode = m_keycodes[event.paramL & 0xFFu];
    const bool press = event.message == QZX_MSG_KEYDOWN || event.message == QZX_MSG_SYSKEYDOWN;
    XTestFakeKeyEvent(display(m_display), keycode, press ? True : False, CurrentTime);
    XSync(display(m_display), False);
    if (press) {
        m_held.push_back(keycode);
    } else {
        const auto held = std::find(m_held.begin(), m_held.end(), keycode);
        if (held != m_held.end()) m_held.erase(held);
    }
    std::this_thread::sleep_for(PauseBetweenEvents);
}

void X11Player::remove() {
    if (m_display == nullptr) return;
    for (auto key = m_held.rbegin(); key != m_held.rend(); ++key)
        XTestFakeKeyEvent(display(m_display), *key, False, CurrentTime);
    m_held.clear();
    XSync(display(m_display), False);
    XSetErrorHandler(reinterpret_cast<ErrorHandler>(m_previousErrorHandler));
    XCloseDisplay(display(m_display));
    m_display = nullptr;
    m_previousErrorHandler = nullptr;
}

} // namespace qzx::keysend
