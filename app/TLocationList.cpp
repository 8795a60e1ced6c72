#include "TLocationList.h"

#include "THeatingLocation.h"
#include "TLocationListItem.h"
#include "zeft_DisplayScale.h"
#include "zeft_Pictures.h"

#include <QMenu>

namespace zeft {

namespace {

constexpr int LocationRole = Qt::UserRole + 1;

int S(double pixels) {
    return ScaledPixels(pixels);
}

} // namespace

TLocationList::TLocationList(QWidget* parent) : QListWidget(parent), FIcon(RadiatorPicture(S(48))) {
    setObjectName(QStringLiteral("lvLocations"));
    setViewMode(QListView::IconMode);
    setIconSize(QSize(S(48), S(48)));
    setResizeMode(QListView::Adjust);
    setMovement(QListView::Static);
    setWordWrap(true);
    setGridSize(QSize(S(80), S(80)));
    setSortingEnabled(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    setContextMenuPolicy(Qt::CustomContextMenu);
}

THeatingLocation* TLocationList::LocationOf(const QListWidgetItem* item) {
    if (!item)
        return nullptr;
    return reinterpret_cast<THeatingLocation*>(item->data(LocationRole).value<quintptr>());
}

QListWidgetItem* TLocationList::ItemOf(const THeatingLocation* location) const {
    for (int i = 0; i < count(); ++i)
        if (LocationOf(item(i)) == location)
            return item(i);
    return nullptr;
}

THeatingLocation* TLocationList::SelectedLocation() const {
    const QList<QListWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? nullptr : LocationOf(selected.constFirst());
}

QListWidgetItem* TLocationList::Neighbour(const QListWidgetItem* listItem) const {
    const int index = row(listItem);
    return item(index + 1 < count() ? index + 1 : index - 1);
}

void TLocationList::AddLocation(THeatingLocation* location) {
    auto* listItem = new TLocationListItem;
    listItem->setText(QString::fromStdString(location->DisplayText));
    listItem->setData(LocationRole, QVariant::fromValue(reinterpret_cast<quintptr>(location)));
    listItem->setIcon(FIcon);
    listItem->setFlags(listItem->flags() | Qt::ItemIsEditable);
    const QSignalBlocker block(this); // adding is not a rename
    addItem(listItem);
}

void TLocationList::RemoveLocation(const THeatingLocation* location) {
    const QSignalBlocker block(this);
    delete ItemOf(location);
}

void TLocationList::ShowName(const THeatingLocation* location) {
    if (QListWidgetItem* listItem = ItemOf(location)) {
        const QSignalBlocker block(this);
        listItem->setText(QString::fromStdString(location->DisplayText));
        sortItems();
    }
}

void TLocationList::PopupMenu(QPoint pos, const QList<QAction*>& commands) {
    if (QListWidgetItem* listItem = itemAt(pos))
        setCurrentItem(listItem);
    if (FMenu)
        FMenu->deleteLater();
    FMenu = new QMenu(this);
    FMenu->setObjectName(QStringLiteral("lvLocationsMenu"));
    FMenu->addActions(commands);
    FMenu->popup(viewport()->mapToGlobal(pos));
}

} // namespace zeft
