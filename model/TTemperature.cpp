#include "TTemperature.h"

#include <cmath>

namespace zeft {

TTemperature::TTemperature(double value) : FValue(Clamp(value)) {}

double TTemperature::Clamp(double value) {
    if (std::isnan(value) || value < MinTemperature)
        return MinTemperature;
    if (value >= MaxTemperature)
        return MaxTemperature;
    return value;
}

void TTemperature::SetValue(double value) {
    const double old = FValue;
    FValue = Clamp(value);
    if (OnValueChange)
        OnValueChange(old, FValue);
}

TColor TTemperature::Color() const {
    if (FValue < 14.0)
        return {24, 52, 115};
    if (FValue <= 17.0)
        return {89, 172, 255};
    if (FValue <= 20.0)
        return {255, 77, 0};
    if (FValue <= 23.0)
        return {255, 0, 0};
    return {199, 0, 24};
}

} // namespace zeft
