#include "TDailyHeatingIntervals.h"

namespace zeft {

TDailyHeatingIntervals::~TDailyHeatingIntervals() = default;

int TDailyHeatingIntervals::IndexOf(const TSingleHeatingInterval* period) const {
    for (int i = 0; i < Count(); ++i)
        if (FItems[static_cast<size_t>(i)].get() == period)
            return i;
    return -1;
}

void TDailyHeatingIntervals::Take(TSingleHeatingInterval& period) {
    period.OnChange = [this](TModelObject* sender) { NotifyChange(sender); };
}

void TDailyHeatingIntervals::NotifyChange(TModelObject* sender) {
    if (OnChange)
        OnChange(sender);
}

void TDailyHeatingIntervals::NotifyStructureChange() {
    if (OnStructureChange)
        OnStructureChange();
}

int TDailyHeatingIntervals::Add(std::unique_ptr<TSingleHeatingInterval>&& period) {
    if (!period || Count() >= MaxPeriodsPerDay)
        return -1;
    if (FItems.empty()) {
        period->SetMaxStart(Midnight);
        period->SetMinStop(EndOfDay);
    } else {
        period->SetMaxStart(EndOfDay);
        period->SetMinStop(EndOfDay);
        FItems.back()->SetMinStop(Midnight);
    }
    Take(*period);
    TSingleHeatingInterval* added = period.get();
    FItems.push_back(std::move(period));
    NotifyChange(added);
    NotifyStructureChange();
    return Count() - 1;
}

bool TDailyHeatingIntervals::Insert(int index, std::unique_ptr<TSingleHeatingInterval>&& period) {
    if (!period || Count() >= MaxPeriodsPerDay || index < 1 || index > Count())
        return false;
    TSingleHeatingInterval& predecessor = Items(index - 1);
    period->SetMaxStart(EndOfDay);
    period->SetMinStop(predecessor.MinStop());
    predecessor.SetMinStop(Midnight);
    predecessor.SetStop(period->Start());
    Take(*period);
    TSingleHeatingInterval* inserted = period.get();
    FItems.insert(FItems.begin() + index, std::move(period));
    NotifyChange(inserted);
    NotifyStructureChange();
    return true;
}

bool TDailyHeatingIntervals::SplitPeriod(TSingleHeatingInterval* period, TTime at) {
    const int index = IndexOf(period);
    if (index < 0 || !CanAdd())
        return false;
    const TTime mark = TSingleHeatingInterval::RoundToTenMinutes(at);
    // A split must leave both parts at least 10 minutes long, or they would overlap.
    if (LaterThan(period->Start() + TenMinutes, mark) ||
        LaterThan(mark, period->Stop() - TenMinutes))
        return false;
    auto temperature = std::make_unique<TTemperature>(TTemperature::MinTemperature);
    temperature->Assign(period->Temperature());
    auto second =
        std::make_unique<TSingleHeatingInterval>(std::move(temperature), mark, period->Stop());
    period->SetStop(mark);
    return Insert(index + 1, std::move(second));
}

void TDailyHeatingIntervals::Delete(int index) {
    if (index < 0 || index >= Count())
        return;
    TSingleHeatingInterval& period = Items(index);
    const TTime s = period.Stop();
    if (index > 0) {
        period.SetStop(EndOfDay);
        period.SetStart(s);
        AlignPreviousStop(&period);
    } else if (Count() > 1) {
        Items(1).SetStart(period.Start());
    }
    FItems.erase(FItems.begin() + index);
    NotifyChange(this);
    NotifyStructureChange();
}

void TDailyHeatingIntervals::Assign(const TDailyHeatingIntervals& source) {
    struct PeriodCopy {
        double Temperature;
        TTime Start;
        TTime Stop;
    };
    // Copy the values first so that assigning a day to itself keeps its program.
    std::vector<PeriodCopy> copies;
    copies.reserve(static_cast<size_t>(source.Count()));
    for (int i = 0; i < source.Count(); ++i) {
        const TSingleHeatingInterval& p = source.Items(i);
        copies.push_back({p.Temperature().Value(), p.Start(), p.Stop()});
    }
    FItems.clear();
    for (const PeriodCopy& c : copies)
        Add(std::make_unique<TSingleHeatingInterval>(std::make_unique<TTemperature>(c.Temperature),
                                                     c.Start, c.Stop));
    NotifyStructureChange();
}

void TDailyHeatingIntervals::AlignPreviousStop(TSingleHeatingInterval* period) {
    const int index = IndexOf(period);
    if (index > 0)
        Items(index - 1).SetStop(period->Start());
}

void TDailyHeatingIntervals::MoveStart(TSingleHeatingInterval* period, TTime start) {
    if (IndexOf(period) < 0)
        return;
    period->SetStart(start);
    AlignPreviousStop(period);
    ResolveOverlaps(period);
}

void TDailyHeatingIntervals::ResolveOverlaps(TSingleHeatingInterval* period) {
    if (IndexOf(period) < 0)
        return;
    // Backward pass: close the gap or remove the overlap with the predecessor.
    for (;;) {
        const int index = IndexOf(period);
        if (index <= 0)
            break;
        TSingleHeatingInterval& prev = Items(index - 1);
        if (LaterThan(period->Start(), prev.Start())) {
            if (SameTime(prev.Stop(), period->Start()))
                break;
            prev.SetStop(period->Start());
        } else {
            Delete(index - 1);
            if (IndexOf(period) == 0)
                period->SetMaxStart(Midnight);
        }
    }
    // Forward pass: the same towards the successor.
    for (;;) {
        const int index = IndexOf(period);
        if (index + 1 >= Count())
            break;
        TSingleHeatingInterval& next = Items(index + 1);
        if (LaterThan(next.Stop(), period->Stop())) {
            if (SameTime(period->Stop(), next.Start()))
                break;
            next.SetStart(period->Stop());
        } else {
            const TTime s = period->Stop();
            Delete(index + 1);
            period->SetStop(s);
            if (IndexOf(period) == Count() - 1)
                period->SetMinStop(EndOfDay);
        }
    }
}

std::unique_ptr<TDailyHeatingIntervals> TDailyHeatingIntervals::Clone() const {
    auto copy = std::make_unique<TDailyHeatingIntervals>();
    for (const auto& p : FItems) {
        auto period = std::make_unique<TSingleHeatingInterval>(
            std::make_unique<TTemperature>(p->Temperature().Value()), p->Start(), p->Stop());
        period->SetMaxStart(p->MaxStart());
        period->SetMinStop(p->MinStop());
        copy->FItems.push_back(std::move(period));
    }
    return copy;
}

} // namespace zeft
