#pragma once

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
};

} // namespace zeft
