#include "zeft_RadioFrames.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace zeft {

namespace {

constexpr std::array<std::uint8_t, THeatingLocation::DaysPerWeek> DayCodes = {2, 3, 4, 5, 6, 0, 1};
constexpr std::uint8_t EndOfDayCode = 144;
constexpr double HalfMillisecond = 1.0 / 172800000.0;
// Far beyond any time or temperature of the model; keeps the conversions to integers defined.
constexpr double ConversionLimit = 1e12;

TRadioFrame Header(std::uint8_t type) {
    return {0x00, type, 0xFF, 0x00, 0x00};
}

std::int64_t Truncate(double value) {
    if (!std::isfinite(value))
        return 0;
    return static_cast<std::int64_t>(std::clamp(value, -ConversionLimit, ConversionLimit));
}

} // namespace

TRadioFrame StartFrame() {
    return Header(StartFrameType);
}

TRadioFrame ClockFrame(const TLocalDateTime& now) {
    TRadioFrame frame = Header(ClockFrameType);
    for (int value : {now.Hour, now.Minute, now.Day, now.Month, now.Year % 100})
        frame.push_back(static_cast<std::uint8_t>(value));
    return frame;
}

TRadioFrame PeriodFrame(std::uint8_t dayIndex, std::uint8_t periodIndex, std::uint8_t endCode,
                        std::uint8_t temperatureCode) {
    TRadioFrame frame = Header(PeriodFrameType);
    frame.push_back(static_cast<std::uint8_t>(periodIndex * 16 + DayCode(dayIndex)));
    frame.push_back(endCode);
    frame.push_back(temperatureCode);
    return frame;
}

std::uint8_t DayCode(int dayIndex) {
    return dayIndex >= 0 && dayIndex < static_cast<int>(DayCodes.size())
               ? DayCodes[static_cast<size_t>(dayIndex)]
               : 0;
}

std::int64_t MinuteOfDay(TTime t) {
    return Truncate((t + HalfMillisecond) * MinutesPerDay);
}

std::uint8_t EndCode(TTime start, TTime stop) {
    if (SameTime(stop, EndOfDay))
        return EndOfDayCode;
    const std::int64_t dayStart = MinuteOfDay(Midnight);
    const std::int64_t code =
        (MinuteOfDay(start) - dayStart) / 10 + (MinuteOfDay(stop) - MinuteOfDay(start)) / 10;
    return static_cast<std::uint8_t>(code);
}

std::uint8_t TemperatureCode(double celsius) {
    return static_cast<std::uint8_t>(Truncate(celsius * 2));
}

int CountPeriods(const THeatingLocation& location) {
    if (!location.HasDays())
        return 0;
    int count = 0;
    for (int day = 0; day < THeatingLocation::DaysPerWeek; ++day)
        count += location.Days(day).Count();
    return count;
}

} // namespace zeft
