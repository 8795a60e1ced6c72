#pragma once

#include "THeatingLocation.h"
#include "zeft_RadioClock.h"
#include "zeft_Time.h"

#include <cstdint>
#include <vector>

namespace zeft {

/// The radio frames the stick sends to the heating controllers, and the codes they carry.
using TRadioFrame = std::vector<std::uint8_t>;

enum TFrameType : std::uint8_t {
    PeriodFrameType = 0x31,
    ClockFrameType = 0x32,
    StartFrameType = 0x33,
};

/// The five-byte header alone.
TRadioFrame StartFrame();
/// Header, hour, minute, day, month, year modulo 100, each as a plain number.
TRadioFrame ClockFrame(const TLocalDateTime& now);
/// Header, period index x 16 + day code, end code, temperature code.
TRadioFrame PeriodFrame(std::uint8_t dayIndex, std::uint8_t periodIndex, std::uint8_t endCode,
                        std::uint8_t temperatureCode);

/// Monday (index 0) is 2 ... Friday 6, Saturday 0, Sunday 1.
std::uint8_t DayCode(int dayIndex);
/// trunc((t + half a millisecond) x 1440): whole minutes, robust against rounding of t.
std::int64_t MinuteOfDay(TTime t);
/// The stop in 10-minute steps since 00:00; 144 for a period that ends at 24:00.
std::uint8_t EndCode(TTime start, TTime stop);
/// The temperature in half degrees, truncated: 20.7 gives 41.
std::uint8_t TemperatureCode(double celsius);
/// The periods of all seven days together.
int CountPeriods(const THeatingLocation& location);

} // namespace zeft
