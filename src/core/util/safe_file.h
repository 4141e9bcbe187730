#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "util/binary_io.h"

namespace qzx {

/// Reads a whole file. Empty optional when it cannot be opened or read.
std::optional<Bytes> readWholeFile(const std::filesystem::path& path);

/// Writes a file so that a failure or a kill at any moment never destroys the old one: the data
/// goes to a temporary file beside the target under a name no other save uses, is flushed to
/// the disk, and the temporary is then renamed over the target (and the folder flushed).
/// Returns an error text, empty on success.
std::string writeFileSafely(const std::filesystem::path& path, const std::string& data);
std::string writeFileSafely(const std::filesystem::path& path, const Bytes& data);

/// Flushes a folder's entries (names created, renamed or removed in it) to the disk.
void syncFolder(const std::filesystem::path& folder);

/// The entry of `folder` whose name equals `name` regardless of case, or folder/name when
/// none exists. Data files written by older installations may use either spelling.
std::filesystem::path findFileIgnoringCase(const std::filesystem::path& folder,
                                           const std::string& name);

} // namespace qzx
