#include "key_symbols.h"

#include <X11/keysym.h>

#include "key_codes.h"

namespace qzx::keysend {

unsigned long keysymForVirtualKey(int virtualKey) {
    if (virtualKey >= 'A' && virtualKey <= 'Z')
        return static_cast<unsigned long>(XK_a + (virtualKey - 'A'));
    if (virtualKey >= '0' && virtualKey <= '9')
        return static_cast<unsigned long>(XK_0 + (virtualKey - '0'));
    if (virtualKey >= 112 && virtualKey <= 123)
        return static_cast<unsigned long>(XK_F1 + (virtualKey - 112));
    switch (virtualKey) {
    case 3:
        return XK_Break;
    case 8:
        return XK_BackSpace;
    case 9:
        return XK_Tab;
    case 12:
        return XK_Clear;
    case 13:
        return XK_Return;
    case VkShift:
        return XK_Shift_L;
    case VkControl:
        return XK_Control_L;
    case VkMenu:
        return XK_Alt_L;
    case 20:
        return XK_Caps_Lock;
    case 27:
        return XK_Escape;
    case 32:
        return XK_space;
    case 33:
        return XK_Prior;
    case 34:
        return XK_Next;
    case 35:
        return XK_End;
    case 36:
        return XK_Home;
    case 37:
        return XK_Left;
    case 38:
        return XK_Up;
    case 39:
        return XK_Right;
    case 40:
        return XK_Down;
    case 44:
        return XK_Print;
    case 45:
        return XK_Insert;
    case 46:
        return XK_Delete;
    case 47:
        return XK_Help;
    case 144:
        return XK_Num_Lock;
    case 0xBA:
        return XK_semicolon;
    case 0xBB:
        return XK_equal;
    case 0xBC:
        return XK_comma;
    case 0xBD:
        return XK_minus;
    case 0xBE:
        return XK_period;
    case 0xBF:
        return XK_slash;
    case 0xC0:
        return XK_grave;
    case 0xDB:
        return XK_bracketleft;
    case 0xDC:
        return XK_backslash;
    case 0xDD:
        return XK_bracketright;
    case 0xDE:
        return XK_apostrophe;
    default:
        return 0;
    }
}

} // namespace qzx::keysend
