#include "TRemoveLocationCommand.h"

#include "THeatingLocations.h"
#include "TScheduleDocument.h"

namespace zeft {

TRemoveLocationCommand::TRemoveLocationCommand(TScheduleDocument& document,
                                               THeatingLocation& location)
    : FDocument(document), FRemoved(&location) {}

TRemoveLocationCommand::~TRemoveLocationCommand() = default;

void TRemoveLocationCommand::redo() {
    THeatingLocations& locations = FDocument.Locations();
    const int index = locations.IndexOf(FRemoved);
    if (index < 0)
        return;
    FIndex = index;
    FLocation = locations.Extract(index);
}

void TRemoveLocationCommand::undo() {
    if (FLocation)
        FDocument.Locations().Insert(FIndex, std::move(FLocation));
}

} // namespace zeft
