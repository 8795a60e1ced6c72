#include "TLocationListItem.h"

namespace zeft {

QVariant TLocationListItem::data(int role) const {
    if (role == Qt::ToolTipRole)
        return QListWidgetItem::data(Qt::DisplayRole);
    return QListWidgetItem::data(role);
}

} // namespace zeft
