#include "zeft_RoomStatus.h"

namespace zeft {

namespace {

bool SameDay(const TDailyHeatingIntervals& a, const TDailyHeatingIntervals& b) {
    if (a.Count() != b.Count())
        return false;
    for (int i = 0; i < a.Count(); ++i) {
        const TSingleHeatingInterval& p = a.Items(i);
        const TSingleHeatingInterval& q = b.Items(i);
        if (MinutesOf(p.Start()) != MinutesOf(q.Start()) ||
            MinutesOf(p.Stop()) != MinutesOf(q.Stop()) ||
            p.Temperature().Value() != q.Temperature().Value())
            return false;
    }
    return true;
}

} // namespace

TRoomStatus CompareWithSent(const THeatingLocation& now, const TSentProgram* lastSent) {
    TRoomStatus status;
    if (!lastSent || !lastSent->Program)
        return status;
    status.SentAt = lastSent->SentAt;
    const THeatingLocation& sent = *lastSent->Program;
    for (int d = 0; d < THeatingLocation::DaysPerWeek; ++d)
        // A week without days matches nothing: whatever the controller holds, it is not that.
        if (!now.HasDays() || !sent.HasDays() || !SameDay(now.Days(d), sent.Days(d)))
            status.DifferingDays.push_back(d);
    status.State = status.DifferingDays.empty() ? TRoomStatus::Sent : TRoomStatus::ChangedSinceSent;
    return status;
}

} // namespace zeft
