#pragma once

#include <array>
#include <cstdint>

namespace zeft {

class TDailyHeatingIntervals;

/// The program of one day in a few bytes, for the undo stack: times as 10-minute marks (the
/// model keeps every boundary on one), the temperature as it is. No heap, no model objects.
class TDaySnapshot {
public:
    static constexpr int MaxPeriods = 7;

    TDaySnapshot() = default;
    static TDaySnapshot Of(const TDailyHeatingIntervals& day);

    /// Gives the day these periods again, as a copy of a day does (notifications included).
    void RestoreInto(TDailyHeatingIntervals& day) const;

    int Count() const { return FCount; }
    bool operator==(const TDaySnapshot&) const = default;

private:
    struct TPeriod {
        double Temperature = 0.0;
        std::uint8_t Start = 0; ///< 10-minute marks since 00:00; 144 is 24:00
        std::uint8_t Stop = 0;
        std::uint8_t MaxStart = 0;
        std::uint8_t MinStop = 0;
        bool operator==(const TPeriod&) const = default;
    };

    std::uint8_t FCount = 0;
    std::array<TPeriod, MaxPeriods> FPeriods{};
};

} // namespace zeft
