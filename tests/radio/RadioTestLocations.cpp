#include "RadioTestLocations.h"

namespace zeft::test {

std::unique_ptr<THeatingLocation> MakeLocation(const std::vector<std::vector<TPeriodSpec>>& days) {
    auto location = std::make_unique<THeatingLocation>();
    THeatingLocation::TDays programs;
    for (size_t d = 0; d < programs.size(); ++d) {
        programs[d] = std::make_unique<TDailyHeatingIntervals>();
        if (d < days.size())
            for (const TPeriodSpec& p : days[d])
                programs[d]->Add(std::make_unique<TSingleHeatingInterval>(
                    std::make_unique<TTemperature>(p.Celsius), p.Start, p.Stop));
    }
    location->SetDays(std::move(programs));
    return location;
}

std::unique_ptr<THeatingLocation> MakeUniformLocation(double celsius) {
    return MakeLocation(std::vector<std::vector<TPeriodSpec>>(7, {{0.0, 1.0, celsius}}));
}

} // namespace zeft::test
