#pragma once

#include "TReportDescriptor.h"
#include "hid_compat.h"
#include "uTrx.h"

#include <cstddef>
#include <cstdint>

namespace zeft::driver {

/// One opened programming stick under hidapi: the device handle and its input report layout.
/// Every transfer fails while no stick is open.
class TStickDevice {
public:
    TStickDevice() = default;
    TStickDevice(const TStickDevice&) = delete;
    TStickDevice& operator=(const TStickDevice&) = delete;
    ~TStickDevice() { Close(); }

    /// Closes any stick opened before, then opens the first listed stick with these
    /// identifiers. The search walks the finite list hidapi returns once, so it always ends.
    bool Find(std::uint16_t vendorId, std::uint16_t productId);
    /// The outcome of the last Find: one of the uTrxFind... codes of uTrx.h.
    std::uint8_t FindStatus() const { return FFindStatus; }
    void Close();
    bool IsOpen() const { return FDevice != nullptr; }

    /// report[0] is the report identifier; length counts it.
    bool SetFeature(const std::uint8_t* report, std::size_t length);
    /// report[0] names the report; the reply replaces the whole buffer (a short reply leaves
    /// zeros behind it).
    bool GetFeature(std::uint8_t* report, std::size_t length);
    /// Waits at most timeoutMs for one input report and copies the bytes after its
    /// identifier to out (input report length - 1 bytes). A report with more than
    /// uTrxMaxInputData such bytes is refused and nothing is copied.
    bool ReadInput(std::uint8_t reportId, std::uint8_t* out, int timeoutMs);

private:
    hid_device* FDevice = nullptr;
    TInputReportLayout FInput;
    std::uint8_t FFindStatus = uTrxFindNoStick;
};

} // namespace zeft::driver
