#include "TAddLocationCommand.h"

#include "THeatingLocations.h"
#include "TUndoContext.h"

namespace zeft {

TAddLocationCommand::TAddLocationCommand(const TUndoContext& context,
                                         std::unique_ptr<THeatingLocation> location)
    : FContext(context), FAdded(location.get()), FLocation(std::move(location)) {}

TAddLocationCommand::~TAddLocationCommand() = default;

void TAddLocationCommand::redo() {
    if (!FLocation)
        return;
    THeatingLocations& locations = *FContext.Locations;
    FIndex = locations.Insert(FIndex < 0 ? locations.Count() : FIndex, std::move(FLocation));
}

void TAddLocationCommand::undo() {
    THeatingLocations& locations = *FContext.Locations;
    const int index = locations.IndexOf(FAdded);
    if (index >= 0) {
        FIndex = index;
        FLocation = locations.Extract(index);
    }
}

} // namespace zeft
