#pragma once

#include <cstdint>
#include <set>

namespace qzx {

/// Process ids as the kernel gives them.
using ProcessId = std::int64_t;

/// `root` and every running process descended from it, read from /proc. A program started
/// through a launcher script shows its windows under a child's id, so the whole family counts.
std::set<ProcessId> processFamily(ProcessId root);

/// True while process `pid` runs; a process that has ended but not been reaped counts as ended.
bool processRunning(ProcessId pid);

} // namespace qzx
