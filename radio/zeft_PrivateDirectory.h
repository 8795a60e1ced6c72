#pragma once

#include "zeft_FileDescriptor.h"

#include <filesystem>
#include <vector>

namespace zeft {

/// Where the driver library may be written, in the order to try: $XDG_RUNTIME_DIR/zeft when
/// the runtime directory is the user's own, then the user's cache directory ($XDG_CACHE_HOME
/// or ~/.cache) /zeft, which serves when the runtime directory is mounted noexec. Never a
/// directory shared with other users. Empty when no such place is known.
std::vector<std::filesystem::path> DefaultDriverDirectories();

/// Opens the directory, creating it (and missing parents) with mode 0700. Refuses a symbolic
/// link, anything but a directory, and a directory owned by another user; narrows the
/// permissions of the user's own directory to 0700. Invalid on any failure.
TFileDescriptor OpenPrivateDirectory(const std::filesystem::path& directory);

} // namespace zeft
