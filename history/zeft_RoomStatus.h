#pragma once

#include "TTransferLog.h"

#include <QDateTime>
#include <vector>

namespace zeft {

/// Whether a room's controller holds the program the room shows now, as far as the history knows.
struct TRoomStatus {
    enum TState { NeverSent, Sent, ChangedSinceSent };
    TState State = NeverSent;
    QDateTime SentAt;               ///< UTC; invalid when never sent
    std::vector<int> DifferingDays; ///< 0 = Monday ... 6 = Sunday, ascending
};

/// Compares the room's program with the one last sent (null: never sent). Days are compared by
/// what a controller would hold: the periods' starts and stops to the minute and their
/// temperatures exactly, so that undoing edits back to the sent program counts as sent.
TRoomStatus CompareWithSent(const THeatingLocation& now, const TSentProgram* lastSent);

} // namespace zeft
