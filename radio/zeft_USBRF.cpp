#include "zeft_USBRF.h"

#include "AX5051.h"
#include "zeft_StickIdentity.h"

namespace zeft {

TUSBRF::TUSBRF(TuTrxLoader& driver) : FDriver(driver) {}

bool TUSBRF::LoadAndConnectStick() {
    ReleaseStick();
    FFindStatus = uTrxFindNoStick;
    if (!FDriver.LoadDriver())
        return false;
    FStickHandle = FDriver.create();
    if (!FStickHandle)
        return false;
    return ConnectStick();
}

bool TUSBRF::ConnectStick() {
    if (!FDriver.DriverReady())
        return FStickConnected;
    if (FDriver.GetState(FStickHandle, FStateBuffer.data())) {
        if (!FStickWasFound) {
            FStickConnected = Search();
            ConfigureTransceiver();
        }
        FStickWasFound = true;
    } else if (Search()) {
        // A found stick counts as connected even when a register write fails.
        ConfigureTransceiver();
        FStickWasFound = true;
        FStickConnected = true;
    } else {
        FStickWasFound = false;
        FStickConnected = false;
    }
    return FStickConnected;
}

bool TUSBRF::ConfigureTransceiver() {
    for (const TRegisterSetting& setting : AX5051Configuration)
        if (!FDriver.WriteReg(FStickHandle, setting.Register, setting.Value))
            return false;
    return true;
}

bool TUSBRF::UnloadDriver() {
    ReleaseStick();
    return FDriver.UnloadDriver();
}

void TUSBRF::ReleaseStick() {
    if (FStickHandle)
        FDriver.destroy(FStickHandle);
    FStickHandle = nullptr;
}

bool TUSBRF::Search() {
    const bool found = FDriver.Find(FStickHandle, StickVendorId, StickProductId, StickDeviceIndex);
    FFindStatus = found ? std::uint8_t{uTrxFindOpened} : FDriver.FindStatus(FStickHandle);
    return found;
}

} // namespace zeft
