#pragma once

#include <cstdint>
#include <vector>

#include "qzxpro.h"

namespace qzx::keysend {

/// The events of one macro in playing order; the records die with the list.
using EventList = std::vector<QzxKeyEvent>;

/// Whether a transition is sent as a system key (the key of an Alt chord without Ctrl).
inline constexpr bool MENU = true;
inline constexpr bool NOT_MENU = false;
/// Direction of a transition.
inline constexpr bool KEY_UP = true;
inline constexpr bool KEY_DOWN = false;

/// Milliseconds of a monotonic clock, wrapping after 2^32 like a tick count.
std::uint32_t tickCount();

/// Records one key with its modifiers: Alt, Ctrl and Shift down (Alt as an ordinary key), the
/// key down and up (as system-key transitions when Alt is held without Ctrl), then Shift, Alt
/// and Ctrl up. `siKeyCode` is a virtual-key code; only its low byte is recorded.
void SimulateKeyPress(EventList& list, std::int16_t siKeyCode, bool fAltKey, bool fShiftKey,
                      bool fCtrlKey);

/// Records one transition: `fControl` is MENU or NOT_MENU, `fUp` KEY_UP or KEY_DOWN.
void KeyPress(EventList& list, std::int16_t siKeyCode, bool fControl, bool fUp);

/// Appends one event record of the window message `iMessageType` (QZX_MSG_KEYDOWN, ...).
void CreateMessage(EventList& list, std::int16_t siKeyCode, std::uint32_t iMessageType);

} // namespace qzx::keysend
