#include "TDaySnapshot.h"

#include "TDailyHeatingIntervals.h"

#include <algorithm>
#include <functional>

namespace zeft {

namespace {

std::uint8_t Marks(TTime t) {
    return static_cast<std::uint8_t>(std::clamp(MinutesOf(t) / 10, 0, 144));
}

TTime TimeOfMarks(std::uint8_t marks) {
    return TimeOf(0, marks * 10);
}

} // namespace

TDaySnapshot TDaySnapshot::Of(const TDailyHeatingIntervals& day) {
    TDaySnapshot snapshot;
    snapshot.FCount = static_cast<std::uint8_t>(std::min(day.Count(), MaxPeriods));
    for (int i = 0; i < snapshot.FCount; ++i) {
        const TSingleHeatingInterval& period = day.Items(i);
        snapshot.FPeriods[static_cast<size_t>(i)] = {
            period.Temperature().Value(), Marks(period.Start()), Marks(period.Stop()),
            Marks(period.MaxStart()), Marks(period.MinStop())};
    }
    return snapshot;
}

void TDaySnapshot::RestoreInto(TDailyHeatingIntervals& day) const {
    TDailyHeatingIntervals source;
    for (int i = 0; i < FCount; ++i) {
        const TPeriod& period = FPeriods[static_cast<size_t>(i)];
        source.Add(std::make_unique<TSingleHeatingInterval>(
            std::make_unique<TTemperature>(period.Temperature), TimeOfMarks(period.Start),
            TimeOfMarks(period.Stop)));
    }
    // The copy adds its periods one by one, each with a structure notification; the row
    // showing the day needs to rebuild once, when all are in.
    const std::function<void()> structureChanged = std::move(day.OnStructureChange);
    day.OnStructureChange = nullptr;
    day.Assign(source);
    day.OnStructureChange = structureChanged;
    // A day read from a file keeps the bounds it had, well-formed or not.
    for (int i = 0; i < FCount && i < day.Count(); ++i) {
        const TPeriod& period = FPeriods[static_cast<size_t>(i)];
        day.Items(i).SetMaxStart(TimeOfMarks(period.MaxStart));
        day.Items(i).SetMinStop(TimeOfMarks(period.MinStop));
    }
    if (structureChanged)
        structureChanged();
}

} // namespace zeft
