#pragma once

#include <string_view>

#include "key_events.h"

namespace qzx::keysend {

/// Parses a key macro and appends its events to `list`. Returns 0, QZX_ERROR_SPECIAL_CHARACTER
/// (a name in braces that is not a special key, or a character no key types) or
/// QZX_ERROR_CLOSING_BRACE (a "{" without its "}"); on an error the caller discards the list.
/// A modifier at the very end of the macro is ignored.
int ParseMacro(std::string_view sMacro, EventList& list);

} // namespace qzx::keysend
