#include "TLocationList.h"

#include "THeatingLocation.h"
#include "TLocationListItem.h"
#include "zeft_DisplayScale.h"
#include "zeft_Pictures.h"

#include <QMenu>
#include <QPainter>

namespace zeft {

namespace {

constexpr int LocationRole = Qt::UserRole + 1;
constexpr int MarkRole = Qt::UserRole + 3;

int S(double pixels) {
    return ScaledPixels(pixels);
}

/// The radiator with a round mark in its lower right corner: a tick for a program sent as it
/// is, a dot for one changed since.
QIcon MarkedIcon(const QPixmap& base, bool changed) {
    QPixmap pixmap = base;
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const int size = pixmap.width() * 7 / 16;
    const QRectF mark(pixmap.width() - size - 1, pixmap.height() - size - 1, size, size);
    painter.setPen(QPen(Qt::white, size / 10.0));
    painter.setBrush(changed ? QColor(0xE0, 0x8A, 0x00) : QColor(0x2E, 0x8B, 0x3A));
    painter.drawEllipse(mark);
    QPen pen(Qt::white, size / 7.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(pen);
    if (changed) {
        painter.drawLine(mark.center() - QPointF(0, size / 4.0), mark.center());
        painter.drawPoint(mark.center() + QPointF(0, size / 5.0));
    } else {
        const QPointF c = mark.center();
        painter.drawPolyline(
            QPolygonF({c + QPointF(-size / 4.5, 0), c + QPointF(-size / 14.0, size / 6.0),
                       c + QPointF(size / 4.0, -size / 6.0)}));
    }
    return QIcon(pixmap);
}

} // namespace

TLocationList::TLocationList(QWidget* parent)
    : QListWidget(parent),
      FIcon(RadiatorPicture(S(48))), FMarked{MarkedIcon(RadiatorPicture(S(48)), false),
                                             MarkedIcon(RadiatorPicture(S(48)), true)} {
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

void TLocationList::ShowTransferStatus(
    const std::function<TTransferStatus(const THeatingLocation*)>& of) {
    const QSignalBlocker block(this); // not a rename
    for (int i = 0; i < count(); ++i) {
        QListWidgetItem* listItem = item(i);
        const auto [mark, text] = of(LocationOf(listItem));
        if (listItem->data(TLocationListItem::StatusRole).toString() == text &&
            listItem->data(MarkRole).toInt() == mark)
            continue;
        listItem->setIcon(mark == 1 || mark == 2 ? FMarked[mark - 1] : FIcon);
        listItem->setData(MarkRole, mark);
        listItem->setData(TLocationListItem::StatusRole, text);
        listItem->setData(Qt::AccessibleDescriptionRole, text);
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
