#include "TRemoveLocationCommand.h"

#include "THeatingLocations.h"
#include "TUndoContext.h"

namespace zeft {

TRemoveLocationCommand::TRemoveLocationCommand(const TUndoContext& context,
                                               THeatingLocation& location)
    : FContext(context), FRemoved(&location) {}

TRemoveLocationCommand::~TRemoveLocationCommand() = default;

void TRemoveLocationCommand::redo() {
    THeatingLocations& locations = *FContext.Locations;
    const int index = locations.IndexOf(FRemoved);
    if (index < 0)
        return;
    FIndex = index;
    FLocation = locations.Extract(index);
}

void TRemoveLocationCommand::undo() {
    if (FLocation)
        FContext.Locations->Insert(FIndex, std::move(FLocation));
}

} // namespace zeft
