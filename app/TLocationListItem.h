#pragma once

#include <QListWidgetItem>

namespace zeft {

/// An item of the locations list. The list cuts long names short; the item's tooltip is always
/// its whole name, whatever set or edited it.
class TLocationListItem : public QListWidgetItem {
public:
    using QListWidgetItem::QListWidgetItem;

    QVariant data(int role) const override;
};

} // namespace zeft
