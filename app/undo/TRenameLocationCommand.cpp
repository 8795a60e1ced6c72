#include "TRenameLocationCommand.h"

#include "THeatingLocation.h"
#include "TUndoContext.h"

namespace zeft {

TRenameLocationCommand::TRenameLocationCommand(const TUndoContext& context,
                                               THeatingLocation& location, std::string oldName,
                                               std::string newName)
    : FContext(context), FLocation(location), FOldName(std::move(oldName)),
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
    if (FContext.NameChanged)
        FContext.NameChanged(&FLocation);
}

} // namespace zeft
