#pragma once

#include "TDaySnapshot.h"

#include <array>
#include <memory>

namespace zeft {

class TDayEditCommand;
class THeatingLocation;
class TScheduleDocument;

/// Records one edit of a location's days as an undo step: Begin takes the seven days as they
/// are, Commit compares and makes a step of the days that changed. A Begin while an edit is
/// open keeps the earlier one (a key pressed while the mouse drags an edge joins the drag).
class TDayEditRecorder {
public:
    explicit TDayEditRecorder(TScheduleDocument& document) : FDocument(document) {}

    void Begin(THeatingLocation* location);
    bool Open() const { return FLocation != nullptr; }
    /// The open edit's location, or null.
    THeatingLocation* Location() const { return FLocation; }
    /// Forgets the open edit (its location is going away, or an undo replaced the days).
    void Discard() { FLocation = nullptr; }
    /// The step, or null when nothing is open or nothing changed; the edit is closed.
    std::unique_ptr<TDayEditCommand> Commit(int mergeId = -1, const void* mergeKey = nullptr);

private:
    TScheduleDocument& FDocument;
    THeatingLocation* FLocation = nullptr;
    std::array<TDaySnapshot, 7> FBefore{};
};

} // namespace zeft
