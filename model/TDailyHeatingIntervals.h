#pragma once

#include "TSingleHeatingInterval.h"

#include <memory>
#include <vector>

namespace zeft {

/// The program of one day: at most MaxPeriodsPerDay periods in time order, owned by the day.
class TDailyHeatingIntervals : public TModelObject {
public:
    static constexpr int MaxPeriodsPerDay = 7;

    TDailyHeatingIntervals() { FItems.reserve(MaxPeriodsPerDay); }
    ~TDailyHeatingIntervals() override;

    int Count() const { return static_cast<int>(FItems.size()); }
    TSingleHeatingInterval& Items(int index) { return *FItems[static_cast<size_t>(index)]; }
    const TSingleHeatingInterval& Items(int index) const {
        return *FItems[static_cast<size_t>(index)];
    }
    int IndexOf(const TSingleHeatingInterval* period) const;

    bool CanAdd() const { return Count() < MaxPeriodsPerDay; }
    bool CanDelete() const { return Count() > 1; }

    /// Appends the period and returns its index; on a full day returns -1 and leaves the
    /// period with the caller (the pointer is only moved from when the period is taken).
    int Add(std::unique_ptr<TSingleHeatingInterval>&& period);
    /// Inserts behind the period at index - 1 (1 <= index <= Count); returns false and leaves
    /// the period with the caller on a full day.
    bool Insert(int index, std::unique_ptr<TSingleHeatingInterval>&& period);
    /// Splits the period at the given time (rounded down to its 10-minute mark). Refuses,
    /// changing nothing, when the day is full or either part would be shorter than 10 minutes.
    bool SplitPeriod(TSingleHeatingInterval* period, TTime at);
    /// Removes the period at index; a neighbour absorbs its time.
    void Delete(int index);
    /// Replaces this day's periods by copies of the source's (the source may be this day).
    void Assign(const TDailyHeatingIntervals& source);
    void AlignPreviousStop(TSingleHeatingInterval* period);
    /// Repairs gaps and overlaps around a period whose start edge was just dragged.
    void ResolveOverlaps(TSingleHeatingInterval* period);
    /// Moves the period's start as dragging its edge there does: the start takes the time
    /// (within the period's bounds), the previous period's stop follows, and periods the move
    /// covers go. The one rule for the mouse, the keys and the exact-value dialog.
    void MoveStart(TSingleHeatingInterval* period, TTime start);

    /// A deep copy without any subscriptions.
    std::unique_ptr<TDailyHeatingIntervals> Clone() const;

    TChangeEvent OnChange;
    std::function<void()> OnStructureChange;

private:
    void Take(TSingleHeatingInterval& period);
    void NotifyChange(TModelObject* sender);
    void NotifyStructureChange();

    std::vector<std::unique_ptr<TSingleHeatingInterval>> FItems;
};

} // namespace zeft
