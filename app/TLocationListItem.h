#pragma once

#include <QListWidgetItem>

namespace zeft {

/// An item of the locations list. The list cuts long names short; the item's tooltip is always
/// its whole name, whatever set or edited it, and its transfer standing.
class TLocationListItem : public QListWidgetItem {
public:
    using QListWidgetItem::QListWidgetItem;
    /// The room's transfer standing, shown under its name in the tooltip.
    static constexpr int StatusRole = Qt::UserRole + 2;

    QVariant data(int role) const override;
};

} // namespace zeft
