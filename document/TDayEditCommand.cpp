#include "TDayEditCommand.h"

#include "THeatingLocation.h"
#include "TScheduleDocument.h"

namespace zeft {

TDayEditCommand::TDayEditCommand(TScheduleDocument& document, THeatingLocation& location,
                                 std::vector<TDayChange> changes, int mergeId, const void* mergeKey)
    : FDocument(document), FLocation(location), FChanges(std::move(changes)), FMergeId(mergeId),
      FMergeKey(mergeKey) {}

void TDayEditCommand::undo() {
    Apply(false);
}

void TDayEditCommand::redo() {
    if (FInModel) {
        FInModel = false; // pushed right after the edit itself
        return;
    }
    Apply(true);
}

bool TDayEditCommand::mergeWith(const QUndoCommand* other) {
    const auto* next = static_cast<const TDayEditCommand*>(other); // same id: same class
    if (&next->FLocation != &FLocation || next->FMergeKey != FMergeKey || FChanges.size() != 1 ||
        next->FChanges.size() != 1 || next->FChanges.front().Day != FChanges.front().Day)
        return false;
    FChanges.front().After = next->FChanges.front().After;
    // Moved back to where the run began: nothing is left to undo.
    setObsolete(FChanges.front().After == FChanges.front().Before);
    return true;
}

void TDayEditCommand::Apply(bool after) {
    for (const TDayChange& change : FChanges)
        (after ? change.After : change.Before).RestoreInto(FLocation.Days(change.Day));
    FDocument.ProgramRestored(FLocation);
}

} // namespace zeft
