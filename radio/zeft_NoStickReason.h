#pragma once

#include "zeft_PrivateDirectory.h"

#include <cstdint>

namespace zeft {

/// Why the connection thread reports "no stick" (state 0). For the commands each is the same
/// state; the window shows a text of its own for each, since each takes a different remedy.
enum class TNoStickReason : std::uint8_t {
    /// No stick is listed (or the driver library is missing): plug it in.
    NotFound = 0,
    /// A stick is listed, but the user may not open it: the udev rule grants access.
    NoAccess = 1,
    /// Another copy of the program owns the stick; this one leaves it alone.
    InUse = 2,
    /// No private directory can hold the stick's lock: the stick is left alone, for another copy
    /// could not tell that this one drives it.
    NoLockDirectory = 3,
};

/// The reason with what the window needs to name it.
struct TNoStickCause {
    TNoStickReason Reason = TNoStickReason::NotFound;
    /// With NoLockDirectory: the directory to mend, and what is wrong with it.
    TDirectoryProblem Directory;
    bool operator==(const TNoStickCause&) const = default;
};

} // namespace zeft
