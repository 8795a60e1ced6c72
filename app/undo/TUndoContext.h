#pragma once

#include <functional>

namespace zeft {

class THeatingLocation;
class THeatingLocations;

/// What the undo steps need of the window. The steps change the model themselves; the model's
/// notifications rebuild the rows, and these slots make the list and the heading follow.
struct TUndoContext {
    /// The collection the locations are added to and taken from; outlives every step.
    THeatingLocations* Locations = nullptr;
    /// An undone or redone step changed this location's program: show it as a copied day is
    /// shown (list selection, heading, rows).
    std::function<void(THeatingLocation* location)> ShowLocation;
    /// An undone or redone rename: the list item and the heading take the new name.
    std::function<void(THeatingLocation* location)> NameChanged;
};

} // namespace zeft
