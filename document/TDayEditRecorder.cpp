#include "TDayEditRecorder.h"

#include "TDayEditCommand.h"
#include "THeatingLocation.h"

namespace zeft {

void TDayEditRecorder::Begin(THeatingLocation* location) {
    if (FLocation == location || !location || !location->HasDays())
        return;
    FLocation = location;
    for (int i = 0; i < THeatingLocation::DaysPerWeek; ++i)
        FBefore[static_cast<size_t>(i)] = TDaySnapshot::Of(location->Days(i));
}

std::unique_ptr<TDayEditCommand> TDayEditRecorder::Commit(int mergeId, const void* mergeKey) {
    THeatingLocation* location = FLocation;
    FLocation = nullptr;
    if (!location)
        return nullptr;
    std::vector<TDayEditCommand::TDayChange> changes;
    for (int i = 0; i < THeatingLocation::DaysPerWeek; ++i) {
        const TDaySnapshot after = TDaySnapshot::Of(location->Days(i));
        if (!(after == FBefore[static_cast<size_t>(i)]))
            changes.push_back(
                {static_cast<std::uint8_t>(i), FBefore[static_cast<size_t>(i)], after});
    }
    if (changes.empty())
        return nullptr;
    return std::make_unique<TDayEditCommand>(FDocument, *location, std::move(changes), mergeId,
                                             mergeKey);
}

} // namespace zeft
