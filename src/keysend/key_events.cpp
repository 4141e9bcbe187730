#include "key_events.h"

#include <chrono>

#include "key_codes.h"

namespace qzx::keysend {

std::uint32_t tickCount() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

void SimulateKeyPress(EventList& list, std::int16_t siKeyCode, bool fAltKey, bool fShiftKey,
                      bool fCtrlKey) {
    if (fAltKey) KeyPress(list, VkMenu, NOT_MENU, KEY_DOWN);
    if (fCtrlKey) KeyPress(list, VkControl, NOT_MENU, KEY_DOWN);
    if (fShiftKey) KeyPress(list, VkShift, NOT_MENU, KEY_DOWN);
    const bool control = fAltKey && !fCtrlKey ? MENU : NOT_MENU;
    KeyPress(list, siKeyCode, control, KEY_DOWN);
    KeyPress(list, siKeyCode, control, KEY_UP);
    if (fShiftKey) KeyPress(list, VkShift, NOT_MENU, KEY_UP);
    if (fAltKey) KeyPress(list, VkMenu, NOT_MENU, KEY_UP);
    if (fCtrlKey) KeyPress(list, VkControl, NOT_MENU, KEY_UP);
}

void KeyPress(EventList& list, std::int16_t siKeyCode, bool fControl, bool fUp) {
    std::uint32_t message = 0;
    if (fControl == MENU)
        message = fUp ? QZX_MSG_SYSKEYUP : QZX_MSG_SYSKEYDOWN;
    else
        message = fUp ? QZX_MSG_KEYUP : QZX_MSG_KEYDOWN;
    CreateMessage(list, siKeyCode, message);
}

void CreateMessage(EventList& list, std::int16_t siKeyCode, std::uint32_t iMessageType) {
    const std::uint32_t virtualKey = static_cast<std::uint32_t>(siKeyCode) & 0xFFu;
    QzxKeyEvent event{};
    event.message = iMessageType;
    event.paramL = virtualKey | (std::uint32_t{mapVirtualKey(static_cast<int>(virtualKey))} << 8);
    event.paramH = 1;
    event.time = tickCount();
    event.hwnd = 0;
    list.push_back(event);
}

} // namespace qzx::keysend
