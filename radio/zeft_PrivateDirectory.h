#pragma once

#include "zeft_FileDescriptor.h"

#include <cstdint>
#include <filesystem>
#include <vector>

namespace zeft {

/// Why a private directory cannot serve the program.
enum class TDirectoryFault : std::uint8_t {
    None = 0,
    /// No place is known: none of XDG_RUNTIME_DIR, XDG_CACHE_HOME and HOME names one.
    NoneKnown,
    SymbolicLink,
    NotADirectory,
    OtherOwner,
    /// Creating it, opening it or narrowing its permissions failed; Error holds errno.
    SystemError,
    /// The stick's lock file in it is a link, not a regular file, or another user's.
    LockFileUnusable,
    /// Its file system takes no file locks; Error holds errno.
    NoFileLocks,
};

/// A directory that cannot be used, and why.
struct TDirectoryProblem {
    std::filesystem::path Directory;
    TDirectoryFault Fault = TDirectoryFault::None;
    int Error = 0;
    bool operator==(const TDirectoryProblem&) const = default;
};

/// Where the driver library may be written, in the order to try: $XDG_RUNTIME_DIR/zeft when
/// the runtime directory is the user's own, then the user's cache directory ($XDG_CACHE_HOME
/// or ~/.cache) /zeft, which serves when the runtime directory is mounted noexec. Never a
/// directory shared with other users. Empty when no such place is known.
std::vector<std::filesystem::path> DefaultDriverDirectories();

/// Opens the directory, creating it (and missing parents) with mode 0700. Refuses a symbolic
/// link, anything but a directory, and a directory owned by another user; narrows the
/// permissions of the user's own directory to 0700. Invalid on any failure, which problem (when
/// given) then names; it is cleared on success.
TFileDescriptor OpenPrivateDirectory(const std::filesystem::path& directory,
                                     TDirectoryProblem* problem = nullptr);

} // namespace zeft
