#pragma once

#include <QUndoCommand>
#include <memory>

namespace zeft {

class THeatingLocation;
class TScheduleDocument;

/// Removing a location: the step keeps the location itself, so that undo puts it back with
/// its whole program at its place in the collection (the file order).
class TRemoveLocationCommand : public QUndoCommand {
public:
    TRemoveLocationCommand(TScheduleDocument& document, THeatingLocation& location);
    ~TRemoveLocationCommand() override;

    void undo() override;
    void redo() override;

private:
    TScheduleDocument& FDocument;
    THeatingLocation* FRemoved;
    /// Held while the location is out of the collection.
    std::unique_ptr<THeatingLocation> FLocation;
    int FIndex = -1;
};

} // namespace zeft
