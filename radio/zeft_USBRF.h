#pragma once

#include "zeft_uTrx.h"

#include <array>
#include <cstdint>

namespace zeft {

/// The stick connection: loads the driver library, makes a stick object, searches the stick by
/// its USB identifiers and writes the AX5051 set-up. Used on the connection thread only.
class TUSBRF {
public:
    explicit TUSBRF(TuTrxLoader& driver);
    TUSBRF(const TUSBRF&) = delete;
    TUSBRF& operator=(const TUSBRF&) = delete;

    /// Loads the library, makes a new stick object (releasing the previous one) and connects it.
    bool LoadAndConnectStick();
    /// Whether the stick object has a stick: asks it, searches when it does not answer, and
    /// writes the transceiver set-up after a search.
    bool ConnectStick();
    /// Writes the 41 register settings in order; stops at the first refused write.
    bool ConfigureTransceiver();
    /// Releases the stick object, then unloads the library.
    bool UnloadDriver();

    uTrxHandle StickHandle() const { return FStickHandle; }
    bool StickWasFound() const { return FStickWasFound; }
    bool StickConnected() const { return FStickConnected; }
    /// The last attempt listed a stick that the user may not open (no udev rule, or not at the
    /// local seat): it takes access rights, not another plug-in.
    bool StickAccessDenied() const { return FFindStatus == uTrxFindAccessDenied; }
    TuTrxLoader& Driver() { return FDriver; }

private:
    void ReleaseStick();
    bool Search();

    TuTrxLoader& FDriver;
    uTrxHandle FStickHandle = nullptr;
    bool FStickWasFound = false;
    bool FStickConnected = false;
    std::uint8_t FFindStatus = uTrxFindNoStick;
    std::array<std::uint8_t, uTrxStateLength> FStateBuffer{};
};

} // namespace zeft
