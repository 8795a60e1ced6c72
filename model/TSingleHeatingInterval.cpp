#include "TSingleHeatingInterval.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace zeft {

TSingleHeatingInterval::TSingleHeatingInterval(std::unique_ptr<TTemperature> temperature,
                                               TTime start, TTime stop)
    : FStart(RoundToTenMinutes(start)), FStop(RoundToTenMinutes(stop)),
      FTemperature(temperature ? std::move(*temperature)
                               : TTemperature(TTemperature::MinTemperature)) {}

TSingleHeatingInterval::TSingleHeatingInterval(double temperature, TTime start, TTime stop)
    : FStart(RoundToTenMinutes(start)), FStop(RoundToTenMinutes(stop)), FTemperature(temperature) {}

TTime TSingleHeatingInterval::RoundToTenMinutes(TTime t) {
    if (!std::isfinite(t))
        return 0.0;
    // Work in whole milliseconds so that a value a hair below a mark is not pushed down a step.
    constexpr std::int64_t msPerDay = 86400000;
    const auto total = static_cast<std::int64_t>(std::llround(t * MSecsPerDay));
    std::int64_t day = total / msPerDay;
    std::int64_t msOfDay = total % msPerDay;
    if (msOfDay < 0) {
        msOfDay += msPerDay;
        --day;
    }
    const std::int64_t minutes = msOfDay / 60000 / 10 * 10;
    return static_cast<double>(day) + static_cast<double>(minutes) / MinutesPerDay;
}

void TSingleHeatingInterval::SetStart(TTime t) {
    if (SameTime(t, EndOfDay)) {
        FStart = FMaxStart;
    } else {
        TTime c = std::min(t, FStop - TenMinutes);
        c = std::min(c, FMaxStart);
        FStart = RoundToTenMinutes(c);
    }
    NotifyChange();
}

void TSingleHeatingInterval::SetStop(TTime t) {
    TTime c = std::max(t, FStart + TenMinutes);
    c = std::max(c, FMinStop);
    FStop = RoundToTenMinutes(c);
    NotifyChange();
}

void TSingleHeatingInterval::NotifyChange() {
    if (OnChange)
        OnChange(this);
    if (OnTimesChange && !SuppressTimesChange)
        OnTimesChange(FStart, FStop);
}

} // namespace zeft
