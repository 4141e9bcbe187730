#pragma once

namespace qzx::keysend {

/// The X keysym that plays a virtual-key code: Shift_L, Control_L and Alt_L for the modifiers,
/// the small letter for a letter key, the digit, the unshifted punctuation of a US keyboard,
/// and the named keys of the special-key table. 0 for a code without a keysym here.
unsigned long keysymForVirtualKey(int virtualKey);

} // namespace qzx::keysend
