#pragma once

#include "THeatingLocation.h"

#include <memory>
#include <vector>

namespace zeft::test {

struct TPeriodSpec {
    TTime Start;
    TTime Stop;
    double Celsius;
};

/// A location whose day i holds days[i] (a missing day is empty).
std::unique_ptr<THeatingLocation> MakeLocation(const std::vector<std::vector<TPeriodSpec>>& days);
/// Every day one period 00:00-24:00 at the given temperature.
std::unique_ptr<THeatingLocation> MakeUniformLocation(double celsius);

} // namespace zeft::test
