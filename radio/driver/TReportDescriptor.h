#pragma once

#include <cstddef>
#include <cstdint>

namespace zeft::driver {

/// What the driver needs to know of a device's input reports.
struct TInputReportLayout {
    /// Bytes of the longest input report, counting one report identifier byte as HID does on
    /// every platform (so a device without report identifiers still counts it); 0 when unknown.
    std::size_t Length = 0;
    /// Whether the device numbers its reports; hidraw then delivers the identifier in byte 0.
    bool NumberedReports = false;
};

/// Reads the input report layout from a HID report descriptor. A truncated or malformed
/// descriptor yields what was understood before the fault.
TInputReportLayout ParseInputReportLayout(const std::uint8_t* descriptor, std::size_t size);

} // namespace zeft::driver
