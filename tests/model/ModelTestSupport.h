#pragma once

#include "DayText.h"
#include "TDailyHeatingIntervals.h"

#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace zeft::test {

/// Parses "06:10".
inline TTime T(const std::string& hhmm) {
    return TimeOf(std::stoi(hhmm.substr(0, 2)), std::stoi(hhmm.substr(3, 2)));
}

inline std::unique_ptr<TSingleHeatingInterval> Period(const std::string& start,
                                                      const std::string& stop, double t = 17.0) {
    return std::make_unique<TSingleHeatingInterval>(std::make_unique<TTemperature>(t), T(start),
                                                    T(stop));
}

/// A day from "00:00-06:00 17, 06:00-24:00 20" as DayText writes it (temperatures optional).
inline std::unique_ptr<TDailyHeatingIntervals> Day(const std::string& text) {
    auto day = std::make_unique<TDailyHeatingIntervals>();
    std::stringstream in(text);
    std::string item;
    while (std::getline(in, item, ',')) {
        item.erase(0, item.find_first_not_of(' '));
        const double temperature = item.size() > 11 ? std::stod(item.substr(12)) : 17.0;
        day->Add(Period(item.substr(0, 5), item.substr(6, 5), temperature));
    }
    return day;
}

/// Checks the well-formed rules: 1..7 periods, contiguous 00:00..24:00, at least 10 minutes
/// each, bounds as Add sets them. Returns the first rule broken, or empty text.
inline std::string WellFormedProblem(const TDailyHeatingIntervals& day) {
    if (day.Count() < 1 || day.Count() > TDailyHeatingIntervals::MaxPeriodsPerDay)
        return "count " + std::to_string(day.Count());
    if (!SameTime(day.Items(0).Start(), 0.0))
        return "does not start at 00:00";
    if (!SameTime(day.Items(day.Count() - 1).Stop(), 1.0))
        return "does not stop at 24:00";
    for (int i = 0; i < day.Count(); ++i) {
        const TSingleHeatingInterval& p = day.Items(i);
        if (p.Duration() < TenMinutes - OneMillisecond)
            return "period " + std::to_string(i) + " shorter than 10 minutes";
        if (i + 1 < day.Count() && !SameTime(p.Stop(), day.Items(i + 1).Start()))
            return "gap or overlap after period " + std::to_string(i);
        if (!SameTime(p.MaxStart(), i == 0 ? 0.0 : 1.0))
            return "MaxStart of period " + std::to_string(i);
        if (!SameTime(p.MinStop(), i == day.Count() - 1 ? 1.0 : 0.0))
            return "MinStop of period " + std::to_string(i);
    }
    return {};
}

} // namespace zeft::test
