#pragma once

// The USB identifiers the programming stick reports. The udev rule in
// resources/udev/70-zeft-stick.rules and the README name the same pair; a test keeps them equal.

#include <cstdint>

namespace zeft {

/// pid.codes, the vendor identifier shared by open hardware projects.
inline constexpr std::uint16_t StickVendorId = 0x1209;
inline constexpr std::uint16_t StickProductId = 0x2EF7;
/// Passed to the search; the library opens the first matching stick whatever the index.
inline constexpr std::uint32_t StickDeviceIndex = 1;

} // namespace zeft
