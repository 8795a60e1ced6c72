#include "TAddLocationCommand.h"

#include "THeatingLocations.h"
#include "TScheduleDocument.h"

namespace zeft {

TAddLocationCommand::TAddLocationCommand(TScheduleDocument& document,
                                         std::unique_ptr<THeatingLocation> location)
    : FDocument(document), FAdded(location.get()), FLocation(std::move(location)) {}

TAddLocationCommand::~TAddLocationCommand() = default;

void TAddLocationCommand::redo() {
    if (!FLocation)
        return;
    THeatingLocations& locations = FDocument.Locations();
    FIndex = locations.Insert(FIndex < 0 ? locations.Count() : FIndex, std::move(FLocation));
}

void TAddLocationCommand::undo() {
    THeatingLocations& locations = FDocument.Locations();
    const int index = locations.IndexOf(FAdded);
    if (index >= 0) {
        FIndex = index;
        FLocation = locations.Extract(index);
    }
}

} // namespace zeft
