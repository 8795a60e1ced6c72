#pragma once

#include <cstdint>
#include <functional>

namespace zeft {

struct TColor {
    std::uint8_t Red = 0;
    std::uint8_t Green = 0;
    std::uint8_t Blue = 0;
    bool operator==(const TColor&) const = default;
};

/// A target temperature in degrees Celsius, kept within MinTemperature..MaxTemperature.
class TTemperature {
public:
    static constexpr double MinTemperature = 5.0;
    static constexpr double MaxTemperature = 29.5;

    explicit TTemperature(double value);

    double Value() const { return FValue; }
    /// Stores the clamped value and always fires OnValueChange(old, new), even when unchanged.
    void SetValue(double value);
    /// Copies the value as it is, without clamping or notification.
    void Assign(const TTemperature& source) { FValue = source.FValue; }
    /// The display colour of the temperature band the value falls into.
    TColor Color() const;

    static double Clamp(double value);

    std::function<void(double oldValue, double newValue)> OnValueChange;

private:
    double FValue;
};

} // namespace zeft
