#pragma once

namespace qzx {

/// Asks the C library to keep memory the program frees for its next use instead of handing
/// it back to the system at once. A formula search or autofragment run builds lists of
/// several megabytes; returned to the system, each new run pays for mapping and clearing
/// those pages again, which can cost more than the search itself. Call once, at start-up.
void retainFreedMemory();

} // namespace qzx
