#pragma once

#include "TDaySnapshot.h"

#include <QUndoCommand>
#include <cstdint>
#include <vector>

namespace zeft {

class THeatingLocation;
class TScheduleDocument;

/// One edit of one or more days of a location (a drag, a split, a deletion, a copy, a
/// temperature, a key, the exact-value dialog): the days before and after. The edit is
/// already in the model when the step is pushed, so the first redo does nothing.
class TDayEditCommand : public QUndoCommand {
public:
    struct TDayChange {
        std::uint8_t Day = 0; ///< 0 is Monday
        TDaySnapshot Before;
        TDaySnapshot After;
    };

    /// Steps with this id merge when they move the same period of the same day one after the
    /// other (the start moved with the keys, 10 minutes at a time).
    static constexpr int StartStepId = 1;

    /// mergeId -1 never merges; mergeKey names what a run of merging steps edits.
    TDayEditCommand(TScheduleDocument& document, THeatingLocation& location,
                    std::vector<TDayChange> changes, int mergeId = -1,
                    const void* mergeKey = nullptr);

    void undo() override;
    void redo() override;
    int id() const override { return FMergeId; }
    bool mergeWith(const QUndoCommand* other) override;

    THeatingLocation& Location() const { return FLocation; }
    const std::vector<TDayChange>& Changes() const { return FChanges; }

private:
    void Apply(bool after);

    TScheduleDocument& FDocument;
    THeatingLocation& FLocation;
    std::vector<TDayChange> FChanges;
    int FMergeId;
    const void* FMergeKey;
    bool FInModel = true;
};

} // namespace zeft
