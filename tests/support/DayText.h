#pragma once

// A day's program as text, for expectations and failure messages of every test folder.
#include "TDailyHeatingIntervals.h"

#include <charconv>
#include <cstdio>
#include <string>

namespace zeft::test {

/// "06:10" for a time; "24:00" for the end of the day.
inline std::string HhMm(TTime t) {
    const int m = MinutesOf(t);
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d:%02d", m / 60, m % 60);
    return buffer;
}

/// "00:00-06:00 17, 06:00-24:00 20.5": each period's times and its temperature in the shortest
/// form that reads back exactly, so that a stray 17.04 never passes for 17.
inline std::string DayText(const TDailyHeatingIntervals& day) {
    std::string text;
    for (int i = 0; i < day.Count(); ++i) {
        const TSingleHeatingInterval& p = day.Items(i);
        char temperature[32];
        const auto end =
            std::to_chars(temperature, temperature + sizeof temperature, p.Temperature().Value());
        text += (i ? ", " : "") + HhMm(p.Start()) + "-" + HhMm(p.Stop()) + " " +
                std::string(temperature, end.ptr);
    }
    return text;
}

} // namespace zeft::test
