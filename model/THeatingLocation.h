#pragma once

#include "TDailyHeatingIntervals.h"

#include <array>
#include <memory>
#include <string>

namespace zeft {

/// One location (a room): a display text and seven daily programs, Monday first.
class THeatingLocation : public TModelObject {
public:
    static constexpr int DaysPerWeek = 7;
    using TDays = std::array<std::unique_ptr<TDailyHeatingIntervals>, DaysPerWeek>;

    THeatingLocation() = default;
    ~THeatingLocation() override;

    /// UTF-8 text; the model does not require it to be unique.
    std::string DisplayText;

    /// True once SetDays has handed the location its seven days.
    bool HasDays() const { return FDays[0] != nullptr; }
    /// Day 0 is Monday, 6 is Sunday. Only valid once HasDays().
    TDailyHeatingIntervals& Days(int index) { return *FDays[static_cast<size_t>(index)]; }
    const TDailyHeatingIntervals& Days(int index) const {
        return *FDays[static_cast<size_t>(index)];
    }
    /// Takes ownership of the seven days and subscribes to their changes.
    void SetDays(TDays days);

    /// A deep copy of name and program without any subscriptions, for a transmission that
    /// must not read the location the user goes on editing.
    std::unique_ptr<THeatingLocation> Clone() const;

    TChangeEvent OnChange;

private:
    TDays FDays;
};

} // namespace zeft
