#pragma once

#include "zeft_FileDescriptor.h"

#include <filesystem>

namespace zeft {

/// Where the driver library is written: $XDG_RUNTIME_DIR/zeft, otherwise the user's cache
/// directory ($XDG_CACHE_HOME or ~/.cache) /zeft. Never a directory shared with other users.
/// Empty when no such place is known.
std::filesystem::path DefaultDriverDirectory();

/// Opens the directory, creating it (and missing parents) with mode 0700. Refuses a symbolic
/// link, anything but a directory, and a directory owned by another user; narrows the
/// permissions of the user's own directory to 0700. Invalid on any failure.
TFileDescriptor OpenPrivateDirectory(const std::filesystem::path& directory);

} // namespace zeft
