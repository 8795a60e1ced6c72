#pragma once

#include <QIcon>
#include <QListWidget>
#include <functional>
#include <utility>

class QMenu;

namespace zeft {

class THeatingLocation;

/// The list of the document's locations, one item each, sorted by name. It knows which item
/// shows which location; what is selected and shown is the window's business.
class TLocationList : public QListWidget {
public:
    explicit TLocationList(QWidget* parent);

    static THeatingLocation* LocationOf(const QListWidgetItem* item);
    QListWidgetItem* ItemOf(const THeatingLocation* location) const;
    THeatingLocation* SelectedLocation() const;
    /// The item that takes the place of this one when it goes: the next, else the one before.
    QListWidgetItem* Neighbour(const QListWidgetItem* item) const;

    /// Adds and removes items without reporting a rename.
    void AddLocation(THeatingLocation* location);
    void RemoveLocation(const THeatingLocation* location);
    /// The item follows the location's name (after an undo), in its sorted place.
    void ShowName(const THeatingLocation* location);

    /// Every room's transfer standing: a mark on its icon (0 none, 1 sent, 2 changed since
    /// sent), and the text in its tooltip and its accessible description. An item whose
    /// standing did not change is left alone, so that a large list is not laid out again.
    using TTransferStatus = std::pair<int, QString>;
    void ShowTransferStatus(const std::function<TTransferStatus(const THeatingLocation*)>& of);

    /// The context menu at pos, with the commands given; it stays until the next one.
    void PopupMenu(QPoint pos, const QList<QAction*>& commands);
    QMenu* Menu() const { return FMenu; }

private:
    /// The icon of every item (image index 0), drawn once.
    QIcon FIcon;
    /// The icon with the mark of a room sent (1) and of one changed since (2).
    QIcon FMarked[2];
    QMenu* FMenu = nullptr;
};

} // namespace zeft
