#pragma once

#include "TScheduleDocument.h"

#include <QUndoCommand>

namespace zeft {

/// The file read again: every location replaced at once. The step holds the set that is not
/// on screen, so undo and redo swap the two.
class TReplaceLocationsCommand : public QUndoCommand {
public:
    TReplaceLocationsCommand(TScheduleDocument& document, TScheduleDocument::TLocationSet other);

    void undo() override { Swap(); }
    void redo() override { Swap(); }

private:
    void Swap() { FOther = FDocument.SwapLocations(std::move(FOther)); }

    TScheduleDocument& FDocument;
    TScheduleDocument::TLocationSet FOther;
};

} // namespace zeft
