#pragma once

#include "zeft_FileDescriptor.h"

#include <cstdint>
#include <span>
#include <string>

namespace zeft {

/// Makes the file `name` in the directory `directoryFd` hold exactly `bytes` and opens it for
/// reading. A regular file of the user's with these bytes is kept as it is; anything else (a
/// missing file, other content, a symbolic link, a file others may write) is replaced by
/// writing a temporary file and renaming it over the name. The returned descriptor is the
/// file that was compared, so loading through it loads what was checked. Invalid on failure.
TFileDescriptor OpenVerifiedFile(int directoryFd, const std::string& name,
                                 std::span<const std::uint8_t> bytes);

/// True when the open file is a regular file of the user's, writable by no one else, that
/// holds exactly these bytes.
bool HoldsExactly(int fd, std::span<const std::uint8_t> bytes);

} // namespace zeft
