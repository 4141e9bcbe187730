#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <utility>

namespace qzx {

/// What the status window reports about the machine, gathered once. Plain data, so the
/// wording of the status lines can be tested with any facts.
struct SystemFacts {
    /// Physical memory in bytes.
    std::uint64_t totalMemoryBytes = 0;
    /// Percent (0..100) of physical memory in use: 100 * (total - available) / total.
    int memoryLoadPercent = 0;
    /// The distribution's pretty name, e.g. "Debian GNU/Linux 12 (bookworm)".
    QString osName;
    /// Kernel release, major and minor number (6 and 1 for "6.1.0-18-amd64").
    int kernelMajor = 0;
    int kernelMinor = 0;
    /// The processor's model name; empty when the platform does not report one.
    QString cpuModel;
    /// The folder that holds the program.
    QString programFolder;
    /// The folder of the shared system libraries: Linux has no Windows system folder, so this is
    /// Qt's library folder (/usr/lib/x86_64-linux-gnu on Debian), where the system's libraries lie.
    QString systemFolder;
    /// The mount point of the file system that holds the program's folder (the folder itself
    /// when the mount point cannot be found).
    QString diskName;
    /// Bytes free for ordinary users on that file system.
    std::uint64_t freeDiskBytes = 0;
};

/// The seven texts of the status window, one per line:
/// memory, memory load, operating system, processor, program folder, system folder, free space.
/// Every division by 1024 is an integer division (towards zero).
QStringList statusLines(const SystemFacts& facts);

/// Collects the facts of the running machine: /proc/meminfo, /etc/os-release, uname,
/// /proc/cpuinfo and statvfs on the file system holding `programDirectory`. Unreadable sources
/// leave their fields at the neutral values (0, empty).
SystemFacts gatherSystemFacts(const std::filesystem::path& programDirectory);

/// Physical memory from the text of /proc/meminfo, in bytes.
struct MemoryAmounts {
    std::uint64_t totalBytes = 0;
    std::uint64_t availableBytes = 0;
};

/// Reads "MemTotal" and "MemAvailable" (kB) from /proc/meminfo text; kernels without
/// "MemAvailable" give "MemFree" + "Buffers" + "Cached" instead. Empty without "MemTotal".
std::optional<MemoryAmounts> memoryFromMeminfo(const QString& text);

/// Percent of memory in use, truncated to a whole number and kept within 0..100; 0 when the
/// total is unknown.
int memoryLoadPercent(std::uint64_t totalBytes, std::uint64_t availableBytes);

/// The "PRETTY_NAME" of os-release text (quotes and backslash escapes removed), else its
/// "NAME"; empty when neither is present.
QString osNameFromOsRelease(const QString& text);

/// The first "model name" of /proc/cpuinfo text, blanks simplified; empty when absent.
QString cpuModelFromCpuinfo(const QString& text);

/// Major and minor number of a kernel release text such as "6.1.0-18-amd64"; missing parts
/// are 0.
std::pair<int, int> kernelVersionFromRelease(const QString& release);

} // namespace qzx
