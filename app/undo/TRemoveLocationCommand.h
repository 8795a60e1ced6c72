#pragma once

#include <QUndoCommand>
#include <memory>

namespace zeft {

class THeatingLocation;
struct TUndoContext;

/// Removing a location: the step keeps the location itself, so that undo puts it back with
/// its whole program at its place in the collection (the file order).
class TRemoveLocationCommand : public QUndoCommand {
public:
    TRemoveLocationCommand(const TUndoContext& context, THeatingLocation& location);
    ~TRemoveLocationCommand() override;

    void undo() override;
    void redo() override;

private:
    const TUndoContext& FContext;
    THeatingLocation* FRemoved;
    /// Held while the location is out of the collection.
    std::unique_ptr<THeatingLocation> FLocation;
    int FIndex = -1;
};

} // namespace zeft
