#pragma once

#include <array>
#include <vector>

#include "key_sender.h"

namespace qzx::keysend {

/// Plays recorded key events on the X display named by DISPLAY through the XTest extension,
/// so the window with the keyboard focus receives them as if typed. Xlib stays inside the .cpp
/// file: its macros clash with other headers.
class X11Player : public PlaybackSystem {
public:
    X11Player() = default;
    ~X11Player() override;
    X11Player(const X11Player&) = delete;
    X11Player& operator=(const X11Player&) = delete;

    /// Opens the display and looks up the keycode of every event's key. False, with nothing
    /// sent, when there is no display, no XTest, or a key the keyboard map lacks.
    bool install(const EventList& events) override;
    /// Presses (key down, system key down) or releases (key up, system key up) the event's key
    /// and waits until the server has processed it.
    void play(const QzxKeyEvent& event) override;
    /// Releases any key still held and closes the display.
    void remove() override;

private:
    void* m_display = nullptr;
    void (*m_previousErrorHandler)() = nullptr;  ///< Xlib's handler before playback
    std::array<unsigned char, 256> m_keycodes{}; ///< X keycode by virtual-key code; 0 = none
    std::vector<unsigned char> m_held;           ///< keycodes pressed and not yet released
};

} // namespace qzx::keysend
