#pragma once

#include <QUndoCommand>
#include <memory>

namespace zeft {

class THeatingLocation;
class TScheduleDocument;

/// Adding a location (from a template, or a duplicate): redo adds it, undo takes it out again
/// and keeps it, so that a redo brings back the very same location.
class TAddLocationCommand : public QUndoCommand {
public:
    TAddLocationCommand(TScheduleDocument& document, std::unique_ptr<THeatingLocation> location);
    ~TAddLocationCommand() override;

    void undo() override;
    void redo() override;

private:
    TScheduleDocument& FDocument;
    THeatingLocation* FAdded;
    /// Held while the location is not in the collection.
    std::unique_ptr<THeatingLocation> FLocation;
    int FIndex = -1;
};

} // namespace zeft
