#include "THeatingLocation.h"

namespace zeft {

THeatingLocation::~THeatingLocation() = default;

void THeatingLocation::SetDays(TDays days) {
    FDays = std::move(days);
    for (auto& day : FDays) {
        if (!day)
            day = std::make_unique<TDailyHeatingIntervals>();
        day->OnChange = [this](TModelObject* sender) {
            if (OnChange)
                OnChange(sender);
        };
    }
}

std::unique_ptr<THeatingLocation> THeatingLocation::Clone() const {
    auto copy = std::make_unique<THeatingLocation>();
    copy->DisplayText = DisplayText;
    if (HasDays()) {
        TDays days;
        for (size_t i = 0; i < days.size(); ++i)
            days[i] = FDays[i]->Clone();
        copy->SetDays(std::move(days));
    }
    return copy;
}

} // namespace zeft
