#pragma once

#include <QUndoCommand>
#include <string>

namespace zeft {

class THeatingLocation;
class TScheduleDocument;

/// Renaming a location in the list: the old and the new name.
class TRenameLocationCommand : public QUndoCommand {
public:
    TRenameLocationCommand(TScheduleDocument& document, THeatingLocation& location,
                           std::string oldName, std::string newName);

    void undo() override;
    void redo() override;

private:
    void SetName(const std::string& name);

    TScheduleDocument& FDocument;
    THeatingLocation& FLocation;
    std::string FOldName;
    std::string FNewName;
};

} // namespace zeft
