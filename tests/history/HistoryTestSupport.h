#pragma once

// Weeks for the history tests, built from day texts in DayText's form.
#include "ModelTestSupport.h"
#include "THeatingLocation.h"

#include <array>
#include <memory>
#include <string>

namespace zeft::test {

using TWeekText = std::array<std::string, THeatingLocation::DaysPerWeek>;

inline std::unique_ptr<THeatingLocation> Week(const std::string& name, const TWeekText& days) {
    auto location = std::make_unique<THeatingLocation>();
    location->DisplayText = name;
    THeatingLocation::TDays built;
    for (size_t d = 0; d < built.size(); ++d)
        built[d] = Day(days[d]);
    location->SetDays(std::move(built));
    return location;
}

/// Several periods a day and temperatures at both ends of the range and in between.
inline const TWeekText MixedWeek = {
    "00:00-06:30 17, 06:30-22:00 20.5, 22:00-24:00 5",
    "00:00-24:00 29.5",
    "00:00-00:10 5, 00:10-01:00 17.25, 01:00-02:00 18, 02:00-03:00 19, 03:00-04:00 20, "
    "04:00-05:00 21, 05:00-24:00 22",
    "00:00-12:00 20.1, 12:00-24:00 16",
    "00:00-23:50 17, 23:50-24:00 29.5",
    "00:00-24:00 5",
    "00:00-08:00 21, 08:00-24:00 17",
};

/// A plain week whose Monday is at `monday` degrees, to tell programs apart.
inline TWeekText PlainWeek(const std::string& monday) {
    TWeekText days;
    days.fill("00:00-06:00 17, 06:00-22:00 20, 22:00-24:00 17");
    days[0] = "00:00-24:00 " + monday;
    return days;
}

} // namespace zeft::test
