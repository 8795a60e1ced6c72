#include "zeft_Transmission.h"

namespace zeft {

namespace {

enum TWorkUnits : std::int64_t {
    StartFrameUnits = 100,
    StartPauseUnits = 1000,
    ClockFrameUnits = 100,
    PeriodPauseUnits = 250,
    PeriodFrameUnits = 100,
};

constexpr int Passes = 2;

} // namespace

TProgramTransmitter::TProgramTransmitter(TUSBRF& radio, TRadioClock& clock)
    : FRadio(radio), FClock(clock) {}

bool TProgramTransmitter::TransmitWeeklyProgram(const THeatingLocation& location,
                                                const TProgressCallback& progress,
                                                std::stop_token stop) {
    const std::int64_t periods = CountPeriods(location);
    const std::int64_t total = Passes * (StartFrameUnits + StartPauseUnits + ClockFrameUnits +
                                         periods * (PeriodPauseUnits + PeriodFrameUnits));
    std::int64_t done = 0;
    auto advance = [&](std::int64_t units) {
        done += units;
        if (progress)
            progress(static_cast<int>(done * 100 / total));
    };

    bool result = false;
    for (int pass = 0; pass < Passes; ++pass) {
        if (stop.stop_requested() || !SendStartFrame())
            continue;
        RepeatTransmit();
        advance(StartFrameUnits);
        if (!FClock.Pause(StartPause, stop))
            return false;
        advance(StartPauseUnits);
        if (stop.stop_requested() || !SendClockFrame())
            continue;
        RepeatTransmit();
        advance(ClockFrameUnits);
        result = true;
        if (!location.HasDays())
            continue;
        for (int day = 0; day < THeatingLocation::DaysPerWeek; ++day) {
            const TDailyHeatingIntervals& periodsOfDay = location.Days(day);
            for (int index = 0; index < periodsOfDay.Count(); ++index) {
                const TSingleHeatingInterval& period = periodsOfDay.Items(index);
                const std::uint8_t endCode = EndCode(period.Start(), period.Stop());
                const std::uint8_t temperatureCode = TemperatureCode(period.Temperature().Value());
                if (!FClock.Pause(PeriodPause, stop))
                    return false;
                advance(PeriodPauseUnits);
                // A stop that came as the pause ran out still keeps this frame back.
                if (stop.stop_requested())
                    return false;
                if (SendPeriodFrame(static_cast<std::uint8_t>(day),
                                    static_cast<std::uint8_t>(index), endCode, temperatureCode)) {
                    RepeatTransmit();
                    advance(PeriodFrameUnits);
                } else {
                    result = false;
                }
            }
        }
    }
    return result && !stop.stop_requested();
}

bool TProgramTransmitter::SendStartFrame() {
    return SendFrame(StartFrame());
}

bool TProgramTransmitter::SendClockFrame() {
    return SendFrame(ClockFrame(FClock.LocalTime()));
}

bool TProgramTransmitter::SendPeriodFrame(std::uint8_t dayIndex, std::uint8_t periodIndex,
                                          std::uint8_t endCode, std::uint8_t temperatureCode) {
    return SendFrame(PeriodFrame(dayIndex, periodIndex, endCode, temperatureCode));
}

void TProgramTransmitter::RepeatTransmit() {
    for (int i = 0; i < TransmitRepeats; ++i)
        FRadio.Driver().SetTX(FRadio.StickHandle());
}

bool TProgramTransmitter::SendFrame(const TRadioFrame& frame) {
    if (!FRadio.StickHandle())
        return false;
    return FRadio.Driver().SetFrame(FRadio.StickHandle(), frame.data(),
                                    static_cast<std::uint32_t>(frame.size()));
}

} // namespace zeft
