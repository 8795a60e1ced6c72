#pragma once

#include "THeatingLocation.h"
#include "zeft_RadioClock.h"
#include "zeft_RadioFrames.h"
#include "zeft_USBRF.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <stop_token>

namespace zeft {

/// Called with the percentage done, on the thread that transmits.
using TProgressCallback = std::function<void(int percent)>;

/// Sends the weekly program of a location through the connected stick: twice the start
/// frame, a pause, the clock frame and one frame per period, each accepted frame followed by
/// five transmit commands.
class TProgramTransmitter {
public:
    static constexpr std::chrono::milliseconds StartPause{1000};
    static constexpr std::chrono::milliseconds PeriodPause{250};
    static constexpr int TransmitRepeats = 5;

    TProgramTransmitter(TUSBRF& radio, TRadioClock& clock);

    /// True when the last pass that got past its clock frame had every period frame
    /// accepted. A stop request ends the transmission at the next pause, and no frame is handed
    /// to the stick once it was made; the result is then false.
    /// The location is only read; pass a snapshot the user interface does not change.
    bool TransmitWeeklyProgram(const THeatingLocation& location, const TProgressCallback& progress,
                               std::stop_token stop = {});

    bool SendStartFrame();
    bool SendClockFrame();
    bool SendPeriodFrame(std::uint8_t dayIndex, std::uint8_t periodIndex, std::uint8_t endCode,
                         std::uint8_t temperatureCode);
    /// Five transmit commands in a row; their results are not looked at.
    void RepeatTransmit();

private:
    bool SendFrame(const TRadioFrame& frame);

    TUSBRF& FRadio;
    TRadioClock& FClock;
};

} // namespace zeft
