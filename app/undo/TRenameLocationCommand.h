#pragma once

#include <QUndoCommand>
#include <string>

namespace zeft {

class THeatingLocation;
struct TUndoContext;

/// Renaming a location in the list: the old and the new name.
class TRenameLocationCommand : public QUndoCommand {
public:
    TRenameLocationCommand(const TUndoContext& context, THeatingLocation& location,
                           std::string oldName, std::string newName);

    void undo() override;
    void redo() override;

private:
    void SetName(const std::string& name);

    const TUndoContext& FContext;
    THeatingLocation& FLocation;
    std::string FOldName;
    std::string FNewName;
};

} // namespace zeft
