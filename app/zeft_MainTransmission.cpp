// The transmit command and the connection thread's reports.
#include "TLocationList.h"
#include "TStatusBar.h"
#include "zeft_Main.h"
#include "zeft_USBConnection.h"

namespace zeft {

void TZEFTMainForm::SchemeTransmitExecute() {
    if (lvLocations->selectedItems().isEmpty())
        return;
    FCurrentLocation = lvLocations->SelectedLocation();
    // The thread gets its own copy, so the user can go on editing or even remove the location.
    if (FCurrentLocation && FConnection)
        FConnection->RequestTransmission(*FCurrentLocation);
}

void TZEFTMainForm::ConnectionStateChanged(std::uint8_t state, std::int32_t value,
                                           TNoStickReason reason) {
    FConnectionState = state;
    FConnectionValue = value;
    FConnectionReason = reason;
    if (state <= 3) {
        FStatusKnown = true;
        UpdateLocationCommands();
    }
    ShowConnectionStatus();
}

void TZEFTMainForm::ShowConnectionStatus() {
    if (FStatusKnown)
        sbStatus->ShowConnection(FConnectionState, FConnectionValue, FConnectionReason);
}

} // namespace zeft
