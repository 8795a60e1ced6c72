#include "TRenameLocationCommand.h"

#include "THeatingLocation.h"
#include "TScheduleDocument.h"

namespace zeft {

TRenameLocationCommand::TRenameLocationCommand(TScheduleDocument& document,
                                               THeatingLocation& location, std::string oldName,
                                               std::string newName)
    : FDocument(document), FLocation(location), FOldName(std::move(oldName)),
      FNewName(std::move(newName)) {}

void TRenameLocationCommand::undo() {
    SetName(FOldName);
}

void TRenameLocationCommand::redo() {
    SetName(FNewName);
}

void TRenameLocationCommand::SetName(const std::string& name) {
    if (FLocation.DisplayText == name)
        return; // the list has just set it (the first redo)
    FLocation.DisplayText = name;
    FDocument.NameRestored(FLocation);
}

} // namespace zeft
